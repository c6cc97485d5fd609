#include "core/data/lineclassifier.h"

#include "core/util/numbers.h"
#include "core/util/text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quorel {

namespace {

// Separators of the azimuth field, in priority order: the first of these that occurs anywhere in
// the line decides, not the leftmost of them.
constexpr std::string_view fieldSeparators = "/;\\\t ";

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

} // namespace

std::string_view LineClassifier::replaceSeparators(std::string_view field,
                                                   std::string &buffer) const
{
    const std::size_t dot = field.find('.');
    const std::size_t comma = field.find(',');
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

ClassifiedLine LineClassifier::classify(std::string_view rawLine)
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

    // Measurement line. The whole line is the field when it is a number by itself, unchanged or
    // with its first "." or its first "," taken as the decimal separator.
    std::string_view field;
    bool wholeLine = isFloat(line, m_separator);
    if (!wholeLine) {
        for (char decimal : {'.', ','}) {
            const std::size_t at = line.find(decimal);
            if (at == std::string_view::npos || decimal == m_separator)
                continue;
            m_probe.assign(line);
            m_probe[at] = m_separator;
            if (isFloat(m_probe, m_separator)) {
                wholeLine = true;
                break;
            }
        }
    }
    bool hasSeparator = false;
    if (wholeLine) {
        field = line;
    } else {
        field = line;
        for (char separator : fieldSeparators) {
            const std::size_t at = line.find(separator);
            if (at != std::string_view::npos) {
                field = line.substr(0, at);
                hasSeparator = true;
                break;
            }
        }
    }

    const std::string_view replaced = replaceSeparators(field, m_field);
    const std::optional<double> value = toFloat(replaced, m_separator);
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

std::size_t LineCursor::findFrom(char c) const
{
    if (m_pos >= m_text.size())
        return m_text.size();
    const void *at = std::memchr(m_text.data() + m_pos, c, m_text.size() - m_pos);
    return at ? static_cast<std::size_t>(static_cast<const char *>(at) - m_text.data())
              : m_text.size();
}

bool LineCursor::next(std::string_view &line)
{
    if (m_pos >= m_text.size())
        return false;
    // The next CR and the next LF are each searched once and remembered until passed, so a
    // file that uses only one kind of line end is still read in one pass (searching for LF
    // afresh on every line of a CR-only file would rescan the rest of the file each time).
    if (m_nextLf < m_pos)
        m_nextLf = findFrom('\n');
    if (m_nextCr < m_pos)
        m_nextCr = findFrom('\r');
    const std::size_t end = std::min(m_nextLf, m_nextCr);
    line = m_text.substr(m_pos, end - m_pos);
    m_pos = end;
    if (m_pos < m_text.size()) {
        if (m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n')
            m_pos += 2;
        else
            ++m_pos;
    }
    return true;
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
    LineCursor cursor(bytes);
    std::size_t count = 0;
    std::string_view line;
    while (cursor.next(line))
        ++count;
    return count;
}

} // namespace quorel
