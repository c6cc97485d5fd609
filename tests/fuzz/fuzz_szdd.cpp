// The SZDD expander on arbitrary bytes, and compression followed by expansion on the same
// bytes taken as plain data.
#include "fuzzcheck.h"

#include "core/util/szdd.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quorel;

namespace {

std::uint32_t headerSize(std::string_view bytes)
{
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i)
        size |= std::uint32_t(static_cast<unsigned char>(bytes[10 + i])) << (8 * i);
    return size;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto expanded = szddExpand(bytes);
    if (expanded.ok()) {
        FUZZ_CHECK(isSzdd(bytes));
        FUZZ_CHECK(bytes.size() >= 14);
        FUZZ_CHECK(expanded->size() <= headerSize(bytes));
    }

    const std::string packed = szddCompress(bytes, 'x');
    FUZZ_CHECK(isSzdd(packed));
    const auto unpacked = szddExpand(packed);
    FUZZ_CHECK(unpacked.ok());
    FUZZ_CHECK(*unpacked == bytes);
    return 0;
}
