#include "core/diagram/color.h"

#include "core/util/numbers.h"
#include "core/util/text.h"

#include <string>

namespace quorel {

namespace {

struct ColorName
{
    std::string_view name;
    Color value;
};

// Every identifier the colour parser understands: 20 direct colours, 30 system colours (there
// is no number 25) and the two specials.
constexpr std::array<ColorName, 52> colorNames {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clScrollBar", systemColor(0)},
    {"clBackground", systemColor(1)},
    {"clActiveCaption", systemColor(2)},
    {"clInactiveCaption", systemColor(3)},
    {"clMenu", systemColor(4)},
    {"clWindow", systemColor(5)},
    {"clWindowFrame", systemColor(6)},
    {"clMenuText", systemColor(7)},
    {"clWindowText", systemColor(8)},
    {"clCaptionText", systemColor(9)},
    {"clActiveBorder", systemColor(10)},
    {"clInactiveBorder", systemColor(11)},
    {"clAppWorkSpace", systemColor(12)},
    {"clHighlight", systemColor(13)},
    {"clHighlightText", systemColor(14)},
    {"clBtnFace", systemColor(15)},
    {"clBtnShadow", systemColor(16)},
    {"clGrayText", systemColor(17)},
    {"clBtnText", systemColor(18)},
    {"clInactiveCaptionText", systemColor(19)},
    {"clBtnHighlight", systemColor(20)},
    {"cl3DDkShadow", systemColor(21)},
    {"cl3DLight", systemColor(22)},
    {"clInfoText", systemColor(23)},
    {"clInfoBk", systemColor(24)},
    {"clHotLight", systemColor(26)},
    {"clGradientActiveCaption", systemColor(27)},
    {"clGradientInactiveCaption", systemColor(28)},
    {"clMenuHighlight", systemColor(29)},
    {"clMenuBar", systemColor(30)},
    {"clNone", clNone},
    {"clDefault", clDefault},
}};

constexpr Rgb rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return Rgb {r, g, b};
}

} // namespace

const SystemColorTable &classicSystemColors()
{
    // The classic desktop scheme: grey 3-D faces, white windows, black text, navy selection.
    static const SystemColorTable table {{
        rgb(192, 192, 192), //  0 scroll bar
        rgb(0, 128, 128), //  1 desktop
        rgb(0, 0, 128), //  2 active caption
        rgb(128, 128, 128), //  3 inactive caption
        rgb(192, 192, 192), //  4 menu
        rgb(255, 255, 255), //  5 window
        rgb(0, 0, 0), //  6 window frame
        rgb(0, 0, 0), //  7 menu text
        rgb(0, 0, 0), //  8 window text
        rgb(255, 255, 255), //  9 caption text
        rgb(192, 192, 192), // 10 active border
        rgb(192, 192, 192), // 11 inactive border
        rgb(128, 128, 128), // 12 application workspace
        rgb(0, 0, 128), // 13 highlight
        rgb(255, 255, 255), // 14 highlight text
        rgb(192, 192, 192), // 15 button face
        rgb(128, 128, 128), // 16 button shadow
        rgb(128, 128, 128), // 17 grey text
        rgb(0, 0, 0), // 18 button text
        rgb(192, 192, 192), // 19 inactive caption text
        rgb(255, 255, 255), // 20 button highlight
        rgb(0, 0, 0), // 21 3-D dark shadow
        rgb(223, 223, 223), // 22 3-D light
        rgb(0, 0, 0), // 23 tooltip text
        rgb(255, 255, 225), // 24 tooltip background
        rgb(0, 0, 0), // 25 unused
        rgb(0, 0, 128), // 26 hot-tracked item
        rgb(16, 132, 208), // 27 active caption gradient
        rgb(181, 181, 181), // 28 inactive caption gradient
        rgb(0, 0, 128), // 29 highlighted menu item
        rgb(192, 192, 192), // 30 menu bar
    }};
    return table;
}

Rgb resolveColor(Color color, const SystemColorTable &table)
{
    if (color == clNone)
        return table[5];
    if (color == clDefault)
        return table[8];
    const auto bits = static_cast<std::uint32_t>(color);
    if (isSystemColor(color)) {
        // Only the low byte names the system colour; numbers past the scheme draw black.
        const auto index = bits & 0xFFu;
        return index < table.size() ? table[index] : Rgb {};
    }
    return Rgb {static_cast<std::uint8_t>(bits & 0xFFu), static_cast<std::uint8_t>(bits >> 8),
                static_cast<std::uint8_t>(bits >> 16)};
}

Color parseColor(std::string_view text)
{
    if (const auto value = toInteger(text))
        return *value;

    std::string name;
    if (!startsWithIgnoreCaseAscii(text, "CL"))
        name = "cl";
    name += text;
    for (const auto &entry : colorNames) {
        if (equalsIgnoreCaseAscii(name, entry.name))
            return entry.value;
    }
    // A text that is neither a whole number nor an identifier ("Rose", "") draws as window text.
    return clWindowText;
}

std::string_view colorIdentifier(Color color)
{
    for (const auto &entry : colorNames) {
        if (entry.value == color)
            return entry.name;
    }
    return {};
}

} // namespace quorel
