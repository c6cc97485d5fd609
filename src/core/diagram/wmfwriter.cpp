#include "core/diagram/wmfwriter.h"

#include "core/diagram/picture.h"
#include "core/util/text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace quorel {

namespace {

using namespace wmf;

const std::array<char16_t, 128> &codePage(std::uint8_t charset)
{
    return charset == EastEuropeCharset ? windows1250Table() : windows1252Table();
}

std::optional<char> encodeChar(char32_t c, const std::array<char16_t, 128> &table)
{
    if (c < 0x80)
        return static_cast<char>(c);
    const auto it = std::find(table.begin(), table.end(), static_cast<char16_t>(c));
    if (c > 0xFFFF || it == table.end())
        return std::nullopt;
    return static_cast<char>(0x80 + (it - table.begin()));
}

int missingIn(std::u32string_view text, const std::array<char16_t, 128> &table)
{
    return int(
        std::count_if(text.begin(), text.end(), [&](char32_t c) { return !encodeChar(c, table); }));
}

std::int16_t clamp16(long long value)
{
    return static_cast<std::int16_t>(std::clamp<long long>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

std::uint16_t word(long long value)
{
    return static_cast<std::uint16_t>(clamp16(value));
}

// Builds the records after the placeable header and keeps the object table.
class Encoder
{
public:
    Encoder(const Picture &picture, const SystemColorTable &systemColors)
        : m_picture(picture)
        , m_colors(systemColors)
    { }

    std::string encode()
    {
        const std::int16_t width = clamp16(std::max(m_picture.width(), 0));
        const std::int16_t height = clamp16(std::max(m_picture.height(), 0));

        std::string out;
        put32(out, placeableKey);
        put16(out, 0); // hmf
        put16(out, 0); // bounding box left, top, right, bottom
        put16(out, 0);
        put16(out, std::uint16_t(width));
        put16(out, std::uint16_t(height));
        put16(out, unitsPerInch);
        put32(out, 0); // reserved
        std::uint16_t checksum = 0;
        for (std::size_t i = 0; i < out.size(); i += 2)
            checksum ^= std::uint16_t(std::uint8_t(out[i]) | std::uint8_t(out[i + 1]) << 8);
        put16(out, checksum);

        record(MetaSetMapMode, {mmAnisotropic});
        record(MetaSetWindowOrg, {0, 0});
        record(MetaSetWindowExt, {std::uint16_t(height), std::uint16_t(width)});
        record(MetaSetBkMode, {Transparent});
        record(MetaSetTextAlign, {0}); // top-left anchor, current position not updated
        m_bkMode = Transparent;

        m_fontCharsets = fontCharsets(m_picture);
        for (std::size_t i = 0; i < m_picture.ops().size(); ++i) {
            m_opIndex = i;
            std::visit([this](const auto &op) { emit(op); }, m_picture.ops()[i]);
        }
        record(MetaEof, {});

        const auto fileWords = (metaHeaderWords * 2 + m_records.size()) / 2;
        put16(out, 1); // metafile type 1, as the platform's own conversion writes it
        put16(out, metaHeaderWords);
        put16(out, 0x0300);
        put32(out, std::uint32_t(fileWords));
        put16(out, std::uint16_t(m_slots.size()));
        put32(out, m_maxRecordWords);
        put16(out, 0);
        out += m_records;
        return out;
    }

private:
    static void put16(std::string &out, std::uint16_t value)
    {
        out += static_cast<char>(value & 0xFF);
        out += static_cast<char>(value >> 8);
    }
    static void put32(std::string &out, std::uint32_t value)
    {
        put16(out, std::uint16_t(value & 0xFFFF));
        put16(out, std::uint16_t(value >> 16));
    }

    // A record of whole words; `bytes` is padded to an even length.
    void record(std::uint16_t function, std::initializer_list<std::uint16_t> params,
                std::string bytes = {}, std::initializer_list<std::uint16_t> tail = {})
    {
        if (bytes.size() % 2)
            bytes += '\0';
        const auto words = std::uint32_t(3 + params.size() + bytes.size() / 2 + tail.size());
        put32(m_records, words);
        put16(m_records, function);
        for (auto p : params)
            put16(m_records, p);
        m_records += bytes;
        for (auto p : tail)
            put16(m_records, p);
        m_maxRecordWords = std::max(m_maxRecordWords, words);
    }

    void colorRecord(std::uint16_t function, Color color)
    {
        const auto ref = colorRef(color);
        record(function, {std::uint16_t(ref & 0xFFFF), std::uint16_t(ref >> 16)});
    }

    std::uint32_t colorRef(Color color) const
    {
        const Rgb rgb = resolveColor(color, m_colors);
        return std::uint32_t {rgb.red} | (std::uint32_t {rgb.green} << 8)
            | (std::uint32_t {rgb.blue} << 16);
    }

    // The lowest free slot, as every reader assumes.
    int allocateSlot()
    {
        const auto it = std::find(m_slots.begin(), m_slots.end(), false);
        if (it != m_slots.end()) {
            *it = true;
            return int(it - m_slots.begin());
        }
        m_slots.push_back(true);
        return int(m_slots.size()) - 1;
    }

    // Selects the freshly created object in `slot` in place of `current`, which is deleted only
    // once it is no longer selected.
    void selectReplacing(int slot, int &current)
    {
        record(MetaSelectObject, {std::uint16_t(slot)});
        if (current >= 0) {
            record(MetaDeleteObject, {std::uint16_t(current)});
            m_slots[std::size_t(current)] = false;
        }
        current = slot;
    }

    void setBkMode(std::uint16_t mode)
    {
        if (m_bkMode != mode)
            record(MetaSetBkMode, {mode});
        m_bkMode = mode;
    }

    void emit(const op::SelectPen &op)
    {
        const int slot = allocateSlot();
        const auto ref = colorRef(op.pen.color);
        record(MetaCreatePenIndirect,
               {std::uint16_t(op.pen.pattern), word(std::max(op.pen.width, 0)), 0,
                std::uint16_t(ref & 0xFFFF), std::uint16_t(ref >> 16)});
        selectReplacing(slot, m_pen);
    }

    void emit(const op::SelectBrush &op)
    {
        std::uint16_t style = BsSolid;
        std::uint16_t hatch = 0;
        if (op.brush.kind == Brush::Kind::Null) {
            style = BsNull;
        } else if (op.brush.kind == Brush::Kind::Hatched && op.brush.hatch != BrushPattern::Solid) {
            style = BsHatched;
            hatch = hatchCode(op.brush.hatch);
        }
        const int slot = allocateSlot();
        const auto ref = colorRef(op.brush.color);
        record(MetaCreateBrushIndirect,
               {style, std::uint16_t(ref & 0xFFFF), std::uint16_t(ref >> 16), hatch});
        selectReplacing(slot, m_brush);
        m_solidBrushColor = style == BsSolid ? std::optional(ref) : std::nullopt;
    }

    void emit(const op::SelectFont &op)
    {
        // The text colour goes first so that a reader meets the whole font at its selection.
        colorRecord(MetaSetTextColor, op.font.color);
        const Charset charset = m_fontCharsets[m_opIndex];
        std::string logFont;
        const auto put = [&](std::uint16_t v) {
            put16(logFont, v);
        };
        put(word(fontHeightFromPoints(op.font.points)));
        put(0); // width: the face's own proportions
        put(0); // escapement
        put(0); // orientation
        put(op.font.bold ? fontWeightBold : fontWeightNormal);
        logFont += char(op.font.italic ? 1 : 0);
        logFont += char(op.font.underline ? 1 : 0);
        logFont += char(0); // strike-out
        logFont += char(charset);
        logFont += std::string(4, '\0'); // precisions, quality, pitch and family: defaults
        std::string face = encodeForCharset(decodePictureText(op.font.face), charset);
        face.resize(faceNameBytes - 1, '\0');
        logFont += face;
        logFont += '\0';
        const int slot = allocateSlot();
        record(MetaCreateFontIndirect, {}, logFont);
        selectReplacing(slot, m_font);
        m_fontCharset = charset;
    }

    void emit(const op::Rectangle &op)
    {
        setBkMode(Transparent);
        record(MetaRectangle, {word(op.bottom), word(op.right), word(op.top), word(op.left)});
    }

    void emit(const op::Ellipse &op)
    {
        setBkMode(Transparent);
        record(MetaEllipse, {word(op.bottom), word(op.right), word(op.top), word(op.left)});
    }

    void emit(const op::Line &op)
    {
        setBkMode(Transparent);
        record(MetaMoveTo, {word(op.y1), word(op.x1)});
        record(MetaLineTo, {word(op.y2), word(op.x2)});
    }

    void emit(const op::Pie &op)
    {
        // The record keeps the call's arguments in reverse: end point, start point, box.
        setBkMode(Transparent);
        record(MetaPie,
               {word(op.y2), word(op.x2), word(op.y1), word(op.x1), word(op.bottom), word(op.right),
                word(op.top), word(op.left)});
    }

    // A polygon or polyline record: the count, then x and y of each point (at most what a
    // record's 16-bit count holds).
    void pointsRecord(std::uint16_t function, const std::vector<op::Point> &points)
    {
        const std::size_t count = std::min<std::size_t>(points.size(), 0x7FFF);
        std::string bytes;
        bytes.reserve(count * 4);
        for (std::size_t i = 0; i < count; ++i) {
            put16(bytes, word(points[i].x));
            put16(bytes, word(points[i].y));
        }
        setBkMode(Transparent);
        record(function, {std::uint16_t(count)}, bytes);
    }

    void emit(const op::Polygon &op) { pointsRecord(MetaPolygon, op.points); }
    void emit(const op::Polyline &op) { pointsRecord(MetaPolyline, op.points); }

    void emit(const op::Text &op)
    {
        // A solid brush puts the text on an opaque box of the brush colour.
        if (m_solidBrushColor) {
            if (m_bkColor != m_solidBrushColor)
                record(MetaSetBkColor,
                       {std::uint16_t(*m_solidBrushColor & 0xFFFF),
                        std::uint16_t(*m_solidBrushColor >> 16)});
            m_bkColor = m_solidBrushColor;
            setBkMode(Opaque);
        } else {
            setBkMode(Transparent);
        }
        const auto text = decodePictureText(op.text);
        // Without a font the device's own ANSI font draws the text.
        const Charset charset = m_font >= 0 ? m_fontCharset : AnsiCharset;
        std::string bytes = encodeForCharset(text, charset);
        if (bytes.size() > maxTextBytes)
            bytes.resize(maxTextBytes);
        record(MetaTextOut, {std::uint16_t(bytes.size())}, bytes, {word(op.y), word(op.x)});
    }

    static constexpr std::size_t maxTextBytes = 0x7FFE;

    const Picture &m_picture;
    const SystemColorTable &m_colors;
    std::string m_records;
    std::uint32_t m_maxRecordWords = 0;
    std::vector<bool> m_slots;
    int m_pen = -1;
    int m_brush = -1;
    int m_font = -1;
    Charset m_fontCharset = AnsiCharset;
    std::vector<Charset> m_fontCharsets;
    std::size_t m_opIndex = 0;
    std::uint16_t m_bkMode = 0;
    std::optional<std::uint32_t> m_bkColor;
    std::optional<std::uint32_t> m_solidBrushColor;
};

} // namespace

std::string writePlaceableWmf(const Picture &picture, const SystemColorTable &systemColors)
{
    return Encoder(picture, systemColors).encode();
}

namespace wmf {

std::uint16_t hatchCode(BrushPattern pattern)
{
    switch (pattern) {
    case BrushPattern::BDiagonal:
        return HsBDiagonal;
    case BrushPattern::FDiagonal:
        return HsFDiagonal;
    case BrushPattern::Cross:
        return HsCross;
    case BrushPattern::DiagCross:
        return HsDiagCross;
    case BrushPattern::Horizontal:
        return HsHorizontal;
    case BrushPattern::Vertical:
        return HsVertical;
    case BrushPattern::Solid:
        break;
    }
    return HsHorizontal;
}

std::vector<Charset> fontCharsets(const Picture &picture)
{
    const auto &ops = picture.ops();
    std::vector<Charset> charsets(ops.size(), AnsiCharset);
    std::optional<std::size_t> font;
    for (std::size_t i = 0; i < ops.size(); ++i) {
        if (const auto *select = std::get_if<op::SelectFont>(&ops[i])) {
            font = i;
            charsets[i] = charsetFor(decodePictureText(select->font.face));
        } else if (const auto *text = std::get_if<op::Text>(&ops[i]); text && font) {
            if (charsetFor(decodePictureText(text->text)) == EastEuropeCharset)
                charsets[*font] = EastEuropeCharset;
        }
    }
    return charsets;
}

int fontHeightFromPoints(int points)
{
    return -int(std::lround(double(points) * unitsPerInch / 72.0));
}

int pointsFromFontHeight(int height)
{
    return int(std::lround(std::abs(double(height)) * 72.0 / unitsPerInch));
}

std::u32string decodePictureText(std::string_view bytes)
{
    std::u32string out;
    out.reserve(bytes.size());
    if (!isValidUtf8(bytes)) {
        for (char byte : bytes) {
            const auto b = static_cast<unsigned char>(byte);
            const char16_t c = b < 0x80 ? b : windows1250Table()[b - 0x80];
            out += c ? char32_t(c) : U'\uFFFD';
        }
        return out;
    }
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t cp = static_cast<char32_t>(length == 1 ? b : b & (0x7F >> length));
        for (int k = 1; k < length && i + std::size_t(k) < bytes.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(bytes[i + std::size_t(k)]) & 0x3F);
        out += cp;
        i += std::size_t(length);
    }
    return out;
}

Charset charsetFor(std::u32string_view text)
{
    const int ansiMissing = missingIn(text, windows1252Table());
    if (ansiMissing == 0)
        return AnsiCharset;
    return missingIn(text, windows1250Table()) < ansiMissing ? EastEuropeCharset : AnsiCharset;
}

std::string encodeForCharset(std::u32string_view text, Charset charset)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        out += encodeChar(c, codePage(charset)).value_or('?');
    return out;
}

std::string decodeToUtf8(std::string_view bytes, std::uint8_t charset)
{
    const auto &table = codePage(charset);
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        const char16_t c = b < 0x80 ? b : table[b - 0x80];
        appendUtf8(out, c ? char32_t(c) : U'\uFFFD');
    }
    return out;
}

} // namespace wmf

} // namespace quorel
