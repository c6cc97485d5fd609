// The angle converter on arbitrary text: one result line per input line, and every byte that
// cannot be part of a number or its exponent comes out unchanged and in order.
#include "fuzzcheck.h"

#include "core/data/lineclassifier.h"
#include "core/tools/converter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace quorel;

namespace {

std::string withoutNumbers(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if ((c < '0' || c > '9') && c != '.' && c != ',' && c != 'e' && c != 'E' && c != '+'
            && c != '-')
            out += c;
    }
    return out;
}

std::size_t lineCount(std::string_view text)
{
    // The converter reads NUL bytes as ordinary bytes; count CR, LF and CR LF line ends.
    std::size_t lines = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        ++lines;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n')
            ++i;
        if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (i < text.size())
            ++i;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int choice = data[0] % 7;
    const std::optional<ConversionDirection> direction =
        choice == 6 ? std::nullopt : std::optional(static_cast<ConversionDirection>(choice));
    const int places = data[1] % (maxPlaces + 1);
    const char separator = (data[0] & 0x80) ? ',' : '.';
    const std::string_view text(reinterpret_cast<const char *>(data) + 2, size - 2);

    const AngleConverter converter(direction, places, separator);
    const ConvertedText converted = convertText(text, converter);
    FUZZ_CHECK(!converted.aborted);
    FUZZ_CHECK(converted.lines.size() == lineCount(text));

    std::string joinedIn;
    std::string joinedOut;
    for (const std::string &out : converted.lines) {
        FUZZ_CHECK(out.find_first_of("\r\n") == std::string::npos);
        joinedOut += withoutNumbers(out);
        joinedOut += '\n';
    }
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", i);
        const std::string_view line =
            text.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
        joinedIn += withoutNumbers(line);
        joinedIn += '\n';
        if (end == std::string_view::npos)
            break;
        i = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    FUZZ_CHECK(joinedIn == joinedOut);
    return 0;
}
