#include "core/diagram/renderer.h"

#include "core/util/numbers.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <optional>
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
              const RenderOptions::Band &band, int scale, PetalScale petalScale)
{
    const auto disk = [&](int count, Color color) {
        const double r = petalRadius(g.radius, count, scale, petalScale);
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

// The axes' label font at 96 pixels per inch: 9 pixels to the em, a monospaced face with
// characters 0.6 em wide, about 10 pixels from the top of a line to its bottom. Enough to centre
// a ring label on its point without measuring text.
constexpr double labelCharWidth = 5.4;
constexpr int labelLineHeight = 10;

// The count a main circle stands for as a student reads it off the rings. Counts are whole
// numbers, so a circle that stands for a whole count says so plainly ("7", never "7.0"). Other
// circles get one decimal below 10, where whole numbers would give neighbouring circles the
// same label (a scale of 7 puts circles at 0.78, 1.56, 2.33 ...: "0.8", "1.6", "2.3"); from
// 10 on the nearest whole count is within 5 % and reads faster. A circle that would read
// "0.0" (the innermost ones of an equal-area rose with a tiny scale) says nothing and is left
// unlabelled. numerator / denominator is the exact count, so "whole" is decided without
// rounding error.
std::optional<std::string> ringLabelText(long long numerator, long long denominator,
                                         char decimalSeparator)
{
    if (numerator % denominator == 0)
        return std::to_string(numerator / denominator);
    const double count = static_cast<double>(numerator) / static_cast<double>(denominator);
    if (count >= 10)
        return std::to_string(static_cast<long long>(roundHalfEven(count)));
    if (count < 0.05)
        return std::nullopt;
    return formatFixed(count, 1, decimalSeparator);
}

// Among the four quadrant bisectors, the one whose petals are shortest: the longest of the petal
// it runs through and its two neighbours decides, then their sum. Ties go to the earlier one
// clockwise from 45 degrees, so a rose with nothing in the way keeps its labels in the 0-to-90
// quadrant.
double ringLabelAzimuth(const SectorCounts &drawn)
{
    double azimuth = 45;
    long long bestLongest = LLONG_MAX;
    long long bestTotal = LLONG_MAX;
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const int middle = 4 + 9 * quadrant; // the sector of 45 + 90 * quadrant degrees
        long long longest = 0;
        long long total = 0;
        for (int k = middle - 1; k <= middle + 1; ++k) {
            const long long n = std::max(0, drawn[static_cast<std::size_t>(k)]);
            longest = std::max(longest, n);
            total += n;
        }
        if (longest < bestLongest || (longest == bestLongest && total < bestTotal)) {
            azimuth = 45 + 90 * quadrant;
            bestLongest = longest;
            bestTotal = total;
        }
    }
    return azimuth;
}

// Each main circle's count, centred where the chosen bisector crosses the circle. The circles are
// meant to stand at ninths of the outer radius (exactly so for sizes that are a multiple of 20),
// so circle k of 9 (from the centre) stands for scale * k / 9, or scale * k^2 / 81 for equal
// areas. Where the circles lie closer than a label's height (small diagrams), only every
// second or third circle is labelled, always counting from the outer one.
// A label stands on a box of the colour under it (the background, or the band's colour inside
// the band), so the grid's lines do not run through its figures. It never covers a petal: a label
// whose box could reach a petal of the sectors it spans is left out (the longest petals of a
// rose with nowhere free hide the inner labels, and the outer ones still give the scale).
void drawRingLabels(Picture &picture, const RoseGeometry &g, const Font &font, Color background,
                    const SectorCounts &drawn, int scale, const RenderOptions &options)
{
    if (scale <= 0 || g.ringStep <= 0)
        return;
    const PetalScale petalScale = options.petalScale;
    const double outer = g.radius;
    const double azimuth = ringLabelAzimuth(drawn);
    // Neighbouring labels lie one ring step apart along a diagonal: q / sqrt(2) apart upright.
    const int stride = static_cast<int>(
        std::ceil(labelLineHeight * std::numbers::sqrt2 / static_cast<double>(g.ringStep)));
    picture.selectFont(font);
    for (int k = 9; k >= 1; k -= stride) {
        const long long numerator = petalScale == PetalScale::Area
            ? static_cast<long long>(scale) * k * k
            : static_cast<long long>(scale) * k;
        const auto text = ringLabelText(numerator, petalScale == PetalScale::Area ? 81 : 9,
                                        options.ringLabels->decimalSeparator);
        if (!text)
            continue;
        const double radius = g.centre - static_cast<double>(10 - k) * g.ringStep;
        const double halfWidth = labelCharWidth * static_cast<double>(text->size()) / 2;
        // The box lies within `reach` of its centre: between radius - reach and radius + reach
        // from the rose's centre, and within `span` degrees of the bisector.
        const double reach = std::hypot(halfWidth, labelLineHeight / 2.0);
        if (reach >= radius)
            continue;
        const double span = std::asin(reach / radius) * 180 / std::numbers::pi;
        bool covers = false;
        for (int j = static_cast<int>(std::floor((azimuth - span) / 10));
             j <= static_cast<int>(std::floor((azimuth + span) / 10)); ++j) {
            const int n = drawn[static_cast<std::size_t>((j % sectors + sectors) % sectors)];
            covers = covers || petalRadius(outer, n, scale, petalScale) > radius - reach;
        }
        if (covers)
            continue;
        Color under = background;
        if (options.band && options.band->upper > 0
            && radius <= petalRadius(outer, options.band->upper, scale, petalScale)
            && radius >= petalRadius(outer, options.band->lower, scale, petalScale))
            under = bandColor;
        picture.selectBrush(Brush {Brush::Kind::Solid, under, BrushPattern::Solid});
        const PixelPoint at = azimuthPoint(g.centre, azimuth, radius);
        picture.text(nearest(at.x - halfWidth), at.y - labelLineHeight / 2, *text);
    }
}

} // namespace

