// The enhanced metafile writer, with record layouts checked against libuemf's own structure
// definitions and its record safety check (an implementation independent of ours).

#include "core/diagram/emfwriter.h"

#include "core/diagram/picture.h"
#include "core/diagram/renderer.h"

#include <uemf.h>
#include <uemf_safe.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace quorel;

namespace {

struct Record
{
    std::uint32_t type = 0;
    std::string bytes; // the whole record
    template<class T>
    T as() const
    {
        T value {};
        std::memcpy(&value, bytes.data(), std::min(sizeof(T), bytes.size()));
        return value;
    }
    std::uint32_t field(std::size_t index) const
    {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes.data() + 8 + index * 4, 4);
        return value;
    }
};

std::vector<Record> recordsOf(const std::string &file)
{
    std::vector<Record> records;
    std::size_t offset = 0;
    while (offset + 8 <= file.size()) {
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        std::memcpy(&type, file.data() + offset, 4);
        std::memcpy(&size, file.data() + offset + 4, 4);
        EXPECT_GE(size, 8u);
        EXPECT_EQ(size % 4, 0u) << "record " << records.size();
        EXPECT_LE(offset + size, file.size());
        if (size < 8 || offset + size > file.size())
            break;
        Record r {type, file.substr(offset, size)};
        EXPECT_TRUE(U_emf_record_safe(r.bytes.data())) << "record type " << type;
        records.push_back(r);
        offset += size;
        if (type == U_EMR_EOF)
            break;
    }
    EXPECT_EQ(offset, file.size()) << "bytes after the end record";
    return records;
}

std::vector<Record> withType(const std::vector<Record> &records, std::uint32_t type)
{
    std::vector<Record> found;
    for (const auto &r : records)
        if (r.type == type)
            found.push_back(r);
    return found;
}

std::uint32_t ref(U_COLORREF c)
{
    return std::uint32_t {c.Red} | (std::uint32_t {c.Green} << 8) | (std::uint32_t {c.Blue} << 16);
}

const SystemColorTable &classic()
{
    return classicSystemColors();
}

