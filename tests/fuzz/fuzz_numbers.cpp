// The integer and float tests and the number formatting on arbitrary text.
#include "fuzzcheck.h"

#include "core/util/numbers.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace quorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char separator = (data[0] & 1) ? ',' : '.';
    const int decimals = (data[0] >> 1) % 12;
    const std::string_view text(reinterpret_cast<const char *>(data) + 1, size - 1);

    if (const auto value = toInteger(text)) {
        // Every accepted integer reads back from its own decimal text.
        FUZZ_CHECK(toInteger(std::to_string(*value)) == value);
        FUZZ_CHECK(isInteger(text));
    }

    if (const auto value = toFloat(text, separator)) {
        FUZZ_CHECK(std::isfinite(*value));
        const std::string fixed = formatFixed(*value, decimals, separator);
        FUZZ_CHECK(!fixed.empty());
        // Never a negative zero such as "-0.00".
        if (fixed.front() == '-')
            FUZZ_CHECK(fixed.find_first_of("123456789") != std::string::npos);
        // The formatted text is a float again, within half a unit of its last place.
        const auto back = toFloat(fixed, separator);
        FUZZ_CHECK(back.has_value());
        FUZZ_CHECK(std::abs(*back - *value)
                   <= 0.5 * std::pow(10.0, -decimals) + std::abs(*value) * 1e-12);
        const double rounded = roundHalfEven(*value);
        FUZZ_CHECK(std::abs(rounded - *value) <= 0.5);
        FUZZ_CHECK(rounded == std::floor(rounded));
        (void)nearestInt(*value);
        (void)sinDeg(*value);
        (void)cosDeg(*value);
    }
    return 0;
}
