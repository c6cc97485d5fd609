#include "core/diagram/renderer.h"

#include "core/util/numbers.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

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

// A pie of `radius` over petal `petal` (1..36), filled and outlined in the brush and pen chosen.
void petalPie(Picture &picture, const RoseGeometry &g, int petal, double radius)
{
    const double e = g.centre - radius;
    const PixelPoint first = azimuthPoint(g.centre, 10.0 * petal, radius);
    const PixelPoint second = azimuthPoint(g.centre, 10.0 * (petal - 1), radius);
    picture.pie(nearest(e), nearest(e), nearest(g.size - e), nearest(g.size - e), first.x, first.y,
                second.x, second.y);
}

// The band of chance on the petals' scale: where every petal has the same range, a filled disk
// of the upper count with one of the background's colour over it up to the lower count; else
// the same per petal, as pies, so that each petal shows its own range.
void drawBand(Picture &picture, const RoseGeometry &g, Color background,
              const RenderOptions::Band &band, int scale, PetalScale petalScale)
{
    const auto select = [&](Color color) {
        picture.selectBrush(Brush {Brush::Kind::Solid, color, BrushPattern::Solid});
        picture.selectPen(Pen {color, PenPattern::Solid, 0});
    };
    if (band.isUniform()) {
        const auto disk = [&](int count, Color color) {
            const double r = petalRadius(g.radius, count, scale, petalScale);
            const double e = g.centre - r;
            select(color);
            picture.ellipse(nearest(e), nearest(e), nearest(g.size - e), nearest(g.size - e));
        };
        disk(band.upper[0], bandColor);
        if (band.lower[0] > 0)
            disk(std::min(band.lower[0], band.upper[0]), background);
        return;
    }
    select(bandColor);
    for (int i = 1; i <= sectors; ++i) {
        const int upper = band.upper[static_cast<std::size_t>(i - 1)];
        if (upper > 0)
            petalPie(picture, g, i, petalRadius(g.radius, upper, scale, petalScale));
    }
    select(background);
    for (int i = 1; i <= sectors; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        const int lower = std::min(band.lower[k], band.upper[k]);
        if (lower > 0)
            petalPie(picture, g, i, petalRadius(g.radius, lower, scale, petalScale));
    }
}

