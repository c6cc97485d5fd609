#include "core/diagram/wmfwriter.h"

#include "core/diagram/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace quorel;
using namespace quorel::wmf;

namespace {

std::uint16_t u16(const std::string &bytes, std::size_t offset)
{
    return std::uint16_t(std::uint8_t(bytes.at(offset)) | std::uint8_t(bytes.at(offset + 1)) << 8);
}

std::uint32_t u32(const std::string &bytes, std::size_t offset)
{
    return u16(bytes, offset) | std::uint32_t(u16(bytes, offset + 2)) << 16;
}

struct Record
{
    std::uint32_t words = 0;
    std::uint16_t function = 0;
    std::vector<std::uint16_t> params;
    std::string paramBytes;
    std::int16_t at(std::size_t i) const { return std::int16_t(params.at(i)); }
};

// The records after the two headers, checked for sizes that stay inside the file.
std::vector<Record> recordsOf(const std::string &file)
{
    std::vector<Record> records;
    std::size_t offset = 22 + 18;
    while (offset + 6 <= file.size()) {
        Record r;
        r.words = u32(file, offset);
        r.function = u16(file, offset + 4);
        EXPECT_GE(r.words, 3u);
        EXPECT_LE(offset + r.words * 2, file.size());
        if (r.words < 3 || offset + r.words * 2 > file.size())
            break;
        r.paramBytes = file.substr(offset + 6, r.words * 2 - 6);
        for (std::size_t i = 0; i + 1 < r.paramBytes.size(); i += 2)
            r.params.push_back(u16(r.paramBytes, i));
        records.push_back(r);
        offset += r.words * 2;
        if (r.function == MetaEof)
            break;
    }
    EXPECT_EQ(offset, file.size()) << "bytes after the end record";
    return records;
}

std::vector<Record> withFunction(const std::vector<Record> &records, std::uint16_t function)
{
    std::vector<Record> found;
    std::copy_if(records.begin(), records.end(), std::back_inserter(found),
                 [&](const Record &r) { return r.function == function; });
    return found;
}

std::uint32_t colorRefOf(const Record &r, std::size_t firstWord)
{
    return r.params.at(firstWord) | std::uint32_t(r.params.at(firstWord + 1)) << 16;
}

const SystemColorTable &classic()
{
    return classicSystemColors();
}

// A small realistic drawing: background, a grid circle, an axis with its label, a hatched petal
// and a description on an opaque box.
Picture samplePicture(int size = 460)
{
    Picture p(size, size);
    p.selectBrush({Brush::Kind::Solid, rgbColor(255, 255, 255), BrushPattern::Solid});
    p.selectPen({rgbColor(255, 255, 255), PenPattern::Solid, 0});
    p.rectangle(0, 0, size, size);
    p.selectBrush({Brush::Kind::Null, clBlack, BrushPattern::Solid});
    p.selectPen({clGray, PenPattern::Dot, 0});
    p.ellipse(23, 23, 437, 437);
    p.selectPen({clGray, PenPattern::Solid, 1});
    p.selectFont({"Courier New", 7, clBlack, false, false, false});
    p.line(230, 230, 230, 10);
    p.text(232, 0, "0");
    p.selectBrush({Brush::Kind::Hatched, clRed, BrushPattern::DiagCross});
    p.selectPen({clRed, PenPattern::Solid, 1});
    p.pie(23, 23, 437, 437, 266, 26, 230, 23);
    p.selectBrush({Brush::Kind::Solid, clGreen, BrushPattern::Solid});
    p.selectFont({"Arial", 12, clBlue, true, true, true});
    p.text(10, 400, "Opis");
    return p;
}

TEST(WmfWriter, PlaceableHeader)
{
    struct Case
    {
        const char *name;
        int size;
        std::uint16_t box;
    };
    const Case cases[] = {
        {"default size", 460, 460}, {"odd size", 461, 461},    {"largest size", 4000, 4000},
        {"empty picture", 0, 0},    {"negative size", -20, 0}, {"beyond 16 bits", 70000, 32767},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = writePlaceableWmf(Picture(c.size, c.size), classic());
        ASSERT_GE(file.size(), 22u + 18u);
        EXPECT_EQ(u32(file, 0), 0x9AC6CDD7u);
        EXPECT_EQ(u16(file, 4), 0); // hmf
        EXPECT_EQ(u16(file, 6), 0);
        EXPECT_EQ(u16(file, 8), 0);
        EXPECT_EQ(u16(file, 10), c.box);
        EXPECT_EQ(u16(file, 12), c.box);
        EXPECT_EQ(u16(file, 14), 96);
        EXPECT_EQ(u32(file, 16), 0u);
        std::uint16_t checksum = 0;
        for (std::size_t i = 0; i < 20; i += 2)
            checksum ^= u16(file, i);
        EXPECT_EQ(u16(file, 20), checksum);

        const auto records = recordsOf(file);
        const auto ext = withFunction(records, MetaSetWindowExt);
        ASSERT_EQ(ext.size(), 1u);
        EXPECT_EQ(ext[0].params, (std::vector<std::uint16_t> {c.box, c.box}));
        const auto org = withFunction(records, MetaSetWindowOrg);
        ASSERT_EQ(org.size(), 1u);
        EXPECT_EQ(org[0].params, (std::vector<std::uint16_t> {0, 0}));
    }
}

TEST(WmfWriter, ChecksumOfAKnownHeader)
{
    // Key halves CDD7 and 9AC6, box 0 0 460 460 (0x01CC), 96 units per inch: the XOR of the
    // words is 0xCDD7 ^ 0x9AC6 ^ 0x0060 = 0x5771 (the two 0x01CC cancel).
    const std::string file = writePlaceableWmf(Picture(460, 460), classic());
    EXPECT_EQ(u16(file, 20), 0x5771);
}

TEST(WmfWriter, MetaHeaderDescribesTheRecords)
{
    const std::string file = writePlaceableWmf(samplePicture(), classic());
    EXPECT_EQ(u16(file, 22), 1); // on disk
    EXPECT_EQ(u16(file, 24), 9); // header words
    EXPECT_EQ(u16(file, 26), 0x0300);
    EXPECT_EQ(u32(file, 28), (file.size() - 22) / 2);
    EXPECT_EQ(u16(file, 36), 0); // parameters

    const auto records = recordsOf(file);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().function, MetaEof);
    EXPECT_EQ(records.back().words, 3u);
    std::uint32_t largest = 0;
    for (const auto &r : records)
        largest = std::max(largest, r.words);
    EXPECT_EQ(u32(file, 34), largest);
    EXPECT_EQ((file.size() - 22) % 2, 0u);
}

