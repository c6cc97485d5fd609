#include "core/diagram/svgwriter.h"

#include "core/util/text.h"
#include "core/util/xml.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace quorel {

namespace {

// Part of the font size above the baseline: the top-left anchor of text sits this far above
// the baseline (close to Arial's and Courier New's ascent).
constexpr double ascentRatio = 0.9;
// Largest font size drawn, so a mistyped size cannot make a viewer allocate giant glyphs.
constexpr double maxFontPixels = 10000.0;

// As printf's "%.10g" (to_chars with a precision is specified to give the same text), without
// printf's cost: a diagram holds a few thousand numbers.
std::string number(double x)
{
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 10);
    (void)error; // 32 bytes hold any double at ten digits
    return {buffer, end};
}

std::string hexColor(Color color, const SystemColorTable &colors)
{
    const Rgb rgb = resolveColor(color, colors);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
    return buffer;
}

// Texts and font names in the SVG lose the control characters XML 1.0 cannot hold (and the line
// ends, as a text element is one line).
constexpr XmlEscaping svgText {.dropControls = true};

// The hatch lines of one 8 x 8 cell.
std::string_view hatchLines(BrushPattern hatch)
{
    switch (hatch) {
    case BrushPattern::BDiagonal:
        return "M0 8L8 0M-1 1L1 -1M7 9L9 7";
    case BrushPattern::FDiagonal:
        return "M0 0L8 8M-1 7L1 9M7 -1L9 1";
    case BrushPattern::Cross:
        return "M0 0.5H8M0.5 0V8";
    case BrushPattern::DiagCross:
        return "M0 8L8 0M-1 1L1 -1M7 9L9 7M0 0L8 8M-1 7L1 9M7 -1L9 1";
    case BrushPattern::Horizontal:
        return "M0 0.5H8";
    case BrushPattern::Vertical:
        return "M0.5 0V8";
    case BrushPattern::Solid:
        break;
    }
    return {};
}

struct HatchKey
{
    Rgb rgb;
    BrushPattern hatch;
    friend bool operator==(const HatchKey &, const HatchKey &) = default;
};

class SvgBuilder
{
public:
    SvgBuilder(const Picture &picture, const SystemColorTable &colors)
        : m_picture(picture)
        , m_colors(colors)
    { }

    std::string build()
    {
        const int w = std::max(0, m_picture.width());
        const int h = std::max(0, m_picture.height());
        m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        m_out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
            + std::to_string(w) + "\" height=\"" + std::to_string(h) + "\" viewBox=\"0 0 "
            + std::to_string(w) + " " + std::to_string(h) + "\">\n";
        writeDefs();
        for (const auto &op : m_picture.ops())
            std::visit([this](const auto &o) { draw(o); }, op);
        m_out += "</svg>\n";
        return std::move(m_out);
    }

private:
    void writeDefs()
    {
        std::string defs;
        for (const auto &op : m_picture.ops()) {
            if (const auto *select = std::get_if<op::SelectBrush>(&op))
                (void)hatchId(select->brush, &defs);
        }
        m_out += "<defs>\n" + defs + "</defs>\n";
    }

    // The id of the pattern of a hatched brush; defines it into `defs` on first sight.
    std::string hatchId(const Brush &brush, std::string *defs)
    {
        if (brush.kind != Brush::Kind::Hatched || brush.hatch == BrushPattern::Solid)
            return {};
        const HatchKey key {resolveColor(brush.color, m_colors), brush.hatch};
        auto it = std::find(m_hatches.begin(), m_hatches.end(), key);
        const auto index = static_cast<std::size_t>(it - m_hatches.begin());
        const std::string id = "hatch" + std::to_string(index);
        if (it == m_hatches.end() && defs) {
            m_hatches.push_back(key);
            *defs += "<pattern id=\"" + id
                + "\" patternUnits=\"userSpaceOnUse\" x=\"0\" y=\"0\" width=\"8\" height=\"8\">"
                  "<path d=\""
                + std::string(hatchLines(brush.hatch)) + "\" stroke=\""
                + hexColor(brush.color, m_colors)
                + "\" stroke-width=\"1\" fill=\"none\" shape-rendering=\"crispEdges\"/>"
                  "</pattern>\n";
        }
        return id;
    }

    std::string fillAttribute()
    {
        switch (m_brush.kind) {
        case Brush::Kind::Null:
            return " fill=\"none\"";
        case Brush::Kind::Hatched:
            if (m_brush.hatch != BrushPattern::Solid)
                return " fill=\"url(#" + hatchId(m_brush, nullptr) + ")\"";
            [[fallthrough]];
        case Brush::Kind::Solid:
            break;
        }
        return " fill=\"" + hexColor(m_brush.color, m_colors) + "\"";
    }

    std::string strokeAttributes()
    {
        std::string out = " stroke=\"" + hexColor(m_pen.color, m_colors) + "\" stroke-width=\""
            + std::to_string(std::max(1, m_pen.width)) + "\"";
        // Styled pens keep their pattern only while thin, as on the original device.
        const auto dashes = penDashLengths(m_pen.pattern);
        if (!dashes.empty() && m_pen.width <= 1) {
            out += " stroke-dasharray=\"";
            for (std::size_t i = 0; i < dashes.size(); ++i)
                out += (i ? " " : "") + std::to_string(dashes[i]);
            out += "\"";
        }
        return out;
    }

    void draw(const op::SelectPen &o) { m_pen = o.pen; }
    void draw(const op::SelectBrush &o) { m_brush = o.brush; }
    void draw(const op::SelectFont &o) { m_font = o.font; }

