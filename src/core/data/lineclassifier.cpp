#include "core/data/lineclassifier.h"

#include "core/util/numbers.h"
#include "core/util/text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

namespace quorel {

namespace {

// Separators of the azimuth field, in priority order: the first of these that occurs anywhere in
// the line decides, not the leftmost of them.
using detail::fieldSeparators;

// Reduces a value above 360 or below 0 into the range the repeated subtraction (or addition) of
// 360 would reach: (0, 360] from above, [0, 360) from below. A remainder keeps huge values such
// as 1e300 from looping forever, where x - 360 == x.
double normaliseDegrees(double value)
{
    if (value > 360) {
        const double r = std::fmod(value, 360.0);
        return r == 0 ? 360.0 : r;
    }
    double r = std::fmod(value, 360.0);
    if (r < 0)
        r += 360.0;
    return r == 0 ? 0.0 : r; // never -0
}

// Where the azimuth field ends (at the first occurrence of the first separator, in priority
// order, that occurs in the line; npos when none does), and the first "." and "," of the line.
// One pass over the line.
struct LineMarks
{
    std::size_t fieldEnd = std::string_view::npos;
    std::size_t dot = std::string_view::npos;
    std::size_t comma = std::string_view::npos;
};

using detail::separatorRank;

// Bytes that markLine looks at; every other byte is skipped with one table look-up.
constexpr std::array<bool, 256> markedBytes = [] {
    std::array<bool, 256> marked {};
    for (char c : std::string_view("/;\\\t .,"))
        marked[static_cast<unsigned char>(c)] = true;
    return marked;
}();

LineMarks markLine(std::string_view line)
{
    constexpr std::size_t none = std::string_view::npos;
    LineMarks marks;
    std::size_t slash = none;
    std::size_t semicolon = none;
    std::size_t backslash = none;
    std::size_t tab = none;
    std::size_t blank = none;
    // Backwards, so each position left standing is the first occurrence.
    for (std::size_t i = line.size(); i-- > 0;) {
        if (!markedBytes[static_cast<unsigned char>(line[i])])
            continue;
        switch (line[i]) {
        case '/':
            slash = i;
            break;
        case ';':
            semicolon = i;
            break;
        case '\\':
            backslash = i;
            break;
        case '\t':
            tab = i;
            break;
        case ' ':
            blank = i;
            break;
        case '.':
            marks.dot = i;
            break;
        default:
            marks.comma = i;
            break;
        }
    }
    for (std::size_t at : {slash, semicolon, backslash, tab, blank}) {
        if (at != none) {
            marks.fieldEnd = at;
            break;
        }
    }
    return marks;
}

// Plain decimals ("123.4", "-0045", "7,25"): an optional sign, at most 15 digits with one
// decimal separator between digits, nothing else. Their value is the integer of the digits
// divided by a power of ten, both exact in a double, so the one rounding of the division gives
// the same correctly rounded value as the full conversion. Anything else gives nullopt and
// takes the full conversion (toFloat), which also decides what is invalid.
std::optional<double> quickDecimal(std::string_view text, char decimalSeparator)
{
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i >= text.size() || text[i] == decimalSeparator || text.back() == decimalSeparator)
        return std::nullopt;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool afterSeparator = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++digits > 15)
                return std::nullopt;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            decimals += afterSeparator ? 1 : 0;
        } else if (c == decimalSeparator && !afterSeparator) {
            afterSeparator = true;
        } else {
            return std::nullopt;
        }
    }
    const double value = static_cast<double>(mantissa) / powersOfTen[decimals];
    return negative ? -value : value;
}

} // namespace

LineClassifier::LineClassifier(char decimalSeparator, bool quickPath)
    : m_separator(decimalSeparator)
    // When the decimal separator is also a field separator, the whole-line rule needs the full
    // rules on every line.
    , m_quickPath(quickPath && fieldSeparators.find(decimalSeparator) == std::string_view::npos)
{ }

