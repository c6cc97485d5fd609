#pragma once

#include "core/diagram/color.h"
#include "core/diagram/diagramstyle.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

class Picture;

// The picture as a placeable Windows Metafile: the bytes "Save graph...", the report and the
// batch front end write. The 22-byte placeable header gives the bounding box 0, 0, width,
// height at 96 units per inch; system colours are resolved with the table when written.
// Every pen, brush and font is created in the lowest free slot of the object table, selected,
// and deleted once its successor is selected, so at most four objects are ever alive.
// Coordinates outside the 16-bit range of the format are clamped to it.
[[nodiscard]] std::string writePlaceableWmf(const Picture &picture,
                                            const SystemColorTable &systemColors);

// Record layout and text conversion shared by the metafile writers and the reader.
namespace wmf {

inline constexpr std::uint32_t placeableKey = 0x9AC6CDD7u;
inline constexpr int placeableHeaderSize = 22;
inline constexpr int metaHeaderWords = 9;
inline constexpr int unitsPerInch = 96;

enum Function : std::uint16_t {
    MetaEof = 0x0000,
    MetaSetBkColor = 0x0201,
    MetaSetBkMode = 0x0102,
    MetaSetMapMode = 0x0103,
    MetaSetTextColor = 0x0209,
    MetaSetTextAlign = 0x012E,
    MetaSetWindowOrg = 0x020B,
    MetaSetWindowExt = 0x020C,
    MetaLineTo = 0x0213,
    MetaMoveTo = 0x0214,
    MetaEllipse = 0x0418,
    MetaRectangle = 0x041B,
    MetaPie = 0x081A,
    MetaPolygon = 0x0324,
    MetaPolyline = 0x0325,
    MetaTextOut = 0x0521,
    MetaExtTextOut = 0x0A32,
    MetaSelectObject = 0x012D,
    MetaDeleteObject = 0x01F0,
    MetaCreatePalette = 0x00F7,
    MetaCreatePatternBrush = 0x01F9,
    MetaCreatePenIndirect = 0x02FA,
    MetaCreateFontIndirect = 0x02FB,
    MetaCreateBrushIndirect = 0x02FC,
    MetaCreateRegion = 0x06FF,
    MetaDibCreatePatternBrush = 0x0142,
};

enum BkMode : std::uint16_t { Transparent = 1, Opaque = 2 };
enum BrushStyle : std::uint16_t { BsSolid = 0, BsNull = 1, BsHatched = 2 };
enum HatchStyle : std::uint16_t {
    HsHorizontal = 0,
    HsVertical = 1,
    HsFDiagonal = 2,
    HsBDiagonal = 3,
    HsCross = 4,
    HsDiagCross = 5,
};
enum Charset : std::uint8_t { AnsiCharset = 0, EastEuropeCharset = 238 };
inline constexpr std::uint16_t mmAnisotropic = 8;
inline constexpr int faceNameBytes = 32;
inline constexpr int fontWeightNormal = 400;
inline constexpr int fontWeightBold = 700;

// The HS_* code of a hatch; Solid has none and gives HsHorizontal.
[[nodiscard]] std::uint16_t hatchCode(BrushPattern pattern);

// For each operation of the picture that selects a font, the charset that font needs for the
// texts drawn with it (Central European as soon as one of them needs it); ANSI elsewhere.
[[nodiscard]] std::vector<Charset> fontCharsets(const Picture &picture);

// The logical font height (negative: character height) of a size in points at 96 dpi.
[[nodiscard]] int fontHeightFromPoints(int points);
// The size in points of a logical font height; the inverse of fontHeightFromPoints.
[[nodiscard]] int pointsFromFontHeight(int height);

// The text of a Picture (UTF-8, or Windows-1250 bytes when not valid UTF-8) as Unicode.
[[nodiscard]] std::u32string decodePictureText(std::string_view bytes);

// The charset a font needs for these characters: ANSI when Windows-1252 holds them all,
// otherwise Central European when Windows-1250 does (Polish letters), otherwise ANSI.
[[nodiscard]] Charset charsetFor(std::u32string_view text);
// The characters in the charset's code page; what it lacks becomes '?'.
[[nodiscard]] std::string encodeForCharset(std::u32string_view text, Charset charset);
// Bytes of a code page (Windows-1250 for Central European, else Windows-1252) as UTF-8.
[[nodiscard]] std::string decodeToUtf8(std::string_view bytes, std::uint8_t charset);

} // namespace wmf

} // namespace quorel
