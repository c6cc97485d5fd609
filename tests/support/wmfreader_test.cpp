#include "support/wmfreader.h"

#include "core/diagram/renderer.h"
#include "core/diagram/wmfwriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

using namespace quorel;
using namespace quorel::wmf;

namespace {

Picture samplePicture()
{
    Picture p(460, 460);
    p.selectBrush({Brush::Kind::Solid, clWhite, BrushPattern::Solid});
    p.selectPen({clWhite, PenPattern::Solid, 0});
    p.rectangle(0, 0, 460, 460);
    p.selectBrush({Brush::Kind::Null, clBlack, BrushPattern::Solid});
    for (auto pattern : {PenPattern::Solid, PenPattern::Dash, PenPattern::Dot, PenPattern::DashDot,
                         PenPattern::DashDotDot}) {
        p.selectPen({clGray, pattern, 0});
        p.ellipse(23, 23, 437, 437);
    }
    p.selectPen({clSilver, PenPattern::Solid, 1});
    p.selectFont({"Courier New", 7, clBlack, false, false, false});
    p.line(230, 230, 230, 10);
    p.text(232, 0, "0");
    p.line(230, 230, 455, 230);
    p.text(449, 230, "90");
    for (auto hatch : {BrushPattern::BDiagonal, BrushPattern::FDiagonal, BrushPattern::Cross,
                       BrushPattern::DiagCross, BrushPattern::Horizontal, BrushPattern::Vertical}) {
        p.selectBrush({Brush::Kind::Hatched, clMaroon, hatch});
        p.pie(126, 126, 334, 334, 212, 332, 230, 334);
    }
    p.selectBrush({Brush::Kind::Solid, rgbColor(1, 2, 3), BrushPattern::Solid});
    p.selectPen({clRed, PenPattern::Solid, 1});
    p.pie(23, 23, 437, 437, 266, 26, 230, 23);
    p.selectFont({"Times New Roman", 12, clBlue, true, true, true});
    p.text(10, 400, "Zbi\xC3\xB3r: \xC5\xBC\xC3\xB3\xC5\x82ty pas, 10\xC2\xB0");
    p.selectFont({"Arial", 10, clNavy, false, false, false});
    p.text(-3, 4500, "");
    return p;
}

Color resolved(Color color)
{
    const Rgb rgb = resolveColor(color, classicSystemColors());
    return rgbColor(rgb.red, rgb.green, rgb.blue);
}

// The picture as the reader gives it back: every colour resolved to a direct colour.
Picture withResolvedColors(const Picture &picture)
{
    Picture out(picture.width(), picture.height());
    for (const auto &op : picture.ops()) {
        if (const auto *pen = std::get_if<op::SelectPen>(&op)) {
            Pen p = pen->pen;
            p.color = resolved(p.color);
            out.selectPen(p);
        } else if (const auto *brush = std::get_if<op::SelectBrush>(&op)) {
            Brush b = brush->brush;
            b.color = resolved(b.color);
            out.selectBrush(b);
        } else if (const auto *font = std::get_if<op::SelectFont>(&op)) {
            Font f = font->font;
            f.color = resolved(f.color);
            out.selectFont(f);
        } else {
            std::visit(
                [&](const auto &o) {
                    using T = std::decay_t<decltype(o)>;
                    if constexpr (std::is_same_v<T, op::Rectangle>)
                        out.rectangle(o.left, o.top, o.right, o.bottom);
                    else if constexpr (std::is_same_v<T, op::Ellipse>)
                        out.ellipse(o.left, o.top, o.right, o.bottom);
                    else if constexpr (std::is_same_v<T, op::Line>)
                        out.line(o.x1, o.y1, o.x2, o.y2);
                    else if constexpr (std::is_same_v<T, op::Pie>)
                        out.pie(o.left, o.top, o.right, o.bottom, o.x1, o.y1, o.x2, o.y2);
                    else if constexpr (std::is_same_v<T, op::Text>)
                        out.text(o.x, o.y, o.text);
                },
                op);
        }
    }
    return out;
}

Picture roundTrip(const Picture &picture)
{
    auto result = readPlaceableWmf(writePlaceableWmf(picture, classicSystemColors()));
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.message());
    return result.ok() ? result.value() : Picture {};
}

DiagramStyle directColourStyle()
{
    DiagramStyle style = DiagramStyle::firstRun();
    style.backgroundColor = clWhite;
    style.labelColor = clBlack;
    style.descriptionColor = clBlue;
    style.descriptionText = "Pomiary sp\xC4\x99kania";
    style.descriptionX = "40";
    style.descriptionY = "420";
    style.descriptionBold = true;
    return style;
}

SectorCounts someCounts()
{
    SectorCounts counts {};
    counts[0] = 10;
    counts[7] = 3;
    counts[18] = 5;
    counts[35] = 1;
    return counts;
}

TEST(WmfReader, RoundTripIsExactWithDirectColours)
{
    const Picture picture = samplePicture();
    EXPECT_EQ(roundTrip(picture), picture);
}

