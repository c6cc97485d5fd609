#pragma once

#include "core/diagram/color.h"
#include "core/diagram/diagramstyle.h"

#include <string>
#include <variant>
#include <vector>

namespace quorel {

// Drawing state of a Picture. Colours stay colour values (system colours unresolved) until the
// picture is drawn or written, so a diagram follows the user's colour scheme.
struct Pen
{
    Color color = clBlack;
    PenPattern pattern = PenPattern::Solid;
    int width = 0; // 0 is the thinnest line the device draws
    friend bool operator==(const Pen &, const Pen &) = default;
};

struct Brush
{
    enum class Kind { Solid, Hatched, Null };
    Kind kind = Kind::Solid;
    Color color = clWhite;
    BrushPattern hatch = BrushPattern::Solid; // only for Kind::Hatched
    friend bool operator==(const Brush &, const Brush &) = default;
};

struct Font
{
    std::string face = "Arial";
    int points = 10;
    Color color = clBlack;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const Font &, const Font &) = default;
};

// The recorded operations. Coordinates are whole pixels, origin top-left, y downwards.
namespace op {
struct SelectPen
{
    Pen pen;
    friend bool operator==(const SelectPen &, const SelectPen &) = default;
};
struct SelectBrush
{
    Brush brush;
    friend bool operator==(const SelectBrush &, const SelectBrush &) = default;
};
struct SelectFont
{
    Font font;
    friend bool operator==(const SelectFont &, const SelectFont &) = default;
};
// Filled and outlined rectangle by two corners.
struct Rectangle
{
    int left, top, right, bottom;
    friend bool operator==(const Rectangle &, const Rectangle &) = default;
};
// Ellipse by its bounding box, outlined with the pen and filled with the brush.
struct Ellipse
{
    int left, top, right, bottom;
    friend bool operator==(const Ellipse &, const Ellipse &) = default;
};
// Move to (x1, y1), then a line to (x2, y2).
struct Line
{
    int x1, y1, x2, y2;
    friend bool operator==(const Line &, const Line &) = default;
};
// Pie by bounding box and two radial points; the arc runs counter-clockwise on screen from the
// first radial point to the second.
struct Pie
{
    int left, top, right, bottom;
    int x1, y1, x2, y2;
    friend bool operator==(const Pie &, const Pie &) = default;
};
// A corner of a polygon or a point of a polyline.
struct Point
{
    int x, y;
    friend bool operator==(const Point &, const Point &) = default;
};
// A closed polygon, filled with the brush (alternate rule) and outlined with the pen.
struct Polygon
{
    std::vector<Point> points;
    friend bool operator==(const Polygon &, const Polygon &) = default;
};
// Connected lines through the points, drawn with the pen.
struct Polyline
{
    std::vector<Point> points;
    friend bool operator==(const Polyline &, const Polyline &) = default;
};
// Text anchored at its top-left corner in the selected font. With a solid brush selected the
// text stands on an opaque box of the brush colour; otherwise it is transparent.
struct Text
{
    int x, y;
    std::string text; // bytes as the user gave them (UTF-8 or Windows-1250)
    friend bool operator==(const Text &, const Text &) = default;
};
} // namespace op

using PictureOp = std::variant<op::SelectPen, op::SelectBrush, op::SelectFont, op::Rectangle,
                               op::Ellipse, op::Line, op::Pie, op::Text, op::Polygon, op::Polyline>;

// The recorded S x S vector drawing of the rose diagram: the one picture that the screen,
// clipboard, printer, saved files and the report all take.
class Picture
{
public:
    Picture() = default;
    Picture(int width, int height)
        : m_width(width)
        , m_height(height)
    { }

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_width <= 0 || m_height <= 0; }
    const std::vector<PictureOp> &ops() const { return m_ops; }

    void selectPen(const Pen &pen) { m_ops.emplace_back(op::SelectPen {pen}); }
    void selectBrush(const Brush &brush) { m_ops.emplace_back(op::SelectBrush {brush}); }
    void selectFont(const Font &font) { m_ops.emplace_back(op::SelectFont {font}); }
    void rectangle(int l, int t, int r, int b) { m_ops.emplace_back(op::Rectangle {l, t, r, b}); }
    void ellipse(int l, int t, int r, int b) { m_ops.emplace_back(op::Ellipse {l, t, r, b}); }
    void line(int x1, int y1, int x2, int y2) { m_ops.emplace_back(op::Line {x1, y1, x2, y2}); }
    void pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
    {
        m_ops.emplace_back(op::Pie {l, t, r, b, x1, y1, x2, y2});
    }
    void polygon(std::vector<op::Point> points)
    {
        m_ops.emplace_back(op::Polygon {std::move(points)});
    }
    void polyline(std::vector<op::Point> points)
    {
        m_ops.emplace_back(op::Polyline {std::move(points)});
    }
    void text(int x, int y, std::string text)
    {
        m_ops.emplace_back(op::Text {x, y, std::move(text)});
    }

    friend bool operator==(const Picture &, const Picture &) = default;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<PictureOp> m_ops;
};

} // namespace quorel
