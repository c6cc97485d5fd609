#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorel {

// A colour value: 0x00BBGGRR for a direct colour, 0xFF0000nn for system colour nn of the user's
// scheme (resolved only when drawn), written in data files as the signed decimal of its bits.
using Color = std::int32_t;

constexpr Color systemColor(int index)
{
    return static_cast<Color>(0xFF000000u | unsigned(index));
}
constexpr Color rgbColor(int red, int green, int blue)
{
    return red | (green << 8) | (blue << 16);
}
constexpr bool isSystemColor(Color color)
{
    return (static_cast<std::uint32_t>(color) >> 24) == 0xFF;
}

inline constexpr Color clBlack = 0x000000;
inline constexpr Color clMaroon = 0x000080;
inline constexpr Color clGreen = 0x008000;
inline constexpr Color clNavy = 0x800000;
inline constexpr Color clRed = 0x0000FF;
inline constexpr Color clBlue = 0xFF0000;
inline constexpr Color clGray = 0x808080;
inline constexpr Color clSilver = 0xC0C0C0;
inline constexpr Color clWhite = 0xFFFFFF;
inline constexpr Color clWindow = systemColor(5);
inline constexpr Color clWindowText = systemColor(8);
inline constexpr Color clBtnFace = systemColor(15);
inline constexpr Color clHighlight = systemColor(13);
inline constexpr Color clHighlightText = systemColor(14);
inline constexpr Color clNone = 0x1FFFFFFF;
inline constexpr Color clDefault = 0x20000000;

// A colour as drawn: red, green and blue bytes.
struct Rgb
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// The RGB of each system colour number 0..30, supplied by whoever draws: the GUI from its
// palette, the batch front end from the usual Windows scheme (classicSystemColors()).
using SystemColorTable = std::array<Rgb, 31>;

[[nodiscard]] const SystemColorTable &classicSystemColors();

// The colour as drawn. System colours come from the table; clNone draws as the window colour
// and clDefault as the window-text colour; other high bytes are ignored.
[[nodiscard]] Rgb resolveColor(Color color, const SystemColorTable &table);

// The one parser of colour texts: a whole number is taken as the colour's bits; otherwise the
// text gets a "cl" prefix unless it has one and is looked up among the 52 identifiers (any
// case); anything else gives the window-text colour.
[[nodiscard]] Color parseColor(std::string_view text);

// The identifier of a colour value ("clRed"), or an empty view when it has none.
[[nodiscard]] std::string_view colorIdentifier(Color color);

} // namespace quorel