// Plays the object table: creates take the lowest free slot, selections and deletions must
// name live objects, a selected object is never deleted.
struct TableReplay
{
    std::vector<int> slots; // 0 free, else a kind: 1 pen, 2 brush, 3 font
    int selected[4] = {-1, -1, -1, -1};
    std::size_t maxAlive = 0;
    std::vector<int> createdSlots;

    void play(const std::vector<Record> &records)
    {
        for (const auto &r : records) {
            int kind = 0;
            if (r.function == MetaCreatePenIndirect)
                kind = 1;
            else if (r.function == MetaCreateBrushIndirect)
                kind = 2;
            else if (r.function == MetaCreateFontIndirect)
                kind = 3;
            if (kind) {
                auto it = std::find(slots.begin(), slots.end(), 0);
                if (it == slots.end())
                    it = slots.insert(slots.end(), 0);
                *it = kind;
                createdSlots.push_back(int(it - slots.begin()));
                maxAlive = std::max(maxAlive,
                                    static_cast<std::size_t>(std::count_if(
                                        slots.begin(), slots.end(), [](int s) { return s; })));
            } else if (r.function == MetaSelectObject) {
                const auto index = r.params.at(0);
                ASSERT_LT(index, slots.size());
                ASSERT_NE(slots[index], 0) << "selects a free slot";
                selected[slots[index]] = index;
            } else if (r.function == MetaDeleteObject) {
                const auto index = r.params.at(0);
                ASSERT_LT(index, slots.size());
                ASSERT_NE(slots[index], 0) << "deletes a free slot";
                ASSERT_NE(selected[slots[index]], int(index)) << "deletes a selected object";
                slots[index] = 0;
            }
        }
    }
};