TEST(EmfWriter, HeaderDescribesTheFile)
{
    struct Case
    {
        const char *name;
        int size;
        std::int32_t boundsRight;
        std::int32_t frameRight;
    };
    const Case cases[] = {
        {"default size", 460, 459, 12170}, // 460 px at 96 dpi = 121.708 mm
        {"odd size", 461, 460, 12196},
        {"largest", 4000, 3999, 105832},
        {"empty", 0, -1, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Picture picture(c.size, c.size);
        picture.selectPen({clRed, PenPattern::Solid, 1});
        picture.line(0, 0, c.size, c.size);
        const std::string file = writeEmf(picture, classic());
        const auto records = recordsOf(file);
        ASSERT_FALSE(records.empty());
        ASSERT_EQ(records.front().type, U_EMR_HEADER);
        const auto h = records.front().as<U_EMRHEADER>();
        EXPECT_EQ(h.dSignature, U_ENHMETA_SIGNATURE);
        EXPECT_EQ(h.nVersion, U_ENHMETA_VERSION);
        EXPECT_EQ(h.nBytes, file.size());
        EXPECT_EQ(h.nRecords, records.size());
        EXPECT_EQ(h.rclBounds.left, 0);
        EXPECT_EQ(h.rclBounds.top, 0);
        EXPECT_EQ(h.rclBounds.right, c.boundsRight);
        EXPECT_EQ(h.rclBounds.bottom, c.boundsRight);
        EXPECT_EQ(h.rclFrame.left, 0);
        EXPECT_EQ(h.rclFrame.right, c.frameRight);
        EXPECT_EQ(h.rclFrame.bottom, c.frameRight);
        // A reference device of exactly 96 pixels per inch.
        EXPECT_EQ(h.szlDevice.cx * 254, h.szlMillimeters.cx * 960);
        EXPECT_EQ(h.szlDevice.cy * 254, h.szlMillimeters.cy * 960);
        EXPECT_EQ(h.szlMicrometers.cx, std::uint32_t(h.szlMillimeters.cx) * 1000);
        EXPECT_EQ(h.cbPixelFormat, 0u);
        EXPECT_EQ(h.nPalEntries, 0u);
        EXPECT_EQ(h.nHandles, 2) << "handle 0 and the pen";
        ASSERT_EQ(h.offDescription, 108u);
        ASSERT_GE(records.front().bytes.size(), 108 + h.nDescription * 2);
        std::u16string description(h.nDescription, u'\0');
        std::memcpy(description.data(), records.front().bytes.data() + 108, h.nDescription * 2);
        EXPECT_EQ(description, std::u16string(u"Quorel\0Rose diagram\0", 21));

        const auto &eof = records.back();
        EXPECT_EQ(eof.type, U_EMR_EOF);
        EXPECT_EQ(eof.bytes.size(), 20u);
        EXPECT_EQ(eof.field(2), 20u) << "nSizeLast";
    }
}

TEST(EmfWriter, ObjectHandlesStaySmallAndValid)
{
    Picture p(100, 100);
    for (int i = 0; i < 100; ++i) {
        p.selectPen({rgbColor(i, 0, 0), PenPattern::Dot, 0});
        p.selectBrush({Brush::Kind::Hatched, clRed, BrushPattern::Cross});
        p.selectFont({"Arial", 10, clBlack, false, false, false});
        p.text(0, 0, "x");
    }
    const auto records = recordsOf(writeEmf(p, classic()));
    std::vector<int> kinds(1, -1); // handle 0: the metafile
    std::vector<std::uint32_t> selected(4, 0);
    std::vector<std::uint32_t> created;
    std::size_t maxAlive = 0;
    for (const auto &r : records) {
        int kind = r.type == U_EMR_CREATEPEN         ? 1
            : r.type == U_EMR_CREATEBRUSHINDIRECT    ? 2
            : r.type == U_EMR_EXTCREATEFONTINDIRECTW ? 3
                                                     : 0;
        if (kind) {
            const std::uint32_t handle = r.field(0);
            auto lowest = std::find(kinds.begin() + 1, kinds.end(), 0);
            EXPECT_EQ(handle, std::uint32_t(lowest - kinds.begin())) << "lowest free handle";
            if (handle >= kinds.size())
                kinds.resize(handle + 1, 0);
            kinds[handle] = kind;
            created.push_back(handle);
            maxAlive = std::max(maxAlive,
                                static_cast<std::size_t>(std::count_if(
                                    kinds.begin() + 1, kinds.end(), [](int k) { return k; })));
        } else if (r.type == U_EMR_SELECTOBJECT) {
            const auto handle = r.field(0);
            ASSERT_LT(handle, kinds.size());
            ASSERT_GT(kinds[handle], 0);
            selected[std::size_t(kinds[handle])] = handle;
        } else if (r.type == U_EMR_DELETEOBJECT) {
            const auto handle = r.field(0);
            ASSERT_LT(handle, kinds.size());
            ASSERT_GT(kinds[handle], 0);
            ASSERT_NE(selected[std::size_t(kinds[handle])], handle) << "deletes a selected object";
            kinds[handle] = 0;
        }
    }
    EXPECT_EQ(maxAlive, 4u);
    EXPECT_EQ(records.front().as<U_EMRHEADER>().nHandles, kinds.size());
    EXPECT_EQ(std::vector<std::uint32_t>(created.begin(), created.begin() + 4),
              (std::vector<std::uint32_t> {1, 2, 3, 4}));
}

TEST(EmfWriter, PieKeepsTheCallOrder)
{
    Picture p(460, 460);
    p.pie(23, 24, 437, 438, 266, 26, 230, 21);
    const auto pies = withType(recordsOf(writeEmf(p, classic())), U_EMR_PIE);
    ASSERT_EQ(pies.size(), 1u);
    const auto pie = pies[0].as<U_EMRPIE>();
    EXPECT_EQ(pie.rclBox.left, 23);
    EXPECT_EQ(pie.rclBox.top, 24);
    EXPECT_EQ(pie.rclBox.right, 437);
    EXPECT_EQ(pie.rclBox.bottom, 438);
    EXPECT_EQ(pie.ptlStart.x, 266);
    EXPECT_EQ(pie.ptlStart.y, 26);
    EXPECT_EQ(pie.ptlEnd.x, 230);
    EXPECT_EQ(pie.ptlEnd.y, 21);
}

TEST(EmfWriter, PolygonsAndPolylinesKeepTheirPointsAndBounds)
{
    Picture p(460, 460);
    p.polygon({{10, 20}, {30, 5}, {40, 50}});
    p.polyline({{100, 100}, {-3, 120}});
    const auto records = recordsOf(writeEmf(p, classic()));
    for (const auto &[type, points, bounds] :
         {std::tuple {std::uint32_t(U_EMR_POLYGON16),
                      std::vector<std::pair<int, int>> {{10, 20}, {30, 5}, {40, 50}},
                      std::array<int, 4> {10, 5, 40, 50}},
          std::tuple {std::uint32_t(U_EMR_POLYLINE16),
                      std::vector<std::pair<int, int>> {{100, 100}, {-3, 120}},
                      std::array<int, 4> {-3, 100, 100, 120}}}) {
        const auto found = withType(records, type);
        ASSERT_EQ(found.size(), 1u) << type;
        const auto record = found[0].as<U_EMRPOLYGON16>();
        EXPECT_EQ(record.rclBounds.left, bounds[0]);
        EXPECT_EQ(record.rclBounds.top, bounds[1]);
        EXPECT_EQ(record.rclBounds.right, bounds[2]);
        EXPECT_EQ(record.rclBounds.bottom, bounds[3]);
        ASSERT_EQ(record.cpts, points.size());
        for (std::size_t k = 0; k < points.size(); ++k) {
            U_POINT16 point {};
            std::memcpy(&point, found[0].bytes.data() + 28 + 4 * k, sizeof point);
            EXPECT_EQ(point.x, points[k].first);
            EXPECT_EQ(point.y, points[k].second);
        }
    }
}

TEST(EmfWriter, PensAndBrushes)
{
    struct Case
    {
        const char *name;
        Brush brush;
        std::uint32_t style;
        std::uint32_t hatch;
        Pen pen;
        std::uint32_t penStyle;
    };
    const Case cases[] = {
        {"solid",
         {Brush::Kind::Solid, clBlue, BrushPattern::Solid},
         U_BS_SOLID,
         0,
         {clBlue, PenPattern::Solid, 1},
         U_PS_SOLID},
        {"none",
         {Brush::Kind::Null, clBlue, BrushPattern::Solid},
         U_BS_NULL,
         0,
         {clBlue, PenPattern::Dash, 0},
         U_PS_DASH},
        {"rising",
         {Brush::Kind::Hatched, clBlue, BrushPattern::BDiagonal},
         U_BS_HATCHED,
         U_HS_BDIAGONAL,
         {clBlue, PenPattern::Dot, 0},
         U_PS_DOT},
        {"falling",
         {Brush::Kind::Hatched, clBlue, BrushPattern::FDiagonal},
         U_BS_HATCHED,
         U_HS_FDIAGONAL,
         {clBlue, PenPattern::DashDot, 0},
         U_PS_DASHDOT},
        {"cross",
         {Brush::Kind::Hatched, clBlue, BrushPattern::Cross},
         U_BS_HATCHED,
         U_HS_CROSS,
         {clBlue, PenPattern::DashDotDot, 0},
         U_PS_DASHDOTDOT},
        {"diagonal cross",
         {Brush::Kind::Hatched, clBlue, BrushPattern::DiagCross},
         U_BS_HATCHED,
         U_HS_DIAGCROSS,
         {clBlue, PenPattern::Solid, 0},
         U_PS_SOLID},
        {"horizontal",
         {Brush::Kind::Hatched, clBlue, BrushPattern::Horizontal},
         U_BS_HATCHED,
         U_HS_HORIZONTAL,
         {clBlue, PenPattern::Solid, 0},
         U_PS_SOLID},
        {"vertical",
         {Brush::Kind::Hatched, clBlue, BrushPattern::Vertical},
         U_BS_HATCHED,
         U_HS_VERTICAL,
         {clBlue, PenPattern::Solid, 0},
         U_PS_SOLID},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Picture p(10, 10);
        p.selectBrush(c.brush);
        p.selectPen(c.pen);
        const auto records = recordsOf(writeEmf(p, classic()));
        const auto brushes = withType(records, U_EMR_CREATEBRUSHINDIRECT);
        const auto pens = withType(records, U_EMR_CREATEPEN);
        ASSERT_EQ(brushes.size(), 1u);
        ASSERT_EQ(pens.size(), 1u);
        const auto brush = brushes[0].as<U_EMRCREATEBRUSHINDIRECT>();
        EXPECT_EQ(brush.lb.lbStyle, c.style);
        EXPECT_EQ(ref(brush.lb.lbColor), 0xFF0000u);
        EXPECT_EQ(brush.lb.lbHatch, c.hatch);
        const auto pen = pens[0].as<U_EMRCREATEPEN>();
        EXPECT_EQ(pen.lopn.lopnStyle, c.penStyle);
        EXPECT_EQ(pen.lopn.lopnWidth.x, c.pen.width);
        EXPECT_EQ(ref(pen.lopn.lopnColor), 0xFF0000u);
    }
}

TEST(EmfWriter, FontRecord)
{
    Picture p(10, 10);
    p.selectFont({"Courier New", 7, clWindowText, true, true, false});
    p.text(0, 0, "\xC5\xBC"); // a Polish letter asks for the Central European charset
    const auto records = recordsOf(writeEmf(p, classic()));
    const auto fonts = withType(records, U_EMR_EXTCREATEFONTINDIRECTW);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].bytes.size(), sizeof(U_EMREXTCREATEFONTINDIRECTW));
    const auto font = fonts[0].as<U_EMREXTCREATEFONTINDIRECTW>().elfw.elfLogFont;
    EXPECT_EQ(font.lfHeight, -9);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfCharSet, 238);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t *>(font.lfFaceName)), u"Courier New");
    const auto colors = withType(records, U_EMR_SETTEXTCOLOR);
    ASSERT_EQ(colors.size(), 1u);
    EXPECT_EQ(colors[0].field(0), 0u) << "window text resolves to black";
}

