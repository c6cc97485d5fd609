#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

// The angle units the converter knows.
enum class AngleUnit { Degree, Grad, Radian };

// The six directions of the converter window's radio buttons, in their order on screen.
enum class ConversionDirection { DegToGrad, DegToRad, GradToDeg, GradToRad, RadToDeg, RadToGrad };

// The direction from one unit to another; none when both are the same unit.
[[nodiscard]] std::optional<ConversionDirection> directionBetween(AngleUnit from, AngleUnit to);

// Parses "deg", "grad" or "rad" (any case).
[[nodiscard]] std::optional<AngleUnit> angleUnitFromName(std::string_view name);

// The places the converter rounds to: the field's text when it is an integer (limited to the
// range 0..20 of the places control), else 2.
[[nodiscard]] int placesFromText(std::string_view text);

inline constexpr int minPlaces = 0;
inline constexpr int maxPlaces = 20;
inline constexpr int defaultPlaces = 2;

// Converts every number in a text between degrees, grads and radians, keeping everything else.
// A number is a maximal run of digits, "." and "," that holds a digit and has no letter right
// before it (so labels such as J2 or S0 stay), with an exponent ("e" or "E", an optional sign,
// digits) right after it taken in. Every other byte is copied as it is: a minus sign stays in
// front of the converted value, a lone "," or "." stays punctuation, and the words after a
// number ("61S") stay words. A number that does not parse with at most one decimal separator
// becomes 0; one too large for the arithmetic is copied as it was.
class AngleConverter
{
public:
    // `direction` empty converts nothing but still rounds every number (the same unit on both
    // sides).
    AngleConverter(std::optional<ConversionDirection> direction, int places, char decimalSeparator);

    // The value converted in extended precision: the degree <-> grad directions go through
    // radians with two multiplications. A result that overflows gives the value unconverted.
    [[nodiscard]] static long double convertValue(long double value,
                                                  std::optional<ConversionDirection> direction);

    // One token (digits, "." and ",", perhaps followed by an exponent): its first "." and then
    // its first "," become the decimal separator; none when the text is then not a number or
    // its value is beyond the arithmetic's range.
    [[nodiscard]] std::optional<long double> parseToken(std::string_view token) const;
    [[nodiscard]] std::string convertToken(std::string_view token) const;

    // One line without its line end; the result is appended to `out`.
    void convertLine(std::string_view line, std::string &out) const;
    [[nodiscard]] std::string convertLine(std::string_view line) const;

    int places() const { return m_places; }
    char decimalSeparator() const { return m_separator; }

private:
    // A number's digits and separators, and its exponent (empty when it has none).
    std::string convertNumber(std::string_view mantissa, std::string_view exponent) const;

    std::optional<ConversionDirection> m_direction;
    int m_places;
    char m_separator;
};

// Called once before each line with the lines done so far and the total; returning false stops.
using ConversionProgress = std::function<bool(std::size_t done, std::size_t total)>;

struct ConvertedText
{
    std::vector<std::string> lines; // one result per input line, in order
    bool aborted = false; // the progress callback stopped the work; `lines` is then empty
};

// Converts a whole text line by line (lines end at CR LF, LF or CR; a line end at the very end
// does not start another line).
[[nodiscard]] ConvertedText convertText(std::string_view text, const AngleConverter &converter,
                                        const ConversionProgress &progress = {});

} // namespace quorel
