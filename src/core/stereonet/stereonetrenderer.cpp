#include "core/stereonet/stereonetrenderer.h"

#include "core/stereonet/contours.h"
#include "core/stereonet/density.h"
#include "core/util/numbers.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorel {

namespace {

constexpr const char *stereonetFontFace = "Arial";

// Where the net lies on the picture: the primitive circle of radius `radius` pixels about
// (cx, cy), room for the "N" above it and for the legend below.
struct NetFrame
{
    int size = 0;
    double radius = 0;
    double cx = 0;
    double cy = 0;
    int tick = 0;
    int marker = 0;

    op::Point pixel(NetPoint p) const
    {
        return {nearestInt(cx + radius * p.x), nearestInt(cy - radius * p.y)};
    }
    std::vector<op::Point> pixels(const std::vector<NetPoint> &points) const
    {
        std::vector<op::Point> out;
        out.reserve(points.size());
        for (const NetPoint &p : points) {
            const op::Point q = pixel(p);
            if (out.empty() || !(out.back() == q))
                out.push_back(q);
        }
        return out;
    }
};

NetFrame frameOf(int size)
{
    NetFrame frame;
    frame.size = size;
    frame.radius = 0.38 * size;
    frame.cx = size / 2.0;
    frame.cy = 0.075 * size + frame.radius;
    frame.tick = std::max(3, nearestInt(size / 80.0));
    frame.marker = std::max(2, nearestInt(size / 200.0));
    return frame;
}

Color mixColor(Color from, Color to, double t)
{
    const auto channel = [&](int shift) {
        const double a = (from >> shift) & 0xFF;
        const double b = (to >> shift) & 0xFF;
        return nearestInt(a + (b - a) * t);
    };
    return rgbColor(channel(0), channel(8), channel(16));
}

void selectSolid(Picture &picture, Color color, int width = 0)
{
    picture.selectPen(Pen {color, PenPattern::Solid, width});
    picture.selectBrush(Brush {Brush::Kind::Solid, color});
}

void selectOutline(Picture &picture, Color color, int width = 0)
{
    picture.selectPen(Pen {color, PenPattern::Solid, width});
    picture.selectBrush(Brush {Brush::Kind::Null, color});
}

void dot(Picture &picture, const NetFrame &frame, NetPoint at, int radius)
{
    const op::Point p = frame.pixel(at);
    picture.ellipse(p.x - radius, p.y - radius, p.x + radius + 1, p.y + radius + 1);
}

// Every `stride`-th of `count` items, so that at most `limit` are drawn.
std::size_t strideFor(std::size_t count, std::size_t limit)
{
    return count <= limit ? 1 : (count + limit - 1) / limit;
}

void drawContours(Picture &picture, const NetFrame &frame, std::span<const Direction> plotted,
                  const DiagramStyle &style, const StereonetOptions &options,
                  std::vector<std::string> &legend)
{
    DensityGrid computed;
    if (!options.density) {
        std::vector<Vector3> vectors;
        vectors.reserve(plotted.size());
        for (const Direction &d : plotted)
            vectors.push_back(unitVector(d));
        computed = densityGrid(vectors, std::max(options.densityNodes, 100), options.net, true);
    }
    const DensityGrid &grid = options.density ? *options.density : computed;
    const std::vector<double> levels = contourLevels(grid.maximum);
    const auto bandColor = [&](std::size_t band) {
        const double t = levels.size() <= 1 ? 0 : double(band) / double(levels.size() - 1);
        return mixColor(lightestBandColor, darkestBandColor, t);
    };
    std::size_t selected = levels.size();
    for (BandPiece &piece : bandPieces(grid, levels)) {
        if (piece.band != selected) {
            selected = piece.band;
            selectSolid(picture, bandColor(selected));
        }
        picture.polygon(frame.pixels(piece.polygon));
    }
    picture.selectPen(Pen {contourLineColor});
    for (const double level : levels) {
        for (const ContourSegment &s : contourSegments(grid, level)) {
            const op::Point a = frame.pixel(s.from);
            const op::Point b = frame.pixel(s.to);
            picture.line(a.x, a.y, b.x, b.y);
        }
    }
    // The bands were drawn over the whole square of the grid: the background covers what lies
    // beyond the primitive circle, one corner at a time.
    selectSolid(picture, style.backgroundColor);
    const double reach = frame.radius + frame.tick;
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const double sx = quadrant == 0 || quadrant == 3 ? 1 : -1;
        const double sy = quadrant < 2 ? 1 : -1;
        std::vector<op::Point> mask;
        mask.push_back({nearestInt(frame.cx + sx * reach), nearestInt(frame.cy - sy * reach)});
        for (int a = 0; a <= 90; ++a) {
            const double angle = quadrant * 90 + a; // anticlockwise from east
            mask.push_back(frame.pixel({cosDegrees(angle), sinDegrees(angle)}));
        }
        std::rotate(mask.begin(), mask.begin() + 1, mask.end());
        picture.polygon(std::move(mask));
    }
    const auto number = [&](double value, int decimals) {
        return formatFixed(value, decimals, options.decimalSeparator);
    };
    legend.push_back(
        fillPlaceholders(options.words.contourLegend,
                         {number(2, 0), number(kambSigma, 0), number(grid.maximum, 1)}));
}

