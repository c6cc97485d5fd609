#include "core/diagram/emfwriter.h"

#include "core/diagram/picture.h"
#include "core/diagram/wmfwriter.h"
#include "core/util/text.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorel {

namespace {

enum RecordType : std::uint32_t {
    EmrHeader = 1,
    EmrEof = 14,
    EmrSetMapMode = 17,
    EmrSetBkMode = 18,
    EmrSetTextAlign = 22,
    EmrSetTextColor = 24,
    EmrSetBkColor = 25,
    EmrMoveToEx = 27,
    EmrSelectObject = 37,
    EmrCreatePen = 38,
    EmrCreateBrushIndirect = 39,
    EmrDeleteObject = 40,
    EmrEllipse = 42,
    EmrRectangle = 43,
    EmrPie = 47,
    EmrLineTo = 54,
    EmrExtCreateFontIndirectW = 82,
    EmrPolygon16 = 86,
    EmrPolyline16 = 87,
    EmrExtTextOutW = 84,
};

constexpr std::uint32_t emfSignature = 0x464D4520; // " EMF"
constexpr std::uint32_t emfVersion = 0x00010000;
constexpr std::uint32_t headerBytes = 108; // with both header extensions
constexpr std::uint32_t mmText = 1;
constexpr std::uint32_t gmCompatible = 1;
// A 960 x 960 pixel reference device of 254 x 254 mm: exactly 96 pixels per inch.
constexpr std::int32_t devicePixels = 960;
constexpr std::int32_t deviceMillimetres = 254;
constexpr double hundredthsOfMmPerPixel = 2540.0 / 96.0;
constexpr std::size_t logFontPanoseBytes = 320;
constexpr std::size_t faceNameChars = 32;
constexpr std::size_t maxTextChars = 0x7FFE;

void put32(std::string &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void putSigned(std::string &out, long long value)
{
    put32(out,
          static_cast<std::uint32_t>(
              static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX))));
}