TEST(WmfWriter, ObjectTableStaysSmallAndValid)
{
    struct Case
    {
        const char *name;
        Picture picture;
        std::size_t maxObjects;
    };
    Picture manyChanges(100, 100);
    for (int i = 0; i < 200; ++i) {
        manyChanges.selectPen({rgbColor(i, 0, 0), PenPattern::Solid, 0});
        manyChanges.selectBrush({Brush::Kind::Solid, rgbColor(0, i, 0), BrushPattern::Solid});
        manyChanges.selectFont({"Arial", 10, clBlack, false, false, false});
        manyChanges.line(0, 0, i, i);
        manyChanges.text(0, 0, "x");
    }
    Picture onlyPens(100, 100);
    for (int i = 0; i < 50; ++i)
        onlyPens.selectPen({clBlack, PenPattern::Dash, i});
    const Case cases[] = {
        {"no objects", Picture(10, 10), 0},
        {"only pens", onlyPens, 2},
        {"sample", samplePicture(), 4},
        {"many changes", manyChanges, 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = writePlaceableWmf(c.picture, classic());
        TableReplay replay;
        replay.play(recordsOf(file));
        EXPECT_LE(replay.maxAlive, c.maxObjects);
        EXPECT_EQ(u16(file, 32), replay.slots.size()) << "object count is the table's high water";
        EXPECT_GE(u16(file, 32), replay.maxAlive);
    }
}

TEST(WmfWriter, CreatesTakeTheLowestFreeSlot)
{
    Picture p(10, 10);
    p.selectPen({clBlack, PenPattern::Solid, 0}); // slot 0
    p.selectBrush({Brush::Kind::Solid, clBlack, BrushPattern::Solid}); // slot 1
    p.selectPen({clRed, PenPattern::Solid, 0}); // slot 2, then 0 is freed
    p.selectFont({"Arial", 10, clBlack, false, false, false}); // slot 0 again
    p.selectBrush({Brush::Kind::Null, clBlack, BrushPattern::Solid}); // slot 3, then 1 freed
    p.selectPen({clBlue, PenPattern::Solid, 0}); // slot 1, then 2 freed
    TableReplay replay;
    replay.play(recordsOf(writePlaceableWmf(p, classic())));
    EXPECT_EQ(replay.createdSlots, (std::vector<int> {0, 1, 2, 0, 3, 1}));
}

TEST(WmfWriter, PieKeepsTheArgumentsInReverse)
{
    Picture p(460, 460);
    p.pie(23, 24, 437, 438, 266, 26, 230, 21);
    const auto pies = withFunction(recordsOf(writePlaceableWmf(p, classic())), MetaPie);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].words, 11u);
    // End point (y, x), start point (y, x), then bottom, right, top, left.
    const std::vector<std::int16_t> expected {21, 230, 26, 266, 438, 437, 24, 23};
    std::vector<std::int16_t> actual;
    for (std::size_t i = 0; i < pies[0].params.size(); ++i)
        actual.push_back(pies[0].at(i));
    EXPECT_EQ(actual, expected);
}

TEST(WmfWriter, ShapesAndLines)
{
    Picture p(100, 100);
    p.rectangle(1, 2, 3, 4);
    p.ellipse(5, 6, 7, 8);
    p.line(10, 20, 30, 40);
    p.line(-5, 40000, 0, -40000);
    const auto records = recordsOf(writePlaceableWmf(p, classic()));
    const auto rectangles = withFunction(records, MetaRectangle);
    ASSERT_EQ(rectangles.size(), 1u);
    EXPECT_EQ(rectangles[0].params, (std::vector<std::uint16_t> {4, 3, 2, 1}));
    const auto ellipses = withFunction(records, MetaEllipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].params, (std::vector<std::uint16_t> {8, 7, 6, 5}));
    const auto moves = withFunction(records, MetaMoveTo);
    const auto lines = withFunction(records, MetaLineTo);
    ASSERT_EQ(moves.size(), 2u);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(moves[0].params, (std::vector<std::uint16_t> {20, 10}));
    EXPECT_EQ(lines[0].params, (std::vector<std::uint16_t> {40, 30}));
    // Coordinates beyond 16 bits are clamped, not wrapped around.
    EXPECT_EQ(moves[1].at(0), 32767);
    EXPECT_EQ(moves[1].at(1), -5);
    EXPECT_EQ(lines[1].at(0), -32768);
}

