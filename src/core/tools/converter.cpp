#include "core/tools/converter.h"

#include "core/tools/decimalformat.h"
#include "core/util/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quorel {

namespace {

// The factors as the converter has always used them, in extended precision.
constexpr long double degToRad = 0.017453292519943295769L; // pi / 180
constexpr long double radToDeg = 57.295779513082320877L; // 180 / pi
constexpr long double gradToRad = 0.015707963267948966192L; // pi / 200
constexpr long double radToGrad = 63.661977236758134305L; // 200 / pi

constexpr bool isNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == ',';
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
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
    std::string text(token);
    if (auto dot = text.find('.'); dot != std::string::npos)
        text[dot] = m_separator;
    if (auto comma = text.find(','); comma != std::string::npos)
        text[comma] = m_separator;

    // What remains must be digits with at most one separator and at least one digit; the
    // separator becomes "." for the locale-independent parse below.
    std::size_t digits = 0;
    bool seenSeparator = false;
    for (char &c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == m_separator && !seenSeparator) {
            seenSeparator = true;
            c = '.';
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;

    long double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string AngleConverter::convertToken(std::string_view token) const
{
    const long double value = parseToken(token).value_or(0.0L);
    return formatRounded(convertValue(value, m_direction), m_places, m_separator);
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
        while (end < line.size() && isNumberChar(line[end]))
            ++end;
        out += convertToken(line.substr(i, end - i));
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
