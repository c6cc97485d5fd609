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

// Length of the valid UTF-8 sequence at `pos` and its code point; 0 when it is not valid.
std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t &cp)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
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