// The mean direction's line and its confidence arc, drawn as short chords (at most 2 degrees
// each) so that every picture format shows it without an arc of its own. A mean that is not
// significant is grey and dashed: the line in dashes of a third of a ring step with gaps as
// long, the arc in every other chord. The dashes are drawn, not left to a pen pattern, which
// metafile players draw solid at widths above 1 and restart on every short chord.
void drawMeanDirection(Picture &picture, const RoseGeometry &g,
                       const RenderOptions::MeanDirection &mark, bool axial)
{
    const double c = g.centre;
    picture.selectPen(
        Pen {mark.significant ? meanDirectionColor : insignificantMeanColor, PenPattern::Solid, 2});
    const PixelPoint tip = azimuthPoint(c, mark.direction, g.radius);
    if (mark.significant) {
        const PixelPoint from = axial ? azimuthPoint(c, mark.direction + 180, g.radius)
                                      : PixelPoint {g.centrePixel, g.centrePixel};
        picture.line(from.x, from.y, tip.x, tip.y);
    } else {
        const double dash = std::max(2.0, g.ringStep / 3.0);
        for (int end = 0; end < (axial ? 2 : 1); ++end) {
            const double azimuth = mark.direction + 180.0 * end;
            for (double at = 0; at < g.radius; at += 2 * dash) {
                const PixelPoint from = azimuthPoint(c, azimuth, at);
                const PixelPoint to = azimuthPoint(c, azimuth, std::min(at + dash, 1.0 * g.radius));
                picture.line(from.x, from.y, to.x, to.y);
            }
        }
    }
    if (!mark.halfWidth || !(*mark.halfWidth > 0))
        return;
    const double width = 2 * std::min(*mark.halfWidth, 180.0);
    const int chords = std::max(1, static_cast<int>(std::ceil(width / 2)));
    for (int end = 0; end < (axial ? 2 : 1); ++end) {
        const double start = mark.direction - width / 2 + 180.0 * end;
        PixelPoint previous = azimuthPoint(c, start, g.radius);
        for (int i = 1; i <= chords; ++i) {
            const PixelPoint next = azimuthPoint(c, start + width * i / chords, g.radius);
            if (mark.significant || i % 2 == 1)
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

// The count a main circle stands for, when it is a whole number: circles between whole
// counts are left unlabelled, so every label reads as a count of measurements (a scale of 12
// labels 4, 8 and 12). numerator / denominator is the exact count, so "whole" is decided
// without rounding error.
std::optional<std::string> ringLabelText(long long numerator, long long denominator)
{
    if (numerator % denominator != 0)
        return std::nullopt;
    return std::to_string(numerator / denominator);
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

// A ring label to draw: its text, where its box starts, and the colour of that box.
struct RingLabel
{
    std::string text;
    int x = 0;
    int y = 0;
    Color box = clWhite;
};

// Each main circle's count, centred where the chosen bisector crosses the circle. The circles are
// meant to stand at ninths of the outer radius (exactly so for sizes that are a multiple of 20),
// so circle k of 9 (from the centre) stands for scale * k / 9, or scale * k^2 / 81 for equal
// areas; only whole counts are labelled. Where labelled circles would lie closer than a label's
// height (small diagrams), a circle is skipped until the next one far enough from the last label,
// always counting from the outer one. Labels clear of the petals are drawn here, with the grid,
// on a box of the colour under them (the background, or the band's colour inside the band), so
// the grid's lines do not run through their figures; the ones a petal would cover are returned,
// to be drawn over the petals on a box of the background colour. None without a petal.
std::vector<RingLabel> drawRingLabels(Picture &picture, const RoseGeometry &g, const Font &font,
                                      Color background, const SectorCounts &drawn, int scale,
                                      const RenderOptions &options)
{
    std::vector<RingLabel> overPetals;
    const bool anyPetal = std::any_of(drawn.begin(), drawn.end(), [](int n) { return n > 0; });
    if (scale <= 0 || g.ringStep <= 0 || !anyPetal)
        return overPetals;
    const PetalScale petalScale = options.petalScale;
    const double outer = g.radius;
    const double azimuth = ringLabelAzimuth(drawn);
    // The band's range at the bisector, for the colour under a label.
    const auto bisectorSector = static_cast<std::size_t>(azimuth / 10);
    // Neighbouring circles lie one ring step apart along a diagonal: q / sqrt(2) apart upright.
    const int stride = static_cast<int>(
        std::ceil(labelLineHeight * std::numbers::sqrt2 / static_cast<double>(g.ringStep)));
    picture.selectFont(font);
    int lastLabelled = 9 + stride;
    for (int k = 9; k >= 1; --k) {
        if (lastLabelled - k < stride)
            continue;
        const long long numerator = petalScale == PetalScale::Area
            ? static_cast<long long>(scale) * k * k
            : static_cast<long long>(scale) * k;
        const auto text = ringLabelText(numerator, petalScale == PetalScale::Area ? 81 : 9);
        if (!text)
            continue;
        const double radius = g.centre - static_cast<double>(10 - k) * g.ringStep;
        const double halfWidth = labelCharWidth * static_cast<double>(text->size()) / 2;
        // The box lies within `reach` of its centre: between radius - reach and radius + reach
        // from the rose's centre, and within `span` degrees of the bisector.
        const double reach = std::hypot(halfWidth, labelLineHeight / 2.0);
        if (reach >= radius)
            continue;
        lastLabelled = k;
        const double span = std::asin(reach / radius) * 180 / std::numbers::pi;
        bool covers = false;
        for (int j = static_cast<int>(std::floor((azimuth - span) / 10));
             j <= static_cast<int>(std::floor((azimuth + span) / 10)); ++j) {
            const int n = drawn[static_cast<std::size_t>((j % sectors + sectors) % sectors)];
            covers = covers || petalRadius(outer, n, scale, petalScale) > radius - reach;
        }
        const PixelPoint at = azimuthPoint(g.centre, azimuth, radius);
        RingLabel label {*text, nearest(at.x - halfWidth), at.y - labelLineHeight / 2, background};
        if (covers) {
            overPetals.push_back(std::move(label));
            continue;
        }
        if (options.band && options.band->upper[bisectorSector] > 0
            && radius <= petalRadius(outer, options.band->upper[bisectorSector], scale, petalScale)
            && radius >= petalRadius(outer, options.band->lower[bisectorSector], scale, petalScale))
            label.box = bandColor;
        picture.selectBrush(Brush {Brush::Kind::Solid, label.box, BrushPattern::Solid});
        picture.text(label.x, label.y, label.text);
    }
    return overPetals;
}

} // namespace

RenderOptions::Band RenderOptions::Band::uniform(int lower, int upper)
{
    Band band;
    band.lower.fill(lower);
    band.upper.fill(upper);
    return band;
}

bool RenderOptions::Band::isUniform() const
{
    const auto same = [](const SectorCounts &counts) {
        return std::all_of(counts.begin(), counts.end(), [&](int n) { return n == counts[0]; });
    };
    return same(lower) && same(upper);
}

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
    if (options.band) {
        for (int upper : options.band->upper)
            layout.scale = std::max(layout.scale, upper);
    }
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
    const auto width = toInteger(style.diagramSize);
    if (!width)
        return Error {"'" + style.diagramSize + "' is not a valid integer value",
                      ErrorKind::NotAWholeNumber, style.diagramSize, 0};
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
    picture.selectBrush(Brush {Brush::Kind::Solid, style.backgroundColor, BrushPattern::Solid});
    picture.selectPen(Pen {style.backgroundColor, PenPattern::Solid, 0});
    picture.rectangle(0, 0, s, s);
    if (options.band
        && std::any_of(options.band->upper.begin(), options.band->upper.end(),
                       [](int upper) { return upper > 0; }))
        drawBand(picture, g, style.backgroundColor, *options.band, m, options.petalScale);

    // Main and secondary circles, one ring step apart, the secondary half a step inside.
    const Pen mainPen {style.mainLineColor, style.mainPen(), 0};
    const Pen secondaryPen {style.secondaryLineColor, style.secondaryPen(), 0};
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
    picture.selectPen(Pen {style.mainLineColor, PenPattern::Solid, 1});
    const Font labelFont {labelFontFace, labelFontPoints, style.labelColor, false, false, false};
    picture.selectFont(labelFont);
    picture.line(v, v, v, 10);
    picture.text(clampToInt(static_cast<long long>(v) + 2), 0, "0");
    picture.line(v, v, clampToInt(2LL * v - 5), v);
    picture.text(nearest(2 * c - 12), v, "90");
    picture.line(v, v, v, nearest(2 * c - 5));
    picture.text(nearest(c + 2), nearest(2 * c - 12), "180");
    picture.line(v, v, 5, v);
    picture.text(0, v, "270");
    std::vector<RingLabel> labelsOverPetals;
    if (options.ringLabels)
        labelsOverPetals =
            drawRingLabels(picture, g, labelFont, style.backgroundColor, drawn, m, options);

    // Petals.
    const Brush petalBrush = fillBrush(style, style.fillColor);
    picture.selectBrush(petalBrush);
    picture.selectPen(Pen {style.fillColor, PenPattern::Solid, 1});
    for (int i = 1; i <= sectors; ++i) {
        const int n = drawn[static_cast<std::size_t>(i - 1)];
        if (n <= 0)
            continue;
        petalPie(picture, g, i, petalRadius(radius, n, m, options.petalScale));
    }
    if (!labelsOverPetals.empty()) {
        picture.selectFont(labelFont);
        picture.selectBrush(Brush {Brush::Kind::Solid, style.backgroundColor, BrushPattern::Solid});
        for (const RingLabel &label : labelsOverPetals)
            picture.text(label.x, label.y, label.text);
    }

    if (options.meanDirection)
        drawMeanDirection(picture, g, *options.meanDirection, options.axial);

    // Description: on an opaque box of the background colour with the solid fill, transparent
    // with a hatch (the brush keeps the petals' pattern).
    if (randomGraph || style.descriptionText.empty())
        return picture;
    const auto x = toInteger(style.descriptionX);
    const auto y = toInteger(style.descriptionY);
    const auto points = toInteger(style.descriptionFontSize);
    if (!x || !y || !points)
        return picture;
    picture.selectFont(Font {style.descriptionFontName, *points, style.descriptionColor,
                             style.descriptionBold, style.descriptionItalic,
                             style.descriptionUnderline});
    picture.selectBrush(fillBrush(style, style.backgroundColor));
    picture.text(positionInRange(*x), positionInRange(*y), style.descriptionText);
    return picture;
}

} // namespace quorel