    void draw(const op::Rectangle &o)
    {
        m_out += "<rect x=\"" + number(std::min(o.left, o.right)) + "\" y=\""
            + number(std::min(o.top, o.bottom)) + "\" width=\""
            + number(std::abs(double(o.right) - o.left)) + "\" height=\""
            + number(std::abs(double(o.bottom) - o.top)) + "\"" + fillAttribute()
            + strokeAttributes() + "/>\n";
    }

    void draw(const op::Ellipse &o)
    {
        m_out += "<ellipse cx=\"" + number((double(o.left) + o.right) / 2) + "\" cy=\""
            + number((double(o.top) + o.bottom) / 2) + "\" rx=\""
            + number(std::abs(double(o.right) - o.left) / 2) + "\" ry=\""
            + number(std::abs(double(o.bottom) - o.top) / 2) + "\"" + fillAttribute()
            + strokeAttributes() + "/>\n";
    }

    void draw(const op::Line &o)
    {
        m_out += "<line x1=\"" + number(o.x1) + "\" y1=\"" + number(o.y1) + "\" x2=\""
            + number(o.x2) + "\" y2=\"" + number(o.y2) + "\"" + strokeAttributes() + "/>\n";
    }

    void draw(const op::Pie &o)
    {
        const double cx = (double(o.left) + o.right) / 2;
        const double cy = (double(o.top) + o.bottom) / 2;
        const double rx = std::abs(double(o.right) - o.left) / 2;
        const double ry = std::abs(double(o.bottom) - o.top) / 2;
        if (rx <= 0 || ry <= 0)
            return; // a pie without area draws nothing
        // Angles measured counter-clockwise on screen (y up), as the arc runs.
        const double a1 = std::atan2(-(o.y1 - cy) / ry, (o.x1 - cx) / rx);
        const double a2 = std::atan2(-(o.y2 - cy) / ry, (o.x2 - cx) / rx);
        constexpr double full = 2 * std::numbers::pi;
        double span = std::fmod(a2 - a1 + 2 * full, full);
        if (span <= 1e-12)
            span = full; // equal radial points: the whole ellipse
        const auto at = [&](double a) {
            return number(cx + rx * std::cos(a)) + " " + number(cy - ry * std::sin(a));
        };
        // Built by appending: GCC 12 at -O3 raises a false -Wrestrict on "literal" + string.
        std::string d = "M";
        d += number(cx) + " " + number(cy);
        d += "L";
        d += at(a1);
        std::string radii = "A";
        radii += number(rx) + " " + number(ry) + " 0 ";
        if (span >= full) {
            d += radii + "0 0 " + at(a1 + full / 2) + radii + "0 0 " + at(a1);
        } else {
            d += radii + (span > std::numbers::pi ? "1" : "0") + " 0 " + at(a1 + span);
        }
        d += "Z";
        m_out += "<path d=\"" + d + "\"" + fillAttribute() + strokeAttributes()
            + " stroke-linejoin=\"miter\"/>\n";
    }

    static std::string pointList(const std::vector<op::Point> &points)
    {
        std::string list;
        for (const op::Point &p : points) {
            if (!list.empty())
                list += ' ';
            list += number(p.x) + "," + number(p.y);
        }
        return list;
    }

    void draw(const op::Polygon &o)
    {
        m_out += "<polygon points=\"" + pointList(o.points) + "\"" + fillAttribute()
            + " fill-rule=\"evenodd\"" + strokeAttributes() + "/>\n";
    }

    void draw(const op::Polyline &o)
    {
        m_out += "<polyline points=\"" + pointList(o.points) + "\" fill=\"none\""
            + strokeAttributes() + "/>\n";
    }

    void draw(const op::Text &o)
    {
        const double px = fontPixels(m_font.points);
        std::string attributes = " x=\"" + number(o.x) + "\" y=\"" + number(o.y + px * ascentRatio)
            + "\" font-family=\"" + escapeXml(m_font.face, svgText) + "\" font-size=\"" + number(px)
            + "\" fill=\"" + hexColor(m_font.color, m_colors) + "\"";
        if (m_font.bold)
            attributes += " font-weight=\"bold\"";
        if (m_font.italic)
            attributes += " font-style=\"italic\"";
        if (m_font.underline)
            attributes += " text-decoration=\"underline\"";
        const std::string content = escapeXml(displayText(o.text), svgText);
        if (m_brush.kind == Brush::Kind::Solid) {
            // The opaque box: a filter floods the text's own bounding box with the brush
            // colour and lays the glyphs over it, so no text measuring is needed here.
            const std::string id = "box" + std::to_string(m_boxCount++);
            m_out += "<filter id=\"" + id
                + "\" x=\"0\" y=\"0\" width=\"1\" height=\"1\"><feFlood flood-color=\""
                + hexColor(m_brush.color, m_colors)
                + "\"/><feComposite in=\"SourceGraphic\" operator=\"over\"/></filter>\n";
            attributes += " filter=\"url(#" + id + ")\"";
        }
        m_out += "<text xml:space=\"preserve\"" + attributes + ">" + content + "</text>\n";
    }

    const Picture &m_picture;
    const SystemColorTable &m_colors;
    std::string m_out;
    std::vector<HatchKey> m_hatches;
    int m_boxCount = 0;
    Pen m_pen;
    Brush m_brush;
    Font m_font;
};

} // namespace

double fontPixels(int points)
{
    // Whole pixels, rounded as the original device sizes its fonts; a negative size is taken
    // as its magnitude; at least one pixel, at most maxFontPixels.
    const double px = std::round(std::abs(double(points)) * 96.0 / 72.0);
    return std::clamp(px, 1.0, maxFontPixels);
}

std::string pictureToSvg(const Picture &picture, const SystemColorTable &colors)
{
    return SvgBuilder(picture, colors).build();
}

} // namespace quorel