void drawNetLines(Picture &picture, const NetFrame &frame, NetKind net)
{
    selectOutline(picture, netLineColor);
    for (int dip = 10; dip <= 90; dip += 10) {
        picture.polyline(frame.pixels(greatCircle(90, dip, net)));
        if (dip < 90)
            picture.polyline(frame.pixels(greatCircle(270, dip, net)));
    }
    for (int radius = 10; radius < 90; radius += 10) {
        for (const auto &piece : smallCircle({0, 0}, radius, net))
            picture.polyline(frame.pixels(piece));
    }
}

void drawFrame(Picture &picture, const NetFrame &frame, const DiagramStyle &style,
               const StereonetWords &words)
{
    selectOutline(picture, style.labelColor);
    const int left = nearestInt(frame.cx - frame.radius);
    const int top = nearestInt(frame.cy - frame.radius);
    const int right = nearestInt(frame.cx + frame.radius);
    const int bottom = nearestInt(frame.cy + frame.radius);
    picture.ellipse(left, top, right + 1, bottom + 1);
    for (int azimuth = 0; azimuth < 360; azimuth += 10) {
        const double s = sinDegrees(azimuth);
        const double c = cosDegrees(azimuth);
        picture.line(nearestInt(frame.cx + frame.radius * s),
                     nearestInt(frame.cy - frame.radius * c),
                     nearestInt(frame.cx + (frame.radius + frame.tick) * s),
                     nearestInt(frame.cy - (frame.radius + frame.tick) * c));
    }
    const int points = std::clamp(nearestInt(frame.size / 40.0), 7, 24);
    const double pixels = points * 96.0 / 72.0;
    picture.selectFont(Font {stereonetFontFace, points, style.labelColor, true});
    const double width = 0.7 * pixels * static_cast<double>(words.north.size());
    picture.text(nearestInt(frame.cx - width / 2), nearestInt(top - frame.tick - 2 - 1.2 * pixels),
                 words.north);
}

void drawMeasurements(Picture &picture, const NetFrame &frame, std::span<const Direction> plotted,
                      bool planes, const DiagramStyle &style, const StereonetOptions &options,
                      std::vector<std::string> &legend)
{
    const bool circles = planes && options.greatCircles;
    const std::size_t stride = drawnStride(plotted.size(), circles);
    if (circles)
        selectOutline(picture, style.labelColor);
    else
        selectSolid(picture, style.labelColor);
    std::size_t drawn = 0;
    for (std::size_t k = 0; k < plotted.size(); k += stride, ++drawn) {
        const Direction &d = plotted[k];
        if (circles)
            picture.polyline(
                frame.pixels(greatCircle(wrapDegrees(d.trend + 180), 90 - d.plunge, options.net)));
        else
            dot(picture, frame, project(d, options.net), frame.marker);
    }
    if (stride > 1)
        legend.push_back(fillPlaceholders(
            options.words.thinnedLegend,
            {std::to_string(drawn), std::to_string(plotted.size()), std::to_string(stride)}));
}

