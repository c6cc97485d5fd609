// quorel-szdd IN OUT: writes IN compressed in the SZDD format to OUT. The build uses it to
// pack the help page that the program carries.

#include "core/util/files.h"
#include "core/util/szdd.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage: quorel-szdd IN OUT\n");
        return 2;
    }
    const auto input = quorel::readFileBytes(argv[1]);
    if (!input) {
        std::fprintf(stderr, "quorel-szdd: %s\n", input.message().c_str());
        return 1;
    }
    if (input->size() > 0xFFFFFFFFu) {
        std::fprintf(stderr, "quorel-szdd: \"%s\" is too large for the SZDD format\n", argv[1]);
        return 1;
    }
    const auto written = quorel::writeFileAtomic(argv[2], quorel::szddCompress(*input));
    if (!written) {
        std::fprintf(stderr, "quorel-szdd: %s\n", written.message().c_str());
        return 1;
    }
    return 0;
}
