#include "core/util/numbers.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

namespace quorel {

namespace {

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::int32_t> toInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0'
               && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;

    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = hex ? hexValue(text[i]) : (isDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
    }

    if (hex) {
        // All 32 bits are the value's bits, as colour values are written ("$FF000005").
        auto bits = static_cast<std::uint32_t>(magnitude);
        if (negative)
            bits = 0u - bits;
        return static_cast<std::int32_t>(bits);
    }
    if (negative) {
        if (magnitude > 0x80000000ull)
            return std::nullopt;
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    }
    if (magnitude > 0x7FFFFFFFull)
        return std::nullopt;
    return static_cast<std::int32_t>(magnitude);
}

std::optional<double> toFloat(std::string_view text, char decimalSeparator)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;

    // Check the grammar ourselves: fast_float accepts neither "+" nor some forms we reject.
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < end && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < end && text[i] == decimalSeparator) {
        ++i;
        while (i < end && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < end && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;

    const bool negative = text[begin] == '-';
    double value = 0;
    const fast_float::parse_options options(fast_float::chars_format::general, decimalSeparator);
    const char *first = text.data() + mantissaStart;
    const char *last = text.data() + end;
    if (*first == decimalSeparator || *first == 'e' || *first == 'E') {
        // fast_float needs a digit before the separator in some versions; ".5" is valid here.
        std::string padded = "0";
        padded.append(first, last);
        const auto result = fast_float::from_chars_advanced(
            padded.data(), padded.data() + padded.size(), value, options);
        if (result.ec != std::errc() || result.ptr != padded.data() + padded.size())
            return std::nullopt;
    } else {
        const auto result = fast_float::from_chars_advanced(first, last, value, options);
        if (result.ec != std::errc() || result.ptr != last)
            return std::nullopt;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

double roundHalfEven(double x)
{
    return std::nearbyint(x);
}

int nearestInt(double x)
{
    // Casting a value outside int's range is undefined; such values saturate, NaN reads as 0.
    if (std::isnan(x))
        return 0;
    const double rounded = std::nearbyint(x);
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}

std::string formatFixed(double value, int decimals, char decimalSeparator)
{
    // A double has at most 1074 significant decimals; more would only append zeros.
    decimals = std::clamp(decimals, 0, 1074);
    // 1e308 with many decimals needs far more than a small buffer: ask for the length first.
    const int n = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    if (n <= 0)
        return {};
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    text.resize(static_cast<std::size_t>(n));
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1); // "-0.0000" reads as zero
    if (decimalSeparator != '.') {
        if (auto dot = text.find('.'); dot != std::string::npos)
            text[dot] = decimalSeparator;
    }
    return text;
}

long double sinDeg(long double degrees)
{
    return std::sin(degrees * std::numbers::pi_v<long double> / 180.0L);
}

long double cosDeg(long double degrees)
{
    return std::cos(degrees * std::numbers::pi_v<long double> / 180.0L);
}

} // namespace quorel
