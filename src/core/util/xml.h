#pragma once

#include <string>
#include <string_view>

namespace quorel {

// How escapeXml writes what not every reader of the text needs escaped.
struct XmlEscaping
{
    // An apostrophe as it is, as "&apos;", or as "&#39;" (HTML 4 has no "&apos;").
    enum class Apostrophe { Kept, Named, Numbered };
    Apostrophe apostrophe = Apostrophe::Named;
    // Drops the bytes below 0x20 but the tab: XML 1.0 cannot hold most of them, and a line end
    // has no place in a one-line text.
    bool dropControls = false;
    // Writes every character beyond ASCII as a numbered reference ("&#322;"), so the text is
    // plain ASCII whatever the page's code page. Expects UTF-8; a byte that starts no valid
    // sequence is kept as it is.
    bool numberNonAscii = false;
};

// The text with '&', '<', '>' and '"' as entities and the rest as `how` says, for element
// content and quoted attribute values alike.
[[nodiscard]] std::string escapeXml(std::string_view text, const XmlEscaping &how = {});

} // namespace quorel