double petalRadius(double outerRadius, int count, int scale, PetalScale petalScale)
{
    if (count <= 0 || scale <= 0)
        return 0;
    // R * n / m in this order, as the classic rose always computed it: a radius that lands on a
    // half pixel must round the same way as before.
    if (petalScale == PetalScale::Count)
        return outerRadius * count / scale;
    return outerRadius * std::sqrt(static_cast<double>(count) / scale);
}

PetalLayout petalLayout(const SectorCounts &counts, int maxCount, const RenderOptions &options)
{
    // The rose of orientations counts each measurement in its sector and in the opposite one.
    PetalLayout layout {counts, maxCount};
    SectorCounts &drawn = layout.drawn;
    if (options.axial) {
        for (std::size_t k = 0; k < drawn.size() / 2; ++k) {
            drawn[k] = clampToInt(static_cast<long long>(counts[k]) + counts[k + 18]);
            drawn[k + 18] = drawn[k];
        }
    }
    // Petals and the band share one scale: a count of m reaches the outer circle. It is never
    // below the largest count, so a caller's stale maximum cannot push a petal past the outer
    // circle or divide by zero.
    for (int n : drawn)
        layout.scale = std::max(layout.scale, n);
    if (options.band)
        layout.scale = std::max(layout.scale, options.band->upper);
    return layout;
}

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

    const PetalLayout layout = petalLayout(counts, maxCount, options);
    const SectorCounts &drawn = layout.drawn;
    const int m = layout.scale;

    Picture picture(s, s);

    // Background.
    picture.selectBrush(Brush {Brush::Kind::Solid, style.bgColor, BrushPattern::Solid});
    picture.selectPen(Pen {style.bgColor, PenPattern::Solid, 0});
    picture.rectangle(0, 0, s, s);
    if (options.band && options.band->upper > 0)
        drawBand(picture, g, style.bgColor, *options.band, m, options.petalScale);

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
    const Font labelFont {labelFontFace, labelFontPoints, style.fontColor, false, false, false};
    picture.selectFont(labelFont);
    picture.line(v, v, v, 10);
    picture.text(clampToInt(static_cast<long long>(v) + 2), 0, "0");
    picture.line(v, v, clampToInt(2LL * v - 5), v);
    picture.text(nearest(2 * c - 12), v, "90");
    picture.line(v, v, v, nearest(2 * c - 5));
    picture.text(nearest(c + 2), nearest(2 * c - 12), "180");
    picture.line(v, v, 5, v);
    picture.text(0, v, "270");
    if (options.ringLabels)
        drawRingLabels(picture, g, labelFont, style.bgColor, drawn, m, options);

    // Petals.
    const Brush petalBrush = fillBrush(style, style.fillColor);
    picture.selectBrush(petalBrush);
    picture.selectPen(Pen {style.fillColor, PenPattern::Solid, 1});
    for (int i = 1; i <= sectors; ++i) {
        const int n = drawn[static_cast<std::size_t>(i - 1)];
        if (n <= 0)
            continue;
        const double r = petalRadius(radius, n, m, options.petalScale);
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
