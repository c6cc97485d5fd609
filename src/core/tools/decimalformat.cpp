#include "core/tools/decimalformat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quorel {

namespace {

// Significant digits the value is rounded to before the requested places are applied: what an
// extended-precision value holds reliably.
constexpr int significantDigits = 18;

} // namespace

std::string formatRounded(long double value, int places, char decimalSeparator)
{
    if (places < 0)
        places = 0;
    if (!std::isfinite(value))
        value = 0;

    const bool negative = std::signbit(value);
    const long double magnitude = std::fabs(value);

    // digits holds the significant digits, intDigits how many of them stand before the
    // separator (may be zero or negative for values below 1).
    std::string digits;
    int intDigits = 1;
    if (magnitude == 0) {
        digits = "0";
    } else {
        char buffer[64];
        const int n =
            std::snprintf(buffer, sizeof buffer, "%.*Le", significantDigits - 1, magnitude);
        if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer)
            return "0";
        // "d.ddddde+XX"
        const std::string text(buffer, static_cast<std::size_t>(n));
        const auto e = text.find('e');
        digits = text.substr(0, 1) + text.substr(2, e - 2);
        intDigits = std::atoi(text.c_str() + e + 1) + 1;
    }

    // Round half away from zero at the requested place.
    const long keep = static_cast<long>(intDigits) + places;
    if (keep < 0) {
        digits = "0";
        intDigits = 1;
    } else if (keep < static_cast<long>(digits.size())) {
        const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (up) {
            std::size_t i = digits.size();
            bool carry = true;
            while (carry && i > 0) {
                --i;
                if (digits[i] == '9') {
                    digits[i] = '0';
                } else {
                    ++digits[i];
                    carry = false;
                }
            }
            if (carry) {
                digits.insert(digits.begin(), '1');
                ++intDigits;
            }
        }
        if (digits.empty()) {
            digits = "0";
            intDigits = 1;
        }
    }

    std::string integerPart;
    std::string fraction;
    for (long i = 0; i < intDigits; ++i)
        integerPart +=
            i < static_cast<long>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0';
    for (long i = 0; i < places; ++i) {
        const long at = intDigits + i;
        fraction += at >= 0 && at < static_cast<long>(digits.size())
            ? digits[static_cast<std::size_t>(at)]
            : '0';
    }
    const auto firstNonZero = integerPart.find_first_not_of('0');
    integerPart = firstNonZero == std::string::npos ? "0" : integerPart.substr(firstNonZero);

    std::string result;
    const bool isZero = integerPart == "0" && fraction.find_first_not_of('0') == std::string::npos;
    if (negative && !isZero)
        result += '-';
    result += integerPart;
    if (places > 0) {
        result += decimalSeparator;
        result += fraction;
    }
    return result;
}

} // namespace quorel
