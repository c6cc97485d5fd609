// Writes a data file of N lines for the benchmarks: an azimuth with one decimal, a tab and a
// dip ("123.4\t56"), from a fixed seed so every run reads the same file.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: quorel-bench-generate LINES FILE\n");
        return 2;
    }
    const long lines = std::strtol(argv[1], nullptr, 10);
    std::FILE *out = std::fopen(argv[2], "wb");
    if (!out || lines < 0) {
        std::perror(argv[2]);
        return 1;
    }
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> tenths(0, 3599);
    std::uniform_int_distribution<int> dip(0, 90);
    std::string buffer;
    char line[32];
    for (long i = 0; i < lines; ++i) {
        const int azimuth = tenths(random);
        const int length = std::snprintf(line, sizeof line, "%d.%d\t%d\n", azimuth / 10,
                                         azimuth % 10, dip(random));
        buffer.append(line, static_cast<std::size_t>(length));
        if (buffer.size() > (1 << 20)) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
    }
    std::fwrite(buffer.data(), 1, buffer.size(), out);
    return std::fclose(out) == 0 ? 0 : 1;
}
