#include "core/util/xml.h"

#include "core/util/text.h"

#include <cstdint>

namespace quorel {

std::string escapeXml(std::string_view text, const XmlEscaping &how)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        std::size_t length = 1;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            switch (how.apostrophe) {
            case XmlEscaping::Apostrophe::Kept:
                out += c;
                break;
            case XmlEscaping::Apostrophe::Named:
                out += "&apos;";
                break;
            case XmlEscaping::Apostrophe::Numbered:
                out += "&#39;";
                break;
            }
            break;
        default:
            if (byte < 0x20 && c != '\t' && how.dropControls)
                break;
            if (byte >= 0x80 && how.numberNonAscii) {
                char32_t code = 0;
                if (const std::size_t sequence = decodeUtf8(text, i, code); sequence > 0) {
                    out += "&#" + std::to_string(static_cast<std::uint32_t>(code)) + ";";
                    length = sequence;
                    break;
                }
            }
            out += c;
        }
        i += length;
    }
    return out;
}

} // namespace quorel
