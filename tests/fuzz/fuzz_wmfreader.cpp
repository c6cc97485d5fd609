// The metafile reader on arbitrary bytes. Whatever it accepts must survive being written and
// read again: after one such pass the picture is a fixed point of writing and reading.
#include "fuzzcheck.h"

#include "core/diagram/picture.h"
#include "core/diagram/wmfwriter.h"
#include "support/wmfreader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto read = readPlaceableWmf(bytes);
    if (!read.ok()) {
        FUZZ_CHECK(!read.message().empty());
        return 0;
    }
    const auto once = readPlaceableWmf(writePlaceableWmf(*read, classicSystemColors()));
    FUZZ_CHECK(once.ok());
    const auto twice = readPlaceableWmf(writePlaceableWmf(*once, classicSystemColors()));
    FUZZ_CHECK(twice.ok());
    FUZZ_CHECK(*twice == *once);
    return 0;
}
