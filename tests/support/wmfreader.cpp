#include "support/wmfreader.h"

#include "core/diagram/wmfwriter.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorel {

namespace {

using namespace wmf;

constexpr std::size_t metaHeaderBytes = metaHeaderWords * 2;
constexpr std::size_t maxObjects = 0xFFFF;
constexpr std::uint16_t etoOpaque = 0x0002;
constexpr std::uint16_t etoClipped = 0x0004;

std::uint16_t u16(std::string_view bytes, std::size_t offset)
{
    return std::uint16_t(std::uint8_t(bytes[offset]) | std::uint8_t(bytes[offset + 1]) << 8);
}

std::uint32_t u32(std::string_view bytes, std::size_t offset)
{
    return u16(bytes, offset) | std::uint32_t(u16(bytes, offset + 2)) << 16;
}

Color colorFromRef(std::uint32_t ref)
{
    return rgbColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

PenPattern penPattern(std::uint16_t style)
{
    switch (style & 0x0F) {
    case 1:
        return PenPattern::Dash;
    case 2:
        return PenPattern::Dot;
    case 3:
        return PenPattern::DashDot;
    case 4:
        return PenPattern::DashDotDot;
    default:
        return PenPattern::Solid;
    }
}

std::optional<BrushPattern> hatchPattern(std::uint16_t hatch)
{
    switch (hatch) {
    case HsHorizontal:
        return BrushPattern::Horizontal;
    case HsVertical:
        return BrushPattern::Vertical;
    case HsFDiagonal:
        return BrushPattern::FDiagonal;
    case HsBDiagonal:
        return BrushPattern::BDiagonal;
    case HsCross:
        return BrushPattern::Cross;
    case HsDiagCross:
        return BrushPattern::DiagCross;
    default:
        return std::nullopt;
    }
}

// One entry of the object table as the records built it.
struct GdiObject
{
    enum class Kind { Free, Pen, Brush, Font, Other };
    Kind kind = Kind::Free;
    Pen pen;
    Brush brush;
    Font font; // colour unset: text colour is device-context state
    std::uint8_t charset = AnsiCharset;

    static GdiObject of(Kind kind)
    {
        GdiObject object;
        object.kind = kind;
        return object;
    }
};

// One record's parameter words, read only within the record.
class Params
{
public:
    explicit Params(std::string_view bytes)
        : m_bytes(bytes)
    { }
    std::size_t words() const { return m_bytes.size() / 2; }
    bool has(std::size_t count) const { return words() >= count; }
    std::uint16_t word(std::size_t index) const { return u16(m_bytes, index * 2); }
    int value(std::size_t index) const { return std::int16_t(word(index)); }
    std::uint32_t dword(std::size_t index) const { return u32(m_bytes, index * 2); }
    std::string_view bytes(std::size_t offset, std::size_t count) const
    {
        return offset <= m_bytes.size() ? m_bytes.substr(offset, count) : std::string_view {};
    }

private:
    std::string_view m_bytes;
};

class Decoder
{
public:
    explicit Decoder(std::string_view bytes)
        : m_bytes(bytes)
    { }

    Result<Picture> decode()
    {
        if (m_bytes.size() < std::size_t(placeableHeaderSize))
            return Error {"The file is too short to be a Windows Metafile."};
        if (u32(m_bytes, 0) != placeableKey)
            return Error {"The file is not a placeable Windows Metafile."};
        std::uint16_t checksum = 0;
        for (std::size_t i = 0; i < 20; i += 2)
            checksum ^= u16(m_bytes, i);
        if (checksum != u16(m_bytes, 20))
            return Error {"The metafile's header checksum is wrong."};
        if (u16(m_bytes, 14) == 0)
            return Error {"The metafile gives 0 units per inch."};
        const int left = std::int16_t(u16(m_bytes, 6));
        const int top = std::int16_t(u16(m_bytes, 8));
        const int right = std::int16_t(u16(m_bytes, 10));
        const int bottom = std::int16_t(u16(m_bytes, 12));

        std::size_t offset = std::size_t(placeableHeaderSize);
        if (m_bytes.size() < offset + metaHeaderBytes)
            return Error {"The metafile is truncated in its header."};
        const auto type = u16(m_bytes, offset);
        if ((type != 1 && type != 2) || u16(m_bytes, offset + 2) != metaHeaderWords)
            return Error {"The metafile's header is not valid."};
        offset += metaHeaderBytes;

        m_picture = Picture(right - left, bottom - top);
        for (;;) {
            if (m_bytes.size() - offset < 6)
                return Error {"The metafile is truncated: its end record is missing."};
            const std::uint32_t words = u32(m_bytes, offset);
            const std::uint16_t function = u16(m_bytes, offset + 4);
            if (words < 3 || words > (m_bytes.size() - offset) / 2)
                return Error {"A metafile record runs past the end of the file."};
            if (function == MetaEof)
                break;
            const Params params(m_bytes.substr(offset + 6, std::size_t(words) * 2 - 6));
            if (auto status = play(function, params); !status)
                return status.error();
            offset += std::size_t(words) * 2;
        }
        return std::move(m_picture);
    }

private:
    static Error tooShort() { return Error {"A metafile record is too short for its kind."}; }

    Status play(std::uint16_t function, const Params &p)
    {
        switch (function) {
        case MetaSetTextColor:
            if (!p.has(2))
                return tooShort();
            m_textColor = colorFromRef(p.dword(0));
            return success();
        case MetaCreatePenIndirect:
            if (!p.has(5))
                return tooShort();
            {
                auto object = GdiObject::of(GdiObject::Kind::Pen);
                object.pen =
                    Pen {colorFromRef(p.dword(3)), penPattern(p.word(0)), std::max(p.value(1), 0)};
                return create(std::move(object));
            }
        case MetaCreateBrushIndirect:
            if (!p.has(4))
                return tooShort();
            {
                auto object = GdiObject::of(GdiObject::Kind::Brush);
                object.brush = brush(p);
                return create(std::move(object));
            }
        case MetaCreateFontIndirect:
            return createFont(p);
        case MetaCreatePalette:
        case MetaCreatePatternBrush:
        case MetaCreateRegion:
        case MetaDibCreatePatternBrush:
            return create(GdiObject::of(GdiObject::Kind::Other));
        case MetaSelectObject:
            if (!p.has(1))
                return tooShort();
            select(p.word(0));
            return success();
        case MetaDeleteObject:
            if (!p.has(1))
                return tooShort();
            if (p.word(0) < m_objects.size())
                m_objects[p.word(0)] = GdiObject {};
            return success();
        case MetaMoveTo:
            if (!p.has(2))
                return tooShort();
            m_x = p.value(1);
            m_y = p.value(0);
            return success();
        case MetaLineTo:
            if (!p.has(2))
                return tooShort();
            m_picture.line(m_x, m_y, p.value(1), p.value(0));
            m_x = p.value(1);
            m_y = p.value(0);
            return success();
        case MetaRectangle:
            if (!p.has(4))
                return tooShort();
            m_picture.rectangle(p.value(3), p.value(2), p.value(1), p.value(0));
            return success();
        case MetaEllipse:
            if (!p.has(4))
                return tooShort();
            m_picture.ellipse(p.value(3), p.value(2), p.value(1), p.value(0));
            return success();
        case MetaPie:
            // Arguments in reverse: end point, start point, then the box bottom-right-top-left.
            if (!p.has(8))
                return tooShort();
            m_picture.pie(p.value(7), p.value(6), p.value(5), p.value(4), p.value(3), p.value(2),
                          p.value(1), p.value(0));
            return success();
        case MetaTextOut: {
            if (!p.has(1))
                return tooShort();
            const std::size_t length = p.word(0);
            const std::size_t padded = (length + 1) / 2;
            if (!p.has(1 + padded + 2))
                return tooShort();
            text(p.value(1 + padded + 1), p.value(1 + padded), p.bytes(2, length));
            return success();
        }
        case MetaExtTextOut: {
            if (!p.has(4))
                return tooShort();
            const std::size_t length = p.word(2);
            const bool hasRect = p.word(3) & (etoOpaque | etoClipped);
            const std::size_t start = 4 + (hasRect ? 4 : 0);
            if (!p.has(start + (length + 1) / 2))
                return tooShort();
            text(p.value(1), p.value(0), p.bytes(start * 2, length));
            return success();
        }
        default:
            return success();
        }
    }

    static Brush brush(const Params &p)
    {
        const Color color = colorFromRef(p.dword(1));
        switch (p.word(0)) {
        case BsNull:
            return Brush {Brush::Kind::Null, color, BrushPattern::Solid};
        case BsHatched:
            if (const auto hatch = hatchPattern(p.word(3)))
                return Brush {Brush::Kind::Hatched, color, *hatch};
            break;
        default:
            break;
        }
        return Brush {Brush::Kind::Solid, color, BrushPattern::Solid};
    }

    Status createFont(const Params &p)
    {
        constexpr std::size_t fixedBytes = 18;
        const auto record = p.bytes(0, p.words() * 2);
        if (record.size() < fixedBytes)
            return tooShort();
        auto object = GdiObject::of(GdiObject::Kind::Font);
        object.charset = std::uint8_t(record[13]);
        // The face name field holds at most 31 bytes and its terminating NUL.
        auto face = record.substr(fixedBytes, std::size_t(faceNameBytes - 1));
        face = face.substr(0, face.find('\0'));
        object.font.face = decodeToUtf8(face, object.charset);
        object.font.points = pointsFromFontHeight(p.value(0));
        object.font.bold = p.value(4) >= 600;
        object.font.italic = record[10] != 0;
        object.font.underline = record[11] != 0;
        return create(std::move(object));
    }

    // Every create takes the lowest free slot of the object table.
    Status create(GdiObject object)
    {
        for (auto &slot : m_objects) {
            if (slot.kind == GdiObject::Kind::Free) {
                slot = std::move(object);
                return success();
            }
        }
        if (m_objects.size() >= maxObjects)
            return Error {"The metafile creates more objects than it can hold."};
        m_objects.push_back(std::move(object));
        return success();
    }

    void select(std::size_t index)
    {
        if (index >= m_objects.size())
            return;
        const GdiObject &object = m_objects[index];
        switch (object.kind) {
        case GdiObject::Kind::Pen:
            m_picture.selectPen(object.pen);
            break;
        case GdiObject::Kind::Brush:
            m_picture.selectBrush(object.brush);
            break;
        case GdiObject::Kind::Font:
            m_font = object.font;
            m_charset = object.charset;
            emitFont(true);
            break;
        default:
            break;
        }
    }

    // A selection always shows; before a text only a change of font or colour does.
    void emitFont(bool selected = false)
    {
        if (!m_font)
            return;
        Font font = *m_font;
        font.color = m_textColor;
        if (selected || m_emittedFont != font) {
            m_picture.selectFont(font);
            m_emittedFont = font;
        }
    }

    void text(int x, int y, std::string_view bytes)
    {
        emitFont(); // a text colour set after the font still reaches the text
        m_picture.text(x, y, decodeToUtf8(bytes, m_charset));
    }

    std::string_view m_bytes;
    Picture m_picture;
    std::vector<GdiObject> m_objects;
    Color m_textColor = clBlack;
    std::optional<Font> m_font;
    std::optional<Font> m_emittedFont;
    std::uint8_t m_charset = AnsiCharset;
    int m_x = 0;
    int m_y = 0;
};

} // namespace

Result<Picture> readPlaceableWmf(std::string_view bytes)
{
    return Decoder(bytes).decode();
}

} // namespace quorel
