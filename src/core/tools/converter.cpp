#include "core/tools/converter.h"

#include "core/tools/decimalformat.h"
#include "core/util/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace quorel {

namespace {

// The factors as the converter has always used them, in extended precision.
constexpr long double degToRad = 0.017453292519943295769L; // pi / 180
constexpr long double radToDeg = 57.295779513082320877L; // 180 / pi
constexpr long double gradToRad = 0.015707963267948966192L; // pi / 200
constexpr long double radToGrad = 63.661977236758134305L; // 200 / pi

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr bool isNumberChar(char c)
{
    return isDigit(c) || c == '.' || c == ',';
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether a letter ends right before `pos`: an ASCII letter, or one written in two UTF-8 bytes
// from U+00C0 on (the Polish, other Latin, Greek and Cyrillic letters; "×" and "÷" are signs).
// The bytes of an older one-byte encoding count as no letter, so such text converts as it did.
bool letterBefore(std::string_view line, std::size_t pos)
{
    if (pos == 0)
        return false;
    if (isAsciiLetter(line[pos - 1]))
        return true;
    if (pos < 2)
        return false;
    const auto lead = static_cast<unsigned char>(line[pos - 2]);
    const auto last = static_cast<unsigned char>(line[pos - 1]);
    if ((lead & 0xE0u) != 0xC0u || (last & 0xC0u) != 0x80u)
        return false;
    const unsigned code = ((lead & 0x1Fu) << 6u) | (last & 0x3Fu);
    return code >= 0xC0u && code != 0xD7u && code != 0xF7u;
}

// The length of the exponent ("e" or "E", an optional sign, at least one digit) that `rest`
// starts with; 0 when it starts with none.
std::size_t exponentLength(std::string_view rest)
{
    if (rest.empty() || (rest[0] != 'e' && rest[0] != 'E'))
        return 0;
    std::size_t end = 1;
    if (end < rest.size() && (rest[end] == '+' || rest[end] == '-'))
        ++end;
    const std::size_t digits = end;
    while (end < rest.size() && isDigit(rest[end]))
        ++end;
    return end == digits ? 0 : end;
}

struct ParsedToken
{
    std::optional<long double> value;
    bool outOfRange = false; // a number, but beyond what long double holds
};

// A number made of `mantissa` (digits, "." and ",") and `exponent` (empty, or as
// exponentLength() finds it).
ParsedToken parseNumber(std::string_view mantissa, std::string_view exponent, char separator)
{
    std::string text(mantissa);
    if (auto dot = text.find('.'); dot != std::string::npos)
        text[dot] = separator;
    if (auto comma = text.find(','); comma != std::string::npos)
        text[comma] = separator;

    // What remains must be digits with at most one separator and at least one digit; the
    // separator becomes "." for the locale-independent parse below.
    std::size_t digits = 0;
    bool seenSeparator = false;
    for (char &c : text) {
        if (isDigit(c)) {
            ++digits;
        } else if (c == separator && !seenSeparator) {
            seenSeparator = true;
            c = '.';
        } else {
            return {};
        }
    }
    if (digits == 0)
        return {};
    if (!exponent.empty())
        text += exponent;

    long double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range)
        return {std::nullopt, true};
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value))
        return {};
    return {value};
}

// A token split where its run of number characters ends; none when what follows the run is not
// an exponent.
std::optional<std::pair<std::string_view, std::string_view>> splitToken(std::string_view token)
{
    std::size_t end = 0;
    while (end < token.size() && isNumberChar(token[end]))
        ++end;
    const std::string_view exponent = token.substr(end);
    if (exponentLength(exponent) != exponent.size())
        return std::nullopt;
    return std::pair(token.substr(0, end), exponent);
}

} // namespace

std::optional<ConversionDirection> directionBetween(AngleUnit from, AngleUnit to)
{
    using D = ConversionDirection;
    switch (from) {
    case AngleUnit::Degree:
        if (to == AngleUnit::Grad)
            return D::DegToGrad;
        if (to == AngleUnit::Radian)
            return D::DegToRad;
        break;
    case AngleUnit::Grad:
        if (to == AngleUnit::Degree)
            return D::GradToDeg;
        if (to == AngleUnit::Radian)
            return D::GradToRad;
        break;
    case AngleUnit::Radian:
        if (to == AngleUnit::Degree)
            return D::RadToDeg;
        if (to == AngleUnit::Grad)
            return D::RadToGrad;
        break;
    }
    return std::nullopt;
}

