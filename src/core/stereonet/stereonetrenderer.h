#pragma once

// The stereonet drawn into the Picture the rose uses, so every writer and player shows it.

#include "core/diagram/color.h"
#include "core/diagram/diagramstyle.h"
#include "core/diagram/picture.h"
#include "core/stereonet/density.h"
#include "core/stereonet/orientation.h"
#include "core/stereonet/sphericalstats.h"
#include "core/util/result.h"

#include <span>
#include <string>

namespace quorel {

// The words of the picture, from the front end. "%1", "%2", ... stand for the numbers and
// directions named beside each; numbers use the options' decimal separator. A legend without
// its words is left out.
struct StereonetWords
{
    std::string north = "N";
    std::string contourLegend; // %1 the interval, %2 sigma, %3 the maximum density
    std::string thinnedLegend; // %1 drawn, %2 in all, %3 one drawn in how many
    std::string meanLegend; // %1 the mean (trend/plunge), %2 alpha95
    std::string meanWithoutConeLegend; // %1 the mean, when there is no cone
    std::string girdleLegend; // %1 the girdle (dip direction/dip), %2 the beta axis
};

struct StereonetOptions
{
    NetKind net = NetKind::Schmidt;
    bool greatCircles = false; // planes as great circles instead of poles
    bool points = true; // poles or lines (or great circles)
    bool contours = false;
    bool mean = false; // the mean and its cone of confidence
    bool girdle = false; // the best-fit girdle and its beta axis
    bool gridLines = false; // the 10 degree net
    int densityNodes = 100; // grid nodes along each axis for the contours
    // The contours' densities when they are already at hand (a grid of the options' net, made
    // with its nodes beyond the circle, at least 100 nodes along each axis); otherwise they
    // are worked out here.
    const DensityGrid *density = nullptr;
    char decimalSeparator = '.';
    StereonetWords words;
};

// Past these the measurements are thinned evenly, and a legend line says so.
inline constexpr std::size_t maxDrawnPoints = 3000;
inline constexpr std::size_t maxDrawnGreatCircles = 300;

// One in how many of `count` measurements is drawn: every one up to the limits above.
[[nodiscard]] std::size_t drawnStride(std::size_t count, bool greatCircles);

// Where the net stands on an S x S picture: the primitive circle's centre and radius in pixels,
// and the radius of a pole's dot.
struct StereonetPlacement
{
    double cx = 0;
    double cy = 0;
    double radius = 0;
    int marker = 0;
};
[[nodiscard]] StereonetPlacement stereonetPlacement(int size);

// Colours of the marks.
inline constexpr Color netLineColor = rgbColor(200, 200, 200);
inline constexpr Color stereonetMeanColor = rgbColor(200, 0, 0);
inline constexpr Color stereonetGirdleColor = rgbColor(0, 120, 60);
inline constexpr Color contourLineColor = rgbColor(40, 40, 90);
// The lightest and darkest band.
inline constexpr Color lightestBandColor = rgbColor(222, 235, 247);
inline constexpr Color darkestBandColor = rgbColor(33, 102, 172);

// Records the stereonet of the plotted directions (poles when `planes`, else lines) on an
// S x S picture, S the style's size; the style gives the background, the label colour and the
// size. A size that is not a whole number is an Error; a negative one draws an empty picture.
[[nodiscard]] Result<Picture> renderStereonet(const DiagramStyle &style,
                                              std::span<const Direction> plotted, bool planes,
                                              const SphericalStatistics &stats,
                                              const StereonetOptions &options);

// The text with "%1", "%2", ... replaced by the arguments in order.
[[nodiscard]] std::string fillPlaceholders(std::string_view text,
                                           std::initializer_list<std::string> arguments);

} // namespace quorel
