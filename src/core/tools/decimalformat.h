#pragma once

#include <string>

namespace quorel {

// The value rounded to `places` decimals and written with at least one integer digit, exactly
// `places` decimals, the given separator and no grouping (the "0.00…" picture the converter and
// the random generator write). Rounding works on the value's first 18 significant digits,
// halves away from zero, so 0.125 gives 0.13 and 359.95 gives 360.0; digits asked for beyond
// those 18 are zeros. With 0 or fewer places the value is a whole number without separator.
// A negative value that rounds to zero is written without its sign.
[[nodiscard]] std::string formatRounded(long double value, int places, char decimalSeparator);

namespace detail {

// The first 18 significant digits of `magnitude`, correctly rounded (halves to even) as
// printf's "%.17Le" gives them, and how many of them stand before the point (the exponent
// + 1), computed without printf for values from 10^-18 to 10^17; false for any other value.
[[nodiscard]] bool quickSignificantDigits(long double magnitude, std::string &digits,
                                          int &intDigits);

} // namespace detail

} // namespace quorel