TEST(EmfWriter, TextAsUtf16WithCharacterAdvances)
{
    struct Case
    {
        const char *name;
        std::string text;
        std::u16string utf16;
        bool measured;
        std::vector<std::uint32_t> dx;
    };
    const Case cases[] = {
        {"ASCII, measured", "ab", u"ab", true, {7, 8}},
        {"Polish letters and degrees, measured",
         "\xC5\xBC\xC3\xB3\xC5\x82w 1\xC2\xB0",
         u"\u017C\u00F3\u0142w 1\u00B0",
         true,
         {7, 7, 7, 7, 7, 7, 7}},
        {"Windows-1250 bytes", "\xB9", u"\u0105", false, {7}},
        {"estimated advances", "abc", u"abc", false, {7, 7, 7}},
        {"outside the basic plane", "\xF0\x9F\x99\x82", u"\U0001F642", true, {7, 0}},
        {"empty", "", u"", true, {}},
    };
    const TextMeasure measure = [](const Font &font, char32_t c) {
        EXPECT_EQ(font.face, "Arial");
        return c == U'b' ? 8 : 7;
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Picture p(100, 100);
        p.selectFont({"Arial", 10, clBlack, false, false, false});
        p.text(12, 34, c.text);
        const auto texts =
            withType(recordsOf(writeEmf(p, classic(), c.measured ? measure : TextMeasure {})),
                     U_EMR_EXTTEXTOUTW);
        ASSERT_EQ(texts.size(), 1u);
        const auto &bytes = texts[0].bytes;
        const auto record = texts[0].as<U_EMREXTTEXTOUTW>();
        EXPECT_EQ(record.iGraphicsMode, U_GM_COMPATIBLE);
        EXPECT_EQ(record.emrtext.ptlReference.x, 12);
        EXPECT_EQ(record.emrtext.ptlReference.y, 34);
        ASSERT_EQ(record.emrtext.nChars, c.utf16.size());
        ASSERT_LE(record.emrtext.offString + c.utf16.size() * 2, bytes.size());
        std::u16string text(c.utf16.size(), u'\0');
        std::memcpy(text.data(), bytes.data() + record.emrtext.offString, text.size() * 2);
        EXPECT_EQ(text, c.utf16);
        std::uint32_t offDx = 0;
        // Without U_ETO_NO_RECT a rectangle follows the fixed part, then the offset of Dx.
        EXPECT_EQ(record.emrtext.fOptions & U_ETO_NO_RECT, 0u);
        std::memcpy(&offDx, bytes.data() + sizeof(U_EMREXTTEXTOUTW) + sizeof(U_RECTL), 4);
        EXPECT_EQ(offDx % 4, 0u);
        ASSERT_LE(offDx + c.dx.size() * 4, bytes.size());
        std::vector<std::uint32_t> dx(c.dx.size());
        if (!dx.empty())
            std::memcpy(dx.data(), bytes.data() + offDx, dx.size() * 4);
        EXPECT_EQ(dx, c.dx);
    }
    struct Estimate
    {
        const char *face;
        int points;
        int advance;
    };
    const Estimate estimates[] = {
        {"Arial", 10, 7}, // 13 pixels high
        {"Courier New", 10, 8},
        {"courier new", 7, 5}, // 9 pixels high
        {"Liberation Mono", 20, 16}, // 27 pixels high
        {"Arial", 0, 1},
        {"Arial", -10, 7},
    };
    for (const auto &e : estimates)
        EXPECT_EQ(estimatedAdvance({e.face, e.points, clBlack, false, false, false}), e.advance)
            << e.face << " " << e.points;
}