void put16(std::string &out, std::uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

std::u16string utf16(std::u32string_view text)
{
    std::u16string out;
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
            c = U'\uFFFD';
        if (c >= 0x10000) {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
}

class Encoder
{
public:
    Encoder(const Picture &picture, const SystemColorTable &colors, const TextMeasure &measure)
        : m_picture(picture)
        , m_colors(colors)
        , m_measure(measure)
    { }

    std::string encode()
    {
        record(EmrSetMapMode, {mmText});
        record(EmrSetBkMode, {wmf::Transparent});
        record(EmrSetTextAlign, {0}); // top-left anchor, current position not updated
        m_bkMode = wmf::Transparent;
        m_fontCharsets = wmf::fontCharsets(m_picture);
        for (std::size_t i = 0; i < m_picture.ops().size(); ++i) {
            m_opIndex = i;
            std::visit([this](const auto &op) { emit(op); }, m_picture.ops()[i]);
        }
        record(EmrEof, {0, 16, 20}); // no palette; offset to it; this record's size

        std::string out = header(std::uint32_t(headerLength() + m_records.size()));
        return out + m_records;
    }

private:
    static constexpr char16_t description[] = u"Quorel\0Rose diagram\0";
    static constexpr std::size_t descriptionChars = sizeof(description) / sizeof(char16_t);

    static std::size_t headerLength() { return headerBytes + (descriptionChars * 2 + 3) / 4 * 4; }

    std::string header(std::uint32_t fileBytes) const
    {
        const long long width = std::max(m_picture.width(), 0);
        const long long height = std::max(m_picture.height(), 0);
        std::string out;
        put32(out, EmrHeader);
        put32(out, std::uint32_t(headerLength()));
        // Bounds in pixels and frame in 0.01 mm, both inclusive.
        putSigned(out, 0);
        putSigned(out, 0);
        putSigned(out, width - 1);
        putSigned(out, height - 1);
        putSigned(out, 0);
        putSigned(out, 0);
        putSigned(out, std::llround(double(width) * hundredthsOfMmPerPixel) - 1);
        putSigned(out, std::llround(double(height) * hundredthsOfMmPerPixel) - 1);
        put32(out, emfSignature);
        put32(out, emfVersion);
        put32(out, fileBytes);
        put32(out, m_recordCount + 1);
        put16(out, std::uint16_t(m_slots.size() + 1)); // handle 0 is the metafile itself
        put16(out, 0);
        put32(out, std::uint32_t(descriptionChars));
        put32(out, headerBytes);
        put32(out, 0); // palette entries
        putSigned(out, devicePixels);
        putSigned(out, devicePixels);
        putSigned(out, deviceMillimetres);
        putSigned(out, deviceMillimetres);
        put32(out, 0); // no pixel format
        put32(out, 0);
        put32(out, 0); // not OpenGL
        put32(out, std::uint32_t(deviceMillimetres * 1000));
        put32(out, std::uint32_t(deviceMillimetres * 1000));
        for (char16_t c : description)
            put16(out, c);
        out.resize(headerLength(), '\0');
        return out;
    }

    void record(std::uint32_t type, std::initializer_list<std::uint32_t> fields,
                const std::string &tail = {})
    {
        put32(m_records, type);
        put32(m_records, std::uint32_t(8 + fields.size() * 4 + (tail.size() + 3) / 4 * 4));
        for (auto f : fields)
            put32(m_records, f);
        m_records += tail;
        m_records.resize((m_records.size() + 3) / 4 * 4, '\0');
        ++m_recordCount;
    }

    static std::uint32_t s32(long long value)
    {
        return static_cast<std::uint32_t>(
            static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX)));
    }

    std::uint32_t colorRef(Color color) const
    {
        const Rgb rgb = resolveColor(color, m_colors);
        return std::uint32_t {rgb.red} | (std::uint32_t {rgb.green} << 8)
            | (std::uint32_t {rgb.blue} << 16);
    }

    // The lowest free handle; handle 0 stands for the metafile and is never given out.
    std::uint32_t allocateHandle()
    {
        const auto it = std::find(m_slots.begin(), m_slots.end(), false);
        if (it != m_slots.end()) {
            *it = true;
            return std::uint32_t(it - m_slots.begin()) + 1;
        }
        m_slots.push_back(true);
        return std::uint32_t(m_slots.size());
    }

    void selectReplacing(std::uint32_t handle, std::uint32_t &current)
    {
        record(EmrSelectObject, {handle});
        if (current != 0) {
            record(EmrDeleteObject, {current});
            m_slots[current - 1] = false;
        }
        current = handle;
    }

    void setBkMode(std::uint32_t mode)
    {
        if (m_bkMode != mode)
            record(EmrSetBkMode, {mode});
        m_bkMode = mode;
    }

    void emit(const op::SelectPen &op)
    {
        const auto handle = allocateHandle();
        record(EmrCreatePen,
               {handle, std::uint32_t(op.pen.pattern), s32(std::max(op.pen.width, 0)), 0,
                colorRef(op.pen.color)});
        selectReplacing(handle, m_pen);
    }

    void emit(const op::SelectBrush &op)
    {
        std::uint32_t style = wmf::BsSolid;
        std::uint32_t hatch = 0;
        if (op.brush.kind == Brush::Kind::Null) {
            style = wmf::BsNull;
        } else if (op.brush.kind == Brush::Kind::Hatched && op.brush.hatch != BrushPattern::Solid) {
            style = wmf::BsHatched;
            hatch = wmf::hatchCode(op.brush.hatch);
        }
        const auto handle = allocateHandle();
        record(EmrCreateBrushIndirect, {handle, style, colorRef(op.brush.color), hatch});
        selectReplacing(handle, m_brush);
        m_solidBrushColor =
            style == wmf::BsSolid ? std::optional(colorRef(op.brush.color)) : std::nullopt;
    }

    void emit(const op::SelectFont &op)
    {
        record(EmrSetTextColor, {colorRef(op.font.color)});
        std::string logFont;
        putSigned(logFont, wmf::fontHeightFromPoints(op.font.points));
        put32(logFont, 0); // width: the face's own proportions
        put32(logFont, 0); // escapement
        put32(logFont, 0); // orientation
        put32(logFont, op.font.bold ? wmf::fontWeightBold : wmf::fontWeightNormal);
        logFont += char(op.font.italic ? 1 : 0);
        logFont += char(op.font.underline ? 1 : 0);
        logFont += char(0); // strike-out
        logFont += char(m_fontCharsets[m_opIndex]);
        logFont += std::string(4, '\0'); // precisions, quality, pitch and family: defaults
        std::u16string face = utf16(wmf::decodePictureText(op.font.face));
        face.resize(faceNameChars - 1, u'\0');
        for (char16_t c : face)
            put16(logFont, c);
        put16(logFont, 0);
        logFont.resize(logFontPanoseBytes, '\0'); // full name, style, panose: not given
        const auto handle = allocateHandle();
        record(EmrExtCreateFontIndirectW, {handle}, logFont);
        selectReplacing(handle, m_font);
        m_currentFont = op.font;
    }

    void emit(const op::Rectangle &op)
    {
        setBkMode(wmf::Transparent);
        record(EmrRectangle, {s32(op.left), s32(op.top), s32(op.right), s32(op.bottom)});
    }

    void emit(const op::Ellipse &op)
    {
        setBkMode(wmf::Transparent);
        record(EmrEllipse, {s32(op.left), s32(op.top), s32(op.right), s32(op.bottom)});
    }

    void emit(const op::Line &op)
    {
        setBkMode(wmf::Transparent);
        record(EmrMoveToEx, {s32(op.x1), s32(op.y1)});
        record(EmrLineTo, {s32(op.x2), s32(op.y2)});
    }

    void emit(const op::Pie &op)
    {
        setBkMode(wmf::Transparent);
        record(EmrPie,
               {s32(op.left), s32(op.top), s32(op.right), s32(op.bottom), s32(op.x1), s32(op.y1),
                s32(op.x2), s32(op.y2)});
    }

    // A polygon or polyline record: the points' bounds, the count, then x and y of each point
    // in 16 bits.
    void pointsRecord(std::uint32_t type, const std::vector<op::Point> &points)
    {
        setBkMode(wmf::Transparent);
        long long left = 0, top = 0, right = -1, bottom = -1;
        std::string tail;
        tail.reserve(points.size() * 4);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const op::Point &p = points[i];
            if (i == 0) {
                left = right = p.x;
                top = bottom = p.y;
            }
            left = std::min<long long>(left, p.x);
            right = std::max<long long>(right, p.x);
            top = std::min<long long>(top, p.y);
            bottom = std::max<long long>(bottom, p.y);
            put16(tail, static_cast<std::uint16_t>(std::clamp(p.x, INT16_MIN, INT16_MAX)));
            put16(tail, static_cast<std::uint16_t>(std::clamp(p.y, INT16_MIN, INT16_MAX)));
        }
        record(type, {s32(left), s32(top), s32(right), s32(bottom), std::uint32_t(points.size())},
               tail);
    }

    void emit(const op::Polygon &op) { pointsRecord(EmrPolygon16, op.points); }
    void emit(const op::Polyline &op) { pointsRecord(EmrPolyline16, op.points); }

    void emit(const op::Text &op)
    {
        if (m_solidBrushColor) {
            if (m_bkColor != m_solidBrushColor)
                record(EmrSetBkColor, {*m_solidBrushColor});
            m_bkColor = m_solidBrushColor;
            setBkMode(wmf::Opaque);
        } else {
            setBkMode(wmf::Transparent);
        }
        const std::u32string characters = wmf::decodePictureText(op.text);
        std::u16string text = utf16(characters);
        if (text.size() > maxTextChars)
            text.resize(maxTextChars);
        const Font font = m_currentFont.value_or(Font {});
        std::vector<std::uint32_t> advances;
        for (char32_t c : characters) {
            const int advance = m_measure ? m_measure(font, c) : estimatedAdvance(font);
            advances.push_back(s32(std::max(advance, 0)));
            if (c >= 0x10000)
                advances.push_back(0); // the second half of a surrogate pair
        }
        advances.resize(text.size(), 0);

        // Fixed part: type, size, bounds, mode, scales, then the text object of 40 bytes.
        constexpr std::uint32_t stringOffset = 8 + 16 + 12 + 40;
        const std::uint32_t stringBytes = std::uint32_t(text.size() * 2 + 3) / 4 * 4;
        std::string tail;
        for (char16_t c : text)
            put16(tail, c);
        tail.resize(stringBytes, '\0');
        for (auto a : advances)
            put32(tail, a);
        const auto scale = std::bit_cast<std::uint32_t>(float(hundredthsOfMmPerPixel));
        record(EmrExtTextOutW,
               {0, 0, 0, 0, // bounds: not computed, readers ignore them
                gmCompatible, scale, scale, s32(op.x), s32(op.y), std::uint32_t(text.size()),
                stringOffset, 0, // no clipping or opaquing rectangle
                0, 0, 0, 0, stringOffset + stringBytes},
               tail);
    }

    const Picture &m_picture;
    const SystemColorTable &m_colors;
    const TextMeasure &m_measure;
    std::string m_records;
    std::uint32_t m_recordCount = 0;
    std::vector<bool> m_slots; // handle h is m_slots[h - 1]
    std::uint32_t m_pen = 0;
    std::uint32_t m_brush = 0;
    std::uint32_t m_font = 0;
    std::optional<Font> m_currentFont;
    std::vector<wmf::Charset> m_fontCharsets;
    std::size_t m_opIndex = 0;
    std::uint32_t m_bkMode = 0;
    std::optional<std::uint32_t> m_bkColor;
    std::optional<std::uint32_t> m_solidBrushColor;
};

} // namespace

int estimatedAdvance(const Font &font)
{
    const std::string face = upperAscii(font.face);
    const bool fixedPitch =
        face.find("COURIER") != std::string::npos || face.find("MONO") != std::string::npos;
    const double share = fixedPitch ? 0.6 : 0.5;
    return std::max(1, int(std::lround(std::abs(wmf::fontHeightFromPoints(font.points)) * share)));
}

std::string writeEmf(const Picture &picture, const SystemColorTable &systemColors,
                     const TextMeasure &measure)
{
    return Encoder(picture, systemColors, measure).encode();
}

} // namespace quorel