TEST(WmfWriter, PenStylesAndWidths)
{
    struct Case
    {
        const char *name;
        Pen pen;
        std::uint16_t style;
        std::uint16_t width;
    };
    const Case cases[] = {
        {"solid thinnest", {clBlack, PenPattern::Solid, 0}, 0, 0},
        {"dash", {clBlack, PenPattern::Dash, 0}, 1, 0},
        {"dot", {clBlack, PenPattern::Dot, 0}, 2, 0},
        {"dash dot", {clBlack, PenPattern::DashDot, 0}, 3, 0},
        {"dash dot dot", {clBlack, PenPattern::DashDotDot, 0}, 4, 0},
        {"solid width 1", {clBlack, PenPattern::Solid, 1}, 0, 1},
        {"negative width is thinnest", {clBlack, PenPattern::Solid, -3}, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Picture p(10, 10);
        p.selectPen(c.pen);
        const auto pens =
            withFunction(recordsOf(writePlaceableWmf(p, classic())), MetaCreatePenIndirect);
        ASSERT_EQ(pens.size(), 1u);
        EXPECT_EQ(pens[0].params.at(0), c.style);
        EXPECT_EQ(pens[0].params.at(1), c.width);
        EXPECT_EQ(pens[0].params.at(2), 0);
    }
}

TEST(WmfWriter, BrushStylesAndHatchCodes)
{
    struct Case
    {
        const char *name;
        Brush brush;
        std::uint16_t style;
        std::uint16_t hatch;
    };
    const Case cases[] = {
        {"solid", {Brush::Kind::Solid, clRed, BrushPattern::Solid}, BsSolid, 0},
        {"none", {Brush::Kind::Null, clRed, BrushPattern::Solid}, BsNull, 0},
        {"rising diagonal", {Brush::Kind::Hatched, clRed, BrushPattern::BDiagonal}, BsHatched, 3},
        {"falling diagonal", {Brush::Kind::Hatched, clRed, BrushPattern::FDiagonal}, BsHatched, 2},
        {"cross", {Brush::Kind::Hatched, clRed, BrushPattern::Cross}, BsHatched, 4},
        {"diagonal cross", {Brush::Kind::Hatched, clRed, BrushPattern::DiagCross}, BsHatched, 5},
        {"horizontal", {Brush::Kind::Hatched, clRed, BrushPattern::Horizontal}, BsHatched, 0},
        {"vertical", {Brush::Kind::Hatched, clRed, BrushPattern::Vertical}, BsHatched, 1},
        {"hatched without a hatch fills solid",
         {Brush::Kind::Hatched, clRed, BrushPattern::Solid},
         BsSolid,
         0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Picture p(10, 10);
        p.selectBrush(c.brush);
        const auto brushes =
            withFunction(recordsOf(writePlaceableWmf(p, classic())), MetaCreateBrushIndirect);
        ASSERT_EQ(brushes.size(), 1u);
        EXPECT_EQ(brushes[0].params.at(0), c.style);
        EXPECT_EQ(colorRefOf(brushes[0], 1), 0x0000FFu);
        EXPECT_EQ(brushes[0].params.at(3), c.hatch);
    }
}

TEST(WmfWriter, SystemColoursAreResolvedWithTheTable)
{
    SystemColorTable table = classicSystemColors();
    table[5] = Rgb {0x12, 0x34, 0x56}; // window
    table[8] = Rgb {0x9A, 0xBC, 0xDE}; // window text
    Picture p(10, 10);
    p.selectBrush({Brush::Kind::Solid, clWindow, BrushPattern::Solid});
    p.selectPen({clWindowText, PenPattern::Solid, 0});
    p.selectFont({"Arial", 10, clWindowText, false, false, false});
    p.selectBrush({Brush::Kind::Solid, clNone, BrushPattern::Solid});
    p.selectPen({rgbColor(1, 2, 3), PenPattern::Solid, 0});
    const auto records = recordsOf(writePlaceableWmf(p, table));
    const auto brushes = withFunction(records, MetaCreateBrushIndirect);
    const auto pens = withFunction(records, MetaCreatePenIndirect);
    const auto textColors = withFunction(records, MetaSetTextColor);
    ASSERT_EQ(brushes.size(), 2u);
    ASSERT_EQ(pens.size(), 2u);
    ASSERT_EQ(textColors.size(), 1u);
    EXPECT_EQ(colorRefOf(brushes[0], 1), 0x563412u);
    EXPECT_EQ(colorRefOf(brushes[1], 1), 0x563412u) << "clNone draws as the window colour";
    EXPECT_EQ(colorRefOf(pens[0], 3), 0xDEBC9Au);
    EXPECT_EQ(colorRefOf(pens[1], 3), 0x030201u);
    EXPECT_EQ(colorRefOf(textColors[0], 0), 0xDEBC9Au);
}

TEST(WmfWriter, TextBackgroundFollowsTheBrush)
{
    struct Case
    {
        const char *name;
        Brush brush;
        std::uint16_t mode;
    };
    const Case cases[] = {
        {"solid brush: opaque box", {Brush::Kind::Solid, clGreen, BrushPattern::Solid}, Opaque},
        {"hatched brush: transparent",
         {Brush::Kind::Hatched, clGreen, BrushPattern::DiagCross},
         Transparent},
        {"no brush: transparent", {Brush::Kind::Null, clGreen, BrushPattern::Solid}, Transparent},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Picture p(100, 100);
        p.selectBrush(c.brush);
        p.text(1, 2, "abc");
        p.pie(0, 0, 10, 10, 10, 5, 5, 0);
        const auto records = recordsOf(writePlaceableWmf(p, classic()));
        std::uint16_t mode = 0;
        std::uint32_t bkColor = 0xFFFFFFFF;
        bool textSeen = false;
        for (const auto &r : records) {
            if (r.function == MetaSetBkMode)
                mode = r.params.at(0);
            if (r.function == MetaSetBkColor)
                bkColor = colorRefOf(r, 0);
            if (r.function == MetaTextOut) {
                textSeen = true;
                EXPECT_EQ(mode, c.mode);
                if (c.mode == Opaque) {
                    EXPECT_EQ(bkColor, 0x008000u) << "box in the brush colour";
                }
            }
            if (r.function == MetaPie) {
                EXPECT_EQ(mode, Transparent) << "hatch gaps stay transparent";
            }
        }
        EXPECT_TRUE(textSeen);
    }
}

TEST(WmfWriter, TextRecordLayout)
{
    Picture p(100, 100);
    p.text(12, 34, "abc");
    p.text(-1, 2, "");
    const auto texts = withFunction(recordsOf(writePlaceableWmf(p, classic())), MetaTextOut);
    ASSERT_EQ(texts.size(), 2u);
    // Length without a NUL, the string padded to an even length, then y and x.
    EXPECT_EQ(texts[0].params.at(0), 3);
    EXPECT_EQ(texts[0].paramBytes.substr(2, 4), std::string("abc\0", 4));
    EXPECT_EQ(texts[0].at(3), 34);
    EXPECT_EQ(texts[0].at(4), 12);
    EXPECT_EQ(texts[1].params, (std::vector<std::uint16_t> {0, 2, 0xFFFF}));
}

TEST(WmfWriter, TextCodePages)
{
    struct Case
    {
        const char *name;
        std::string text;
        std::string bytes;
        std::uint8_t charset;
    };
    const Case cases[] = {
        {"ASCII", "N=12", "N=12", AnsiCharset},
        {"degree sign in UTF-8", "10\xC2\xB0", "10\xB0", AnsiCharset},
        {"o acute exists in both code pages", "g\xC3\xB3ra", "g\xF3ra", AnsiCharset},
        {"euro sign", "\xE2\x82\xAC", "\x80", AnsiCharset},
        {"Polish letters in UTF-8", "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", "Za\xBF\xF3\xB3\xE6",
         EastEuropeCharset},
        {"Polish letters already in Windows-1250", "\xB9\xE6\xEA\xB3", "\xB9\xE6\xEA\xB3",
         EastEuropeCharset},
        {"a character neither code page has", "a\xE6\xBC\xA2", "a?", AnsiCharset},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Picture p(100, 100);
        p.selectFont({"Arial", 10, clBlack, false, false, false});
        p.text(0, 0, c.text);
        const auto records = recordsOf(writePlaceableWmf(p, classic()));
        const auto fonts = withFunction(records, MetaCreateFontIndirect);
        const auto texts = withFunction(records, MetaTextOut);
        ASSERT_EQ(fonts.size(), 1u);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(std::uint8_t(fonts[0].paramBytes.at(13)), c.charset);
        EXPECT_EQ(texts[0].params.at(0), c.bytes.size());
        EXPECT_EQ(texts[0].paramBytes.substr(2, c.bytes.size()), c.bytes);
    }
}

TEST(WmfWriter, FontRecord)
{
    struct Case
    {
        const char *name;
        Font font;
        std::int16_t height;
        std::uint16_t weight;
    };
    const Case cases[] = {
        {"compass labels", {"Courier New", 7, clBlack, false, false, false}, -9, 400},
        {"default description", {"Arial", 10, clBlack, false, false, false}, -13, 400},
        {"bold italic underlined", {"Verdana", 20, clBlack, true, true, true}, -27, 700},
        {"eight points rounds up", {"Arial", 8, clBlack, false, false, true}, -11, 400},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Picture p(10, 10);
        p.selectFont(c.font);
        const auto fonts =
            withFunction(recordsOf(writePlaceableWmf(p, classic())), MetaCreateFontIndirect);
        ASSERT_EQ(fonts.size(), 1u);
        const auto &f = fonts[0];
        EXPECT_EQ(f.at(0), c.height);
        EXPECT_EQ(f.params.at(4), c.weight);
        EXPECT_EQ(f.paramBytes.at(10), c.font.italic ? 1 : 0);
        EXPECT_EQ(f.paramBytes.at(11), c.font.underline ? 1 : 0);
        EXPECT_EQ(f.paramBytes.size(), 18u + 32u);
        EXPECT_EQ(std::string(f.paramBytes.c_str() + 18), c.font.face);
    }
}

TEST(WmfWriter, FontHeightRoundTripsThroughPoints)
{
    for (int points = 0; points <= 500; ++points)
        EXPECT_EQ(pointsFromFontHeight(fontHeightFromPoints(points)), points) << points;
}

TEST(WmfWriter, LongFaceNameIsCutToTheField)
{
    Picture p(10, 10);
    p.selectFont({std::string(40, 'F'), 10, clBlack, false, false, false});
    const auto fonts =
        withFunction(recordsOf(writePlaceableWmf(p, classic())), MetaCreateFontIndirect);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(std::string(fonts[0].paramBytes.c_str() + 18), std::string(31, 'F'));
}

TEST(WmfWriter, StartsWithTheMappingAndTransparentBackground)
{
    const auto records = recordsOf(writePlaceableWmf(Picture(460, 460), classic()));
    ASSERT_GE(records.size(), 6u);
    EXPECT_EQ(records[0].function, MetaSetMapMode);
    EXPECT_EQ(records[0].params.at(0), mmAnisotropic);
    EXPECT_EQ(records[1].function, MetaSetWindowOrg);
    EXPECT_EQ(records[2].function, MetaSetWindowExt);
    EXPECT_EQ(records[3].function, MetaSetBkMode);
    EXPECT_EQ(records[3].params.at(0), Transparent);
    EXPECT_EQ(records[4].function, MetaSetTextAlign);
    EXPECT_EQ(records[4].params.at(0), 0);
    EXPECT_EQ(records[5].function, MetaEof);
}

} // namespace
