#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace quorel {

// The kinds a line of a data file can be, tested in this order on the trimmed line.
enum class LineKind {
    Empty, // nothing but bytes of code 32 or less
    Comment, // "//", "#", or ";" without "="
    Parameter, // ";" NAME "=" VALUE
    Measurement, // a valid azimuth
    Invalid, // a measurement line whose azimuth field is not a number
};

// What one line holds. The views point into the classified line or into the classifier's own
// buffer, and stay valid until the classifier's next call.
struct ClassifiedLine
{
    LineKind kind = LineKind::Empty;
    std::string_view name; // Parameter: the name as written (compare without case, a-z only)
    std::string_view value; // Parameter: everything after the first "=", leading blanks kept
    std::string_view azimuth; // Measurement: the text stored for the measurement
    double degrees = 0; // Measurement: the azimuth in 0..360 after normalisation
    bool normalised = false; // Measurement: the value was outside 0..360 and was reduced
    int wholeDegrees = -1; // Measurement: `degrees` rounded, halves to even, when it came cheap
    int tenths = -1; // Measurement: `degrees` in tenths when it is a whole tenth and came cheap
    std::string_view offending; // Invalid: the text the error report quotes
};

// Classifies the lines of a data file, given the user's decimal separator. Works on bytes and
// allocates only when a field needs the separator replaced or an azimuth is normalised.
class LineClassifier
{
public:
    // `quickPath` false makes every line take the full rules (tests compare both ways).
    explicit LineClassifier(char decimalSeparator, bool quickPath = true);

    char decimalSeparator() const { return m_separator; }

    // `line` is one line without its line end; it is trimmed here.
    [[nodiscard]] ClassifiedLine classify(std::string_view line)
    {
        // Inline, so that the common line costs no call beyond the one pass over it; one
        // return, so the result is built where the caller keeps it, never copied.
        ClassifiedLine result;
        if (!m_quickPath || !classifyPlain(line, result))
            result = classifyFully(line);
        return result;
    }

private:
    // Every rule of the format, for any line.
    ClassifiedLine classifyFully(std::string_view line);

    // The common measurement line ("123.4\t56") in one pass; false sends the line to the full
    // rules.
    bool classifyPlain(std::string_view line, ClassifiedLine &result);

    // The field with its first "." and then its first "," replaced by the separator; a view of
    // `field` itself when nothing changes. `dot` and `comma` are the first "." and "," of the
    // line the field begins; positions past the field's end mean the field has none.
    std::string_view replaceSeparators(std::string_view field, std::size_t dot, std::size_t comma,
                                       std::string &buffer) const;

    char m_separator;
    bool m_quickPath;
    std::string m_field;
    std::string m_normalised;
    std::string m_probe;
};

// Walks the lines of a file's bytes: lines end at CR, LF or CR LF, the text ends at the first
// NUL byte, a last line without a line end counts, and a line end at the very end of the text
// does not start another line.
class LineCursor
{
public:
    explicit LineCursor(std::string_view bytes);

    // The next line without its line end; false when there is none.
    bool next(std::string_view &line);

private:
    // Position of the first `c` at or after m_pos, or the text's size.
    std::size_t findFrom(char c) const;

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_nextCr = 0; // the next CR at or after m_pos, or the text's size
    std::size_t m_nextLf = 0;
};

inline std::size_t LineCursor::findFrom(char c) const
{
    if (m_pos >= m_text.size())
        return m_text.size();
    const void *at = std::memchr(m_text.data() + m_pos, c, m_text.size() - m_pos);
    return at ? static_cast<std::size_t>(static_cast<const char *>(at) - m_text.data())
              : m_text.size();
}

inline bool LineCursor::next(std::string_view &line)
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

// The text of a file's bytes up to its first NUL byte.
[[nodiscard]] std::string_view textBeforeNul(std::string_view bytes);

// Number of lines LineCursor yields for these bytes.
[[nodiscard]] std::size_t countLines(std::string_view bytes);

} // namespace quorel
