// The floor for reading a data file: the least work any reader must do. Reads the whole file,
// takes each line's first number with std::from_chars and counts it into 36 sectors of 10
// degrees. None of the data-file rules (separators, comments, parameters, stored texts,
// error report) are applied; whole-program timings of quorel-cli stats are compared with this.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorel-floor FILE\n");
        return 2;
    }
    std::FILE *file = std::fopen(argv[1], "rb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    std::string bytes;
    std::fseek(file, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::ftell(file)));
    std::rewind(file);
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    bytes.resize(read);

    std::array<long, 36> counts {};
    long lines = 0;
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    while (p < end) {
        const char *eol = static_cast<const char *>(std::memchr(p, '\n', std::size_t(end - p)));
        if (!eol)
            eol = end;
        double value = 0;
        if (std::from_chars(p, eol, value).ec == std::errc()) {
            const long rounded = std::lround(value);
            const long sector = rounded <= 0 ? 0 : (rounded - 1) / 10;
            if (sector >= 0 && sector < 36)
                ++counts[static_cast<std::size_t>(sector)];
        }
        ++lines;
        p = eol + 1;
    }
    std::printf("%ld lines\n", lines);
    for (long count : counts)
        std::printf("%ld\n", count);
    return 0;
}
