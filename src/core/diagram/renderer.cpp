#include "core/diagram/renderer.h"

#include "core/util/numbers.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

namespace quorel {

namespace {

// Nearest pixel, halves to the even neighbour, kept inside the int range so that a huge size
// from a data file cannot overflow a coordinate.
int nearest(double x)
{
    const double rounded = roundHalfEven(x);
    if (!(rounded > double(INT_MIN)))
        return INT_MIN;
    if (rounded > double(INT_MAX))
        return INT_MAX;
    return static_cast<int>(rounded);
}

int clampToInt(long long x)
{
    return static_cast<int>(std::clamp<long long>(x, INT_MIN, INT_MAX));
}

// A description position as the up-down control holds it: the typed number when it lies in
// range, else the nearest end of the range.
int positionInRange(int typed)
{
    return std::clamp(typed, 0, descriptionPositionMax);
}

Brush fillBrush(const DiagramStyle &style, Color color)
{
    const BrushPattern pattern = style.fillPattern();
    if (pattern == BrushPattern::Solid)
        return Brush {Brush::Kind::Solid, color, BrushPattern::Solid};
    return Brush {Brush::Kind::Hatched, color, pattern};
}

constexpr int sectors = std::tuple_size_v<SectorCounts>;

const Brush noBrush {Brush::Kind::Null, clWhite, BrushPattern::Solid};

// The band of chance as a filled disk of the band's upper count with one of the background's
// colour over it up to the lower count, on the petals' scale.
void drawBand(Picture &picture, const RoseGeometry &g, Color background,
              const RenderOptions::Band &band, int scale)
{
    const auto disk = [&](int count, Color color) {
        const double r = static_cast<double>(g.radius) * count / scale;
        const double e = g.centre - r;
        picture.selectBrush(Brush {Brush::Kind::Solid, color, BrushPattern::Solid});
        picture.selectPen(Pen {color, PenPattern::Solid, 0});
        picture.ellipse(nearest(e), nearest(e), nearest(g.size - e), nearest(g.size - e));
    };
    disk(band.upper, bandColor);
    if (band.lower > 0)
        disk(std::min(band.lower, band.upper), background);
}

// The mean direction's line and its confidence arc, drawn as short chords (at most 2 degrees
// each) so that every picture format shows it without an arc of its own.
void drawMeanDirection(Picture &picture, const RoseGeometry &g,
                       const RenderOptions::MeanDirection &mark, bool axial)
{
    const double c = g.centre;
    picture.selectPen(Pen {meanDirectionColor, PenPattern::Solid, 2});
    const PixelPoint tip = azimuthPoint(c, mark.direction, g.radius);
    const PixelPoint from = axial ? azimuthPoint(c, mark.direction + 180, g.radius)
                                  : PixelPoint {g.centrePixel, g.centrePixel};
    picture.line(from.x, from.y, tip.x, tip.y);
    if (!mark.halfWidth || !(*mark.halfWidth > 0))
        return;
    const double width = 2 * std::min(*mark.halfWidth, 180.0);
    const int chords = std::max(1, static_cast<int>(std::ceil(width / 2)));
    for (int end = 0; end < (axial ? 2 : 1); ++end) {
        const double start = mark.direction - width / 2 + 180.0 * end;
        PixelPoint previous = azimuthPoint(c, start, g.radius);
        for (int i = 1; i <= chords; ++i) {
            const PixelPoint next = azimuthPoint(c, start + width * i / chords, g.radius);
            picture.line(previous.x, previous.y, next.x, next.y);
            previous = next;
        }
    }
}

} // namespace

RoseGeometry roseGeometry(int size)
{
    RoseGeometry g;
    g.size = size;
    g.diameter = size - size / 10.0;
    g.ringStep = nearest(g.diameter / 18.0);
    g.radius = nearest(g.diameter / 2.0);
    g.centre = size / 2.0;
    g.centrePixel = nearest(g.centre);
    return g;
}

PixelPoint azimuthPoint(double centre, double azimuth, double distance)
{
    const long double angle = 90.0L - azimuth;
    return PixelPoint {nearest(static_cast<double>(centre + distance * cosDeg(angle))),
                       nearest(static_cast<double>(centre - distance * sinDeg(angle)))};
}

Result<Picture> renderRoseDiagram(const DiagramStyle &style, const SectorCounts &counts,
                                  int maxCount, bool randomGraph, const RenderOptions &options)
{
    const auto width = toInteger(style.diagWidth);
    if (!width)
        return Error {"'" + style.diagWidth + "' is not a valid integer value"};
    const int s = *width;
    // A negative side has no sensible drawing (every shape would be mirrored outside the
    // picture); such a size draws nothing.
    if (s < 0)
        return Picture {};

    const RoseGeometry g = roseGeometry(s);
    const double c = g.centre;
    const int v = g.centrePixel;
    const int q = g.ringStep;
    const int radius = g.radius;

    // The rose of orientations counts each measurement in its sector and in the opposite one.
    SectorCounts drawn = counts;
    if (options.axial) {
        for (std::size_t k = 0; k < drawn.size() / 2; ++k) {
            drawn[k] = clampToInt(static_cast<long long>(counts[k]) + counts[k + 18]);
            drawn[k + 18] = drawn[k];
        }
    }
    // Petals (and the band) are linear in the count. The scale is never below the largest
    // count, so a caller's stale maximum cannot push a petal past the outer circle or divide by
    // zero.
    int m = maxCount;
    for (int n : drawn)
        m = std::max(m, n);
    if (options.band)
        m = std::max(m, options.band->upper);

    Picture picture(s, s);

    // Background.
    picture.selectBrush(Brush {Brush::Kind::Solid, style.bgColor, BrushPattern::Solid});
    picture.selectPen(Pen {style.bgColor, PenPattern::Solid, 0});
    picture.rectangle(0, 0, s, s);
    if (options.band && options.band->upper > 0)
        drawBand(picture, g, style.bgColor, *options.band, m);

    // Main and secondary circles, one ring step apart, the secondary half a step inside.
    const Pen mainPen {style.mLinesColor, style.mainPen(), 0};
    const Pen secondaryPen {style.sLinesColor, style.secondaryPen(), 0};
    picture.selectBrush(noBrush);
    picture.selectPen(mainPen);
    for (int i = 1; i <= 9; ++i) {
        const int at = clampToInt(static_cast<long long>(i) * q);
        picture.ellipse(at, at, clampToInt(static_cast<long long>(s) - at),
                        clampToInt(static_cast<long long>(s) - at));
    }
    picture.selectPen(secondaryPen);
    const int half = q / 2;
    for (int i = 1; i <= 9; ++i) {
        const int at = clampToInt(static_cast<long long>(i) * q + half);
        picture.ellipse(at, at, clampToInt(static_cast<long long>(s) - at),
                        clampToInt(static_cast<long long>(s) - at));
    }

    // Radii: main ones on the sector boundaries, secondary ones through the sector middles.
    picture.selectPen(mainPen);
    for (int i = 0; i < sectors; ++i) {
        const PixelPoint end = azimuthPoint(c, 10.0 * i, radius);
        picture.line(v, v, end.x, end.y);
    }
    picture.selectPen(secondaryPen);
    for (int i = 0; i < sectors; ++i) {
        const PixelPoint end = azimuthPoint(c, 10.0 * i + 5.0, radius);
        picture.line(v, v, end.x, end.y);
    }

    // Compass axes past the outer circle, each label just clockwise of its axis end.
    picture.selectBrush(noBrush);
    picture.selectPen(Pen {style.mLinesColor, PenPattern::Solid, 1});
    picture.selectFont(Font {labelFontFace, labelFontPoints, style.fontColor, false, false, false});
    picture.line(v, v, v, 10);
    picture.text(clampToInt(static_cast<long long>(v) + 2), 0, "0");
    picture.line(v, v, clampToInt(2LL * v - 5), v);
    picture.text(nearest(2 * c - 12), v, "90");
    picture.line(v, v, v, nearest(2 * c - 5));
    picture.text(nearest(c + 2), nearest(2 * c - 12), "180");
    picture.line(v, v, 5, v);
    picture.text(0, v, "270");

    // Petals.
    const Brush petalBrush = fillBrush(style, style.fillColor);
    picture.selectBrush(petalBrush);
    picture.selectPen(Pen {style.fillColor, PenPattern::Solid, 1});
    for (int i = 1; i <= sectors; ++i) {
        const int n = drawn[static_cast<std::size_t>(i - 1)];
        if (n <= 0)
            continue;
        const double r = static_cast<double>(radius) * n / m;
        const double e = c - r;
        const PixelPoint first = azimuthPoint(c, 10.0 * i, r);
        const PixelPoint second = azimuthPoint(c, 10.0 * (i - 1), r);
        picture.pie(nearest(e), nearest(e), nearest(s - e), nearest(s - e), first.x, first.y,
                    second.x, second.y);
    }

    if (options.meanDirection)
        drawMeanDirection(picture, g, *options.meanDirection, options.axial);

    // Description: on an opaque box of the background colour with the solid fill, transparent
    // with a hatch (the brush keeps the petals' pattern).
    if (randomGraph || style.descText.empty())
        return picture;
    const auto x = toInteger(style.descX);
    const auto y = toInteger(style.descY);
    const auto points = toInteger(style.descFontSize);
    if (!x || !y || !points)
        return picture;
    picture.selectFont(Font {style.descFontName, *points, style.descFontColor, style.descFontBold,
                             style.descFontItalic, style.descFontUnderline});
    picture.selectBrush(fillBrush(style, style.bgColor));
    picture.text(positionInRange(*x), positionInRange(*y), style.descText);
    return picture;
}

} // namespace quorel
