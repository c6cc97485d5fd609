#include "core/persist/textencoding.h"

#include "core/util/text.h"

#include <array>
#include <map>

namespace quorel {

namespace {

// Reverse of the Windows-1250 table that displayText() reads with: code point -> byte.
const std::map<char32_t, char> &windows1250Bytes()
{
    static const std::map<char32_t, char> table = [] {
        std::map<char32_t, char> bytes;
        const auto &unicode = windows1250Table();
        for (std::size_t i = 0; i < unicode.size(); ++i) {
            if (unicode[i] != 0)
                bytes.emplace(unicode[i], static_cast<char>(0x80 + i));
        }
        return bytes;
    }();
    return table;
}

} // namespace

TextEncoding detectEncoding(std::string_view bytes)
{
    return isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1250;
}

std::string utf8ToWindows1250(std::string_view utf8)
{
    const auto &table = windows1250Bytes();
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(utf8, pos, cp);
        if (length == 0) {
            out += utf8[pos++];
            continue;
        }
        pos += length;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else {
            const auto it = table.find(cp);
            out += it != table.end() ? it->second : '?';
        }
    }
    return out;
}

std::string encodeText(std::string_view utf8, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1250)
        return utf8ToWindows1250(utf8);
    // Text still in the old code page (taken from such a file) is converted, so a UTF-8 file
    // stays valid UTF-8.
    return isValidUtf8(utf8) ? std::string(utf8) : displayText(utf8);
}

} // namespace quorel