TEST(EmfWriter, TextBackgroundFollowsTheBrush)
{
    struct Case
    {
        const char *name;
        Brush brush;
        std::uint32_t mode;
    };
    const Case cases[] = {
        {"solid", {Brush::Kind::Solid, clGreen, BrushPattern::Solid}, U_OPAQUE},
        {"hatched", {Brush::Kind::Hatched, clGreen, BrushPattern::Cross}, U_TRANSPARENT},
        {"none", {Brush::Kind::Null, clGreen, BrushPattern::Solid}, U_TRANSPARENT},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Picture p(100, 100);
        p.selectBrush(c.brush);
        p.text(0, 0, "a");
        p.ellipse(0, 0, 5, 5);
        std::uint32_t mode = 0;
        std::uint32_t background = 0xFFFFFFFF;
        for (const auto &r : recordsOf(writeEmf(p, classic()))) {
            if (r.type == U_EMR_SETBKMODE)
                mode = r.field(0);
            else if (r.type == U_EMR_SETBKCOLOR)
                background = r.field(0);
            else if (r.type == U_EMR_EXTTEXTOUTW) {
                EXPECT_EQ(mode, c.mode);
                if (c.mode == U_OPAQUE) {
                    EXPECT_EQ(background, 0x008000u);
                }
            } else if (r.type == U_EMR_ELLIPSE) {
                EXPECT_EQ(mode, U_TRANSPARENT);
            }
        }
    }
}

TEST(EmfWriter, WholeDiagramsAreSafeRecords)
{
    SectorCounts counts {};
    for (std::size_t i = 0; i < counts.size(); ++i)
        counts[i] = int(i % 5);
    for (int fill = 0; fill < 7; ++fill) {
        SCOPED_TRACE(fill);
        DiagramStyle style = DiagramStyle::defaults();
        style.fillStyle = fill;
        style.descriptionText = "Opis \xC5\xBC\xC3\xB3\xC5\x82ty";
        auto picture = renderRoseDiagram(style, counts, 4, false);
        ASSERT_TRUE(picture.ok());
        const auto records = recordsOf(writeEmf(picture.value(), classic()));
        EXPECT_EQ(withType(records, U_EMR_ELLIPSE).size(), 18u);
        EXPECT_EQ(withType(records, U_EMR_PIE).size(), 28u);
        EXPECT_EQ(withType(records, U_EMR_EXTTEXTOUTW).size(), 5u);
        EXPECT_LE(records.front().as<U_EMRHEADER>().nHandles, 5);
    }
}

} // namespace