TEST(WmfReader, RoundTripOfWholeDiagrams)
{
    struct Case
    {
        const char *name;
        DiagramStyle style;
        std::string size;
    };
    DiagramStyle solid = directColourStyle();
    solid.fillStyle = 0;
    DiagramStyle dashed = directColourStyle();
    dashed.mainLineStyle = 3;
    dashed.secondaryLineStyle = 4;
    dashed.fillStyle = 6;
    const Case cases[] = {
        {"diagonal cross at 460", directColourStyle(), "460"},
        {"solid petals with opaque description", solid, "460"},
        {"dash-dot lines, vertical hatch, odd size", dashed, "461"},
        {"largest size", directColourStyle(), "4000"},
        {"size 0", directColourStyle(), "0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        DiagramStyle style = c.style;
        style.diagramSize = c.size;
        auto rendered = renderRoseDiagram(style, someCounts(), 10, false);
        ASSERT_TRUE(rendered.ok());
        EXPECT_EQ(roundTrip(rendered.value()), rendered.value());
    }
}

TEST(WmfReader, SystemColoursComeBackResolved)
{
    auto rendered = renderRoseDiagram(DiagramStyle::defaults(), someCounts(), 10, false);
    ASSERT_TRUE(rendered.ok());
    EXPECT_EQ(roundTrip(rendered.value()), withResolvedColors(rendered.value()));
}

TEST(WmfReader, WindowsTextBytesComeBackAsUtf8)
{
    Picture p(100, 100);
    p.selectFont({"Arial", 10, clBlack, false, false, false});
    p.text(0, 0, "\xB9\xE6\xEA\xB3"); // Windows-1250 bytes of four Polish letters
    const Picture back = roundTrip(p);
    ASSERT_EQ(back.ops().size(), 2u);
    EXPECT_EQ(std::get<op::Text>(back.ops()[1]).text, "\xC4\x85\xC4\x87\xC4\x99\xC5\x82");
}

TEST(WmfReader, WritingWhatWasReadIsAFixedPoint)
{
    struct Case
    {
        const char *name;
        Picture picture;
    };
    Picture noFont(50, 50);
    noFont.text(1, 1, "\xC5\xBC\xC3\xB3\xC5\x82w"); // no font: drawn in the ANSI default
    Picture polishFace(50, 50);
    polishFace.selectFont({"\xC5\x81\xC3\xB3"
                           "d\xC5\xBA",
                           9, clBlack, false, false, false});
    Picture longFace(50, 50);
    longFace.selectFont({std::string(40, 'x'), 9, clBlack, false, false, false});
    Picture unmappable(50, 50);
    unmappable.selectFont({"Arial", 9, clBlack, false, false, false});
    unmappable.text(0, 0, "\xE6\xBC\xA2\xFF"); // a CJK character, then a stray byte
    const Case cases[] = {
        {"text without a font", noFont},
        {"face name with Polish letters", polishFace},
        {"face name longer than its field", longFace},
        {"characters no code page has", unmappable},
        {"sample", samplePicture()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Picture once = roundTrip(c.picture);
        EXPECT_EQ(roundTrip(once), once);
    }
    EXPECT_EQ(roundTrip(polishFace), polishFace) << "the face keeps its Polish letters";
}

// Builds metafiles record by record, for files our writer never makes.
class FileBuilder
{
public:
    FileBuilder &record(std::uint16_t function, std::vector<std::uint16_t> params,
                        std::string bytes = {})
    {
        if (bytes.size() % 2)
            bytes += '\0';
        put32(m_records, std::uint32_t(3 + params.size() + bytes.size() / 2));
        put16(m_records, function);
        for (auto p : params)
            put16(m_records, p);
        m_records += bytes;
        return *this;
    }

    std::string build(bool withEof = true) const
    {
        std::string records = m_records;
        if (withEof)
            put32(records, 3), put16(records, MetaEof);
        std::string out;
        put32(out, placeableKey);
        constexpr std::uint16_t placeableFields[] = {0, 0, 0, 100, 50, 96, 0, 0};
        for (std::uint16_t w : placeableFields)
            put16(out, w);
        std::uint16_t checksum = 0;
        for (std::size_t i = 0; i < out.size(); i += 2)
            checksum ^= std::uint16_t(std::uint8_t(out[i]) | std::uint8_t(out[i + 1]) << 8);
        put16(out, checksum);
        constexpr std::uint16_t headerFields[] = {1, 9, 0x300};
        for (std::uint16_t w : headerFields)
            put16(out, w);
        put32(out, std::uint32_t(9 + records.size() / 2));
        put16(out, 8);
        put32(out, 64);
        put16(out, 0);
        return out + records;
    }

private:
    static void put16(std::string &out, std::uint16_t v)
    {
        out += char(v & 0xFF);
        out += char(v >> 8);
    }
    static void put32(std::string &out, std::uint32_t v)
    {
        put16(out, std::uint16_t(v & 0xFFFF));
        put16(out, std::uint16_t(v >> 16));
    }
    std::string m_records;
};

std::string logFont(std::int16_t height, std::uint16_t weight, std::uint8_t charset,
                    const std::string &face)
{
    std::string f;
    for (std::uint16_t w :
         {std::uint16_t(height), std::uint16_t(0), std::uint16_t(0), std::uint16_t(0), weight}) {
        f += char(w & 0xFF);
        f += char(w >> 8);
    }
    f += std::string {'\0', '\0', '\0', char(charset), '\0', '\0', '\0', '\0'};
    return f + face + '\0';
}

TEST(WmfReader, ToleratesOtherWritersRecords)
{
    const std::string file =
        FileBuilder()
            .record(MetaCreatePalette, {0x300, 0}) // slot 0, not drawable
            .record(MetaCreateFontIndirect, {},
                    logFont(-16, 600, EastEuropeCharset, "Tahoma")) // slot 1
            .record(MetaSelectObject, {1})
            .record(MetaSetTextColor, {0x00FF, 0}) // colour set after the font
            .record(0x0626, {1, 2, 3}) // a polygon: skipped
            .record(MetaExtTextOut, {7, 5, 2, 0x0002, 0, 0, 9, 9}, "\xB3\xB9")
            .record(MetaExtTextOut, {8, 6, 1, 0}, "x")
            .record(MetaSelectObject, {40}) // past the table: ignored
            .record(MetaDeleteObject, {0})
            .record(MetaCreatePenIndirect, {5, 3, 0, 0x00FF, 0x0000}) // slot 0 again
            .record(MetaSelectObject, {0})
            .build();
    auto result = readPlaceableWmf(file);
    ASSERT_TRUE(result.ok()) << result.message();
    const Picture &p = result.value();
    EXPECT_EQ(p.width(), 100);
    EXPECT_EQ(p.height(), 50);
    const Font tahoma {"Tahoma", 12, clBlack, true, false, false};
    Font redTahoma = tahoma;
    redTahoma.color = rgbColor(255, 0, 0);
    Picture expected(100, 50);
    expected.selectFont(tahoma);
    expected.selectFont(redTahoma);
    expected.text(5, 7, "\xC5\x82\xC4\x85");
    expected.text(6, 8, "x");
    expected.selectPen({rgbColor(255, 0, 0), PenPattern::Solid, 3});
    EXPECT_EQ(p, expected);
}

TEST(WmfReader, RejectsBrokenFiles)
{
    const std::string good = writePlaceableWmf(samplePicture(), classicSystemColors());
    ASSERT_TRUE(readPlaceableWmf(good).ok());
    const auto patched = [&](std::size_t offset, std::string bytes) {
        std::string file = good;
        file.replace(offset, bytes.size(), bytes);
        return file;
    };
    struct Case
    {
        const char *name;
        std::string file;
    };
    const std::size_t firstRecord = 22 + 18;
    const Case cases[] = {
        {"empty", ""},
        {"wrong key", patched(0, "\xD7\xCD\xC6\x9B")},
        {"wrong checksum", patched(20, std::string(2, '\0'))},
        {"changed box without checksum", patched(10, "\xCD")},
        {"header size 8", patched(24, "\x08")},
        {"unknown metafile type", patched(22, "\x07")},
        {"record size 0", patched(firstRecord, std::string(4, '\0'))},
        {"record past the end", patched(firstRecord, "\xFF\xFF\x00\x00")},
        {"no end record", FileBuilder().record(MetaLineTo, {1, 2}).build(false)},
        {"pie too short", FileBuilder().record(MetaPie, {1, 2, 3}).build()},
        {"text longer than its record", FileBuilder().record(MetaTextOut, {40, 1, 2}).build()},
        {"font too short", FileBuilder().record(MetaCreateFontIndirect, {1, 2}).build()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto result = readPlaceableWmf(c.file);
        EXPECT_FALSE(result.ok());
        if (!result.ok()) {
            EXPECT_FALSE(result.message().empty());
        }
    }
    std::string zeroInch = patched(14, std::string(2, '\0'));
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= std::uint16_t(std::uint8_t(zeroInch[i]) | std::uint8_t(zeroInch[i + 1]) << 8);
    zeroInch[20] = char(checksum & 0xFF);
    zeroInch[21] = char(checksum >> 8);
    EXPECT_FALSE(readPlaceableWmf(zeroInch).ok()) << "0 units per inch";
}

TEST(WmfReader, EveryTruncationIsAnError)
{
    const std::string good = writePlaceableWmf(samplePicture(), classicSystemColors());
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(readPlaceableWmf(std::string_view(good).substr(0, length)).ok()) << length;
}

TEST(WmfReader, ArbitraryBytesNeverCrash)
{
    // Corrupt records behind a valid header, so the record loop itself meets the damage.
    const std::string good = writePlaceableWmf(samplePicture(), classicSystemColors());
    std::mt19937 random(20261207);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string file = good;
        const int flips = 1 + int(random() % 8);
        for (int i = 0; i < flips; ++i)
            file[22 + random() % (file.size() - 22)] = char(random());
        if (random() % 4 == 0)
            file.resize(22 + random() % (file.size() - 22));
        accepted += readPlaceableWmf(file).ok();
    }
    EXPECT_GT(accepted, 0) << "small damage inside records still reads";
}

} // namespace