void drawMean(Picture &picture, const NetFrame &frame, const SphericalStatistics &stats,
              const StereonetOptions &options, std::vector<std::string> &legend)
{
    if (!stats.mean)
        return;
    if (stats.alpha95) {
        selectOutline(picture, stereonetMeanColor, 2);
        for (const auto &piece : smallCircle(*stats.mean, *stats.alpha95, options.net))
            picture.polyline(frame.pixels(piece));
        legend.push_back(
            fillPlaceholders(options.words.meanLegend,
                             {directionText(*stats.mean),
                              formatFixed(*stats.alpha95, 1, options.decimalSeparator)}));
    } else {
        legend.push_back(
            fillPlaceholders(options.words.meanWithoutConeLegend, {directionText(*stats.mean)}));
    }
    selectSolid(picture, stereonetMeanColor);
    dot(picture, frame, project(*stats.mean, options.net), frame.marker + 2);
}

void drawGirdle(Picture &picture, const NetFrame &frame, const SphericalStatistics &stats,
                const StereonetOptions &options, std::vector<std::string> &legend)
{
    if (!stats.girdle || !stats.betaAxis)
        return;
    selectOutline(picture, stereonetGirdleColor, 2);
    picture.polyline(
        frame.pixels(greatCircle(stats.girdle->dipDirection, stats.girdle->dip, options.net)));
    // The beta axis as a triangle standing on its point.
    selectSolid(picture, stereonetGirdleColor);
    const op::Point at = frame.pixel(project(*stats.betaAxis, options.net));
    const int m = frame.marker + 3;
    picture.polygon({{at.x, at.y - m}, {at.x + m, at.y + m}, {at.x - m, at.y + m}});
    legend.push_back(
        fillPlaceholders(options.words.girdleLegend,
                         {directionText({stats.girdle->dipDirection, stats.girdle->dip}),
                          directionText(*stats.betaAxis)}));
}

} // namespace

std::size_t drawnStride(std::size_t count, bool greatCircles)
{
    return strideFor(count, greatCircles ? maxDrawnGreatCircles : maxDrawnPoints);
}

StereonetPlacement stereonetPlacement(int size)
{
    const NetFrame frame = frameOf(size);
    return {frame.cx, frame.cy, frame.radius, frame.marker};
}

std::string fillPlaceholders(std::string_view text, std::initializer_list<std::string> arguments)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < arguments.size()) {
                out += *(arguments.begin() + index);
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

Result<Picture> renderStereonet(const DiagramStyle &style, std::span<const Direction> plotted,
                                bool planes, const SphericalStatistics &stats,
                                const StereonetOptions &options)
{
    const auto width = toInteger(style.diagramSize);
    if (!width)
        return Error {"'" + style.diagramSize + "' is not a valid integer value",
                      ErrorKind::NotAWholeNumber, style.diagramSize, 0};
    if (*width < 0)
        return Picture {};
    const NetFrame frame = frameOf(*width);
    Picture picture(*width, *width);
    selectSolid(picture, style.backgroundColor);
    picture.rectangle(0, 0, *width, *width);

    std::vector<std::string> legend;
    if (options.contours && !plotted.empty())
        drawContours(picture, frame, plotted, style, options, legend);
    if (options.gridLines)
        drawNetLines(picture, frame, options.net);
    drawFrame(picture, frame, style, options.words);
    if (options.points)
        drawMeasurements(picture, frame, plotted, planes, style, options, legend);
    if (options.mean)
        drawMean(picture, frame, stats, options, legend);
    if (options.girdle)
        drawGirdle(picture, frame, stats, options, legend);

    std::erase_if(legend, [](const std::string &line) { return line.empty(); });
    if (!legend.empty()) {
        const int points = std::clamp(nearestInt(*width / 58.0), 6, 16);
        const double lineHeight = points * 96.0 / 72.0 * 1.3;
        // Without a solid brush the text stands on the picture, not on a box.
        picture.selectBrush(Brush {Brush::Kind::Null, style.backgroundColor});
        picture.selectFont(Font {stereonetFontFace, points, style.labelColor});
        double y = *width - 4 - lineHeight * static_cast<double>(legend.size());
        for (std::string &line : legend) {
            picture.text(4, nearestInt(y), std::move(line));
            y += lineHeight;
        }
    }
    return picture;
}

} // namespace quorel
