#include "core/tools/decimalformat.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace quorel {

namespace {

// Significant digits the value is rounded to before the requested places are applied: what an
// extended-precision value holds reliably.
constexpr int significantDigits = 18;

// As quickSignificantDigits, through printf: any finite value.
void printfSignificantDigits(long double magnitude, std::string &digits, int &intDigits)
{
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.*Le", significantDigits - 1, magnitude);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) {
        digits = "0";
        intDigits = 1;
        return;
    }
    // "d.ddddde+XX"
    const std::string_view text(buffer, static_cast<std::size_t>(n));
    const auto e = text.find('e');
    digits.assign(text.substr(0, 1));
    digits.append(text.substr(2, e - 2));
    intDigits = std::atoi(buffer + e + 1) + 1;
}

} // namespace

namespace detail {

bool quickSignificantDigits(long double magnitude, std::string &digits, int &intDigits)
{
    // magnitude = mantissa / 2^shift with a 64-bit mantissa, so its integer part and the
    // numerator of its fraction are exact integers and every decimal digit comes from an exact
    // multiplication by ten, rounded once at the end, halves to even, as printf does.
    int exponent = 0;
    const long double fraction = std::frexp(magnitude, &exponent);
    if (!(magnitude > 0) || exponent > 57 || exponent < -60)
        return false; // from about 10^17 up, or below 10^-18: printf's way
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    const int shift = 64 - exponent; // 7 .. 124
    __extension__ typedef unsigned __int128 Wide; // GCC and Clang on 64-bit machines
    const Wide mask = (Wide(1) << shift) - 1;
    const std::uint64_t integer = shift >= 64 ? 0 : mantissa >> shift;
    Wide rest = Wide(mantissa) & mask;

    char buffer[significantDigits];
    int count = 0;
    intDigits = 0;
    if (integer > 0) {
        const auto end = std::to_chars(buffer, buffer + significantDigits, integer).ptr;
        count = static_cast<int>(end - buffer);
        intDigits = count;
    }
    while (count < significantDigits) {
        rest *= 10;
        const auto digit = static_cast<char>(rest >> shift);
        rest &= mask;
        if (count == 0 && digit == 0) {
            --intDigits; // a leading zero of a value below one
            continue;
        }
        buffer[count++] = static_cast<char>('0' + digit);
    }
    const Wide half = Wide(1) << (shift - 1);
    if (rest > half || (rest == half && (buffer[significantDigits - 1] - '0') % 2 != 0)) {
        int i = significantDigits - 1;
        while (i >= 0 && buffer[i] == '9')
            buffer[i--] = '0';
        if (i >= 0) {
            ++buffer[i];
        } else {
            buffer[0] = '1';
            ++intDigits;
        }
    }
    digits.assign(buffer, significantDigits);
    return true;
}

} // namespace detail

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
    if (magnitude == 0)
        digits = "0";
    else if (!detail::quickSignificantDigits(magnitude, digits, intDigits))
        printfSignificantDigits(magnitude, digits, intDigits);

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