std::string_view LineClassifier::replaceSeparators(std::string_view field, std::size_t dot,
                                                   std::size_t comma, std::string &buffer) const
{
    if (dot >= field.size())
        dot = std::string_view::npos;
    if (comma >= field.size())
        comma = std::string_view::npos;
    if ((dot == std::string_view::npos || m_separator == '.')
        && (comma == std::string_view::npos || m_separator == ',')) {
        return field;
    }
    buffer.assign(field);
    if (dot != std::string_view::npos)
        buffer[dot] = m_separator;
    // The first "," of the text after the first replacement (which may itself have made one).
    if (const std::size_t c = buffer.find(','); c != std::string::npos)
        buffer[c] = m_separator;
    return buffer;
}

ClassifiedLine LineClassifier::classifyFully(std::string_view rawLine)
{
    ClassifiedLine result;
    const std::string_view line = trimControl(rawLine);
    if (line.empty())
        return result;
    if (line.starts_with("//") || line.front() == '#') {
        result.kind = LineKind::Comment;
        return result;
    }
    if (line.front() == ';') {
        const std::string_view rest = trimControl(line.substr(1));
        const std::size_t equals = rest.find('=');
        if (equals == std::string_view::npos) {
            result.kind = LineKind::Comment;
            return result;
        }
        result.kind = LineKind::Parameter;
        result.name = rest.substr(0, equals);
        result.value = rest.substr(equals + 1);
        return result;
    }

    // Measurement line. A number never holds a field separator unless the decimal separator is
    // one of them, so only then can "the whole line is the field when it is a number by itself"
    // give another field than the separator search.
    bool wholeLine = false;
    if (fieldSeparators.find(m_separator) != std::string_view::npos) {
        wholeLine = isFloat(line, m_separator);
        for (char decimal : {'.', ','}) {
            const std::size_t at = line.find(decimal);
            if (wholeLine || at == std::string_view::npos || decimal == m_separator)
                continue;
            m_probe.assign(line);
            m_probe[at] = m_separator;
            wholeLine = isFloat(m_probe, m_separator);
        }
    }
    const LineMarks marks = markLine(line);
    std::string_view field = line;
    bool hasSeparator = false;
    if (!wholeLine && marks.fieldEnd != std::string_view::npos) {
        field = line.substr(0, marks.fieldEnd);
        hasSeparator = true;
    }

    const std::string_view replaced = replaceSeparators(field, marks.dot, marks.comma, m_field);
    std::optional<double> value = quickDecimal(replaced, m_separator);
    if (!value)
        value = toFloat(replaced, m_separator);
    if (!value) {
        result.kind = LineKind::Invalid;
        result.offending = hasSeparator ? replaced : line;
        return result;
    }

    result.kind = LineKind::Measurement;
    if (*value >= 0 && *value <= 360) {
        result.azimuth = replaced;
        result.degrees = *value;
    } else {
        result.degrees = normaliseDegrees(*value);
        result.normalised = true;
        m_normalised = formatFixed(result.degrees, 4, m_separator);
        result.azimuth = m_normalised;
    }
    return result;
}

LineCursor::LineCursor(std::string_view bytes)
    : m_text(textBeforeNul(bytes))
{
    m_nextCr = findFrom('\r');
    m_nextLf = findFrom('\n');
}

std::string_view textBeforeNul(std::string_view bytes)
{
    if (bytes.empty())
        return bytes;
    if (const void *nul = std::memchr(bytes.data(), '\0', bytes.size()))
        return bytes.substr(
            0, static_cast<std::size_t>(static_cast<const char *>(nul) - bytes.data()));
    return bytes;
}

std::size_t countLines(std::string_view bytes)
{
    const std::string_view text = textBeforeNul(bytes);
    if (text.empty())
        return 0;
    if (!std::memchr(text.data(), '\r', text.size())) {
        // Only LF ends lines: count them (a loop the compiler vectorises), plus a last line
        // without one.
        std::size_t ends = 0;
        for (const char c : text)
            ends += c == '\n' ? 1 : 0;
        return ends + (text.back() != '\n' ? 1 : 0);
    }
    LineCursor cursor(text);
    std::size_t count = 0;
    std::string_view line;
    while (cursor.next(line))
        ++count;
    return count;
}

} // namespace quorel