std::optional<AngleUnit> angleUnitFromName(std::string_view name)
{
    std::string lower;
    std::transform(name.begin(), name.end(), std::back_inserter(lower), lowerAscii);
    if (lower == "deg")
        return AngleUnit::Degree;
    if (lower == "grad")
        return AngleUnit::Grad;
    if (lower == "rad")
        return AngleUnit::Radian;
    return std::nullopt;
}

int placesFromText(std::string_view text)
{
    const auto value = toInteger(text);
    if (!value)
        return defaultPlaces;
    return std::clamp(*value, minPlaces, maxPlaces);
}

AngleConverter::AngleConverter(std::optional<ConversionDirection> direction, int places,
                               char decimalSeparator)
    : m_direction(direction)
    , m_places(std::clamp(places, minPlaces, maxPlaces))
    , m_separator(decimalSeparator)
{ }

long double AngleConverter::convertValue(long double value,
                                         std::optional<ConversionDirection> direction)
{
    if (!direction)
        return value;
    long double result = value;
    switch (*direction) {
    case ConversionDirection::DegToGrad:
        result = value * degToRad * radToGrad;
        break;
    case ConversionDirection::DegToRad:
        result = value * degToRad;
        break;
    case ConversionDirection::GradToDeg:
        result = value * gradToRad * radToDeg;
        break;
    case ConversionDirection::GradToRad:
        result = value * gradToRad;
        break;
    case ConversionDirection::RadToDeg:
        result = value * radToDeg;
        break;
    case ConversionDirection::RadToGrad:
        result = value * radToGrad;
        break;
    }
    return std::isfinite(result) ? result : value;
}

std::optional<long double> AngleConverter::parseToken(std::string_view token) const
{
    const auto parts = splitToken(token);
    if (!parts)
        return std::nullopt;
    return parseNumber(parts->first, parts->second, m_separator).value;
}

std::string AngleConverter::convertToken(std::string_view token) const
{
    const auto parts = splitToken(token);
    return parts ? convertNumber(parts->first, parts->second) : convertNumber(token, {});
}

std::string AngleConverter::convertNumber(std::string_view mantissa,
                                          std::string_view exponent) const
{
    const ParsedToken parsed = parseNumber(mantissa, exponent, m_separator);
    if (parsed.outOfRange) {
        std::string copy(mantissa);
        copy += exponent;
        return copy;
    }
    return formatRounded(convertValue(parsed.value.value_or(0.0L), m_direction), m_places,
                         m_separator);
}

void AngleConverter::convertLine(std::string_view line, std::string &out) const
{
    std::size_t i = 0;
    while (i < line.size()) {
        if (!isNumberChar(line[i])) {
            out += line[i];
            ++i;
            continue;
        }
        std::size_t end = i;
        bool hasDigit = false;
        while (end < line.size() && isNumberChar(line[end])) {
            hasDigit = hasDigit || isDigit(line[end]);
            ++end;
        }
        if (!hasDigit || letterBefore(line, i)) {
            // Punctuation, or the number of a label such as J2.
            out.append(line.substr(i, end - i));
        } else {
            const std::size_t exponent = exponentLength(line.substr(end));
            out += convertNumber(line.substr(i, end - i), line.substr(end, exponent));
            end += exponent;
        }
        i = end;
    }
}

std::string AngleConverter::convertLine(std::string_view line) const
{
    std::string out;
    convertLine(line, out);
    return out;
}

ConvertedText convertText(std::string_view text, const AngleConverter &converter,
                          const ConversionProgress &progress)
{
    // Split first so the progress knows the total.
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }

    ConvertedText result;
    result.lines.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (progress && !progress(i, lines.size())) {
            result.lines.clear();
            result.aborted = true;
            return result;
        }
        result.lines.push_back(converter.convertLine(lines[i]));
    }
    return result;
}

} // namespace quorel
