// The colour parser on arbitrary text.
#include "fuzzcheck.h"

#include "core/diagram/color.h"
#include "core/util/numbers.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const Color color = parseColor(text);
    // A whole number is the colour's bits, whatever they are.
    if (const auto number = toInteger(text))
        FUZZ_CHECK(color == *number);
    // A named colour reads back from its name.
    const std::string_view name = colorIdentifier(color);
    if (!name.empty())
        FUZZ_CHECK(parseColor(name) == color);
    (void)resolveColor(color, classicSystemColors());
    return 0;
}
