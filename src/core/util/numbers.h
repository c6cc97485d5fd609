#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorel {

// The program's integer conversion: leading blanks (spaces) skipped, an optional sign, then
// decimal digits, or hexadecimal digits after "$", "x", "X" or "0x"; nothing may follow.
// Decimal values must lie in the 32-bit signed range; hexadecimal ones may use all 32 bits
// ("$FF000005" is the system colour 5). The test and every conversion share this one rule.
[[nodiscard]] std::optional<std::int32_t> toInteger(std::string_view text);
[[nodiscard]] inline bool isInteger(std::string_view text)
{
    return toInteger(text).has_value();
}

// The program's float conversion: optional blanks at both ends, optional sign, digits with the
// given decimal separator, optional exponent ("E"/"e", sign, digits). At least one mantissa
// digit. A value outside the double range fails; an underflow reads as zero.
[[nodiscard]] std::optional<double> toFloat(std::string_view text, char decimalSeparator);
[[nodiscard]] inline bool isFloat(std::string_view text, char decimalSeparator)
{
    return toFloat(text, decimalSeparator).has_value();
}

// Nearest integer with halves going to the even neighbour (10.5 -> 10, 11.5 -> 12).
[[nodiscard]] double roundHalfEven(double x);
// The same as an int; values beyond int's range give INT_MIN or INT_MAX, NaN gives 0.
[[nodiscard]] int nearestInt(double x);

// The value with exactly `decimals` decimals and the given separator, at least one integer
// digit, no grouping, never "-0.000" (the "0.0000" picture of the program).
[[nodiscard]] std::string formatFixed(double value, int decimals, char decimalSeparator);

// Sine and cosine of an angle in degrees.
[[nodiscard]] long double sinDeg(long double degrees);
[[nodiscard]] long double cosDeg(long double degrees);

} // namespace quorel
