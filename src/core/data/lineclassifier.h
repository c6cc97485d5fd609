#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace quorel {

namespace detail {

// The field separators in their order of priority.
inline constexpr std::string_view fieldSeparators = "/;\\\t ";

// 1 + the priority position of each field separator ("/" 1 ... blank 5); 0 for other bytes.
inline constexpr std::array<int, 256> separatorRank = [] {
    std::array<int, 256> rank {};
    for (std::size_t i = 0; i < fieldSeparators.size(); ++i)
        rank[static_cast<unsigned char>(fieldSeparators[i])] = static_cast<int>(i) + 1;
    return rank;
}();

} // namespace detail

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
    // rules. Defined below, so that it is inlined where lines are read.
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

inline bool LineClassifier::classifyPlain(std::string_view line, ClassifiedLine &result)
{
    // Accepted: a digit first (so the line is neither blank-led, a comment nor a parameter),
    // at most 15 digits with at most one "." or "," between them, a value of at most 360, then
    // the end of the line or a separator with no separator of higher priority after it. The
    // full rules give the same field, text and value for every such line; anything else goes
    // to them.
    const std::size_t n = line.size();
    if (n == 0 || line[0] < '0' || line[0] > '9')
        return false;
    // The digits before and after the point in two tight loops. The mantissa may wrap around
    // on a very long digit run (unsigned, so well defined); such a line is refused below.
    std::uint64_t mantissa = 0;
    std::size_t i = 0;
    while (i < n && static_cast<unsigned char>(line[i] - '0') <= 9) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(line[i] - '0');
        ++i;
    }
    std::size_t point = std::string_view::npos;
    int decimals = 0;
    if (i < n && (line[i] == '.' || line[i] == ',')) {
        point = i++;
        const std::size_t first = i;
        while (i < n && static_cast<unsigned char>(line[i] - '0') <= 9) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(line[i] - '0');
            ++i;
        }
        decimals = static_cast<int>(std::min<std::size_t>(i - first, 16));
    }
    if (i - (point == std::string_view::npos ? 0 : 1) > 15)
        return false;
    if (point == i - 1)
        return false; // "5." and the like: left to the full conversion
    if (i < n) {
        const int rank = detail::separatorRank[static_cast<unsigned char>(line[i])];
        if (rank == 0)
            return false;
        // A separator of higher priority anywhere after this one would end the field there.
        for (std::size_t j = i + 1; j < n; ++j) {
            const int other = detail::separatorRank[static_cast<unsigned char>(line[j])];
            if (other != 0 && other < rank)
                return false;
        }
    }
    // The range test and the rounding on the integer of the digits, so nothing waits on the
    // division; the value is the integer over a power of ten, both exact, rounded once.
    static constexpr std::uint64_t scales[] = {1ull,
                                               10ull,
                                               100ull,
                                               1000ull,
                                               10000ull,
                                               100000ull,
                                               1000000ull,
                                               10000000ull,
                                               100000000ull,
                                               1000000000ull,
                                               10000000000ull,
                                               100000000000ull,
                                               1000000000000ull,
                                               10000000000000ull,
                                               100000000000000ull,
                                               1000000000000000ull};
    const std::uint64_t scale = scales[decimals];
    if (mantissa > 360 * scale)
        return false;
    std::uint64_t whole = mantissa;
    std::uint64_t rest = 0;
    switch (decimals) {
    case 0:
        break;
    case 1: // the common case, divided by a constant
        whole = mantissa / 10;
        rest = mantissa % 10;
        break;
    default:
        whole = mantissa / scale;
        rest = mantissa % scale;
        break;
    }
    if (2 * rest > scale || (2 * rest == scale && (whole & 1) != 0))
        ++whole;
    result.wholeDegrees = static_cast<int>(whole);
    // Whole degrees and tenths, nearly every typed azimuth, are tallied for the circular
    // statistics by their integer.
    if (decimals <= 1)
        result.tenths = static_cast<int>(decimals == 0 ? 10 * mantissa : mantissa);
    // Both below 2^53, so converting them as signed numbers (one instruction each) is exact.
    const double value = static_cast<double>(static_cast<std::int64_t>(mantissa))
        / static_cast<double>(static_cast<std::int64_t>(scale));

    std::string_view field = line.substr(0, i);
    if (point != std::string_view::npos && field[point] != m_separator) {
        m_field.assign(field);
        m_field[point] = m_separator;
        field = m_field;
    }
    result.kind = LineKind::Measurement;
    result.azimuth = field;
    result.degrees = value;
    return true;
}

} // namespace quorel
