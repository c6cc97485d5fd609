#pragma once

// The rose diagram renderer: style + sector counts -> the recorded Picture that every output
// (screen, clipboard, printer, saved files, report) takes.

#include "core/diagram/diagramstyle.h"
#include "core/diagram/picture.h"
#include "core/util/result.h"

#include <array>
#include <optional>

namespace quorel {

// The 36 sector counts; element k is sector k + 1 (azimuth 10k to 10k + 10).
using SectorCounts = std::array<int, 36>;

// Geometry of an S x S diagram. Coordinates are real until drawn; nearest() rounds halves to
// the even neighbour.
struct RoseGeometry
{
    int size = 0; // S
    double diameter = 0; // D = S - S/10, the usable diameter
    int ringStep = 0; // q = nearest(D / 18)
    int radius = 0; // R = nearest(D / 2), the outer circle
    double centre = 0; // c = S / 2
    int centrePixel = 0; // v = nearest(c)
};

[[nodiscard]] RoseGeometry roseGeometry(int size);

struct PixelPoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint &, const PixelPoint &) = default;
};

// The point at `azimuth` degrees clockwise from north and `distance` pixels from the centre
// (c, c), each coordinate rounded to the nearest pixel.
[[nodiscard]] PixelPoint azimuthPoint(double centre, double azimuth, double distance);

// The radius of a petal (or of the band's ring) of `count` when a count of `scale` reaches
// `outerRadius`; 0 for a count or scale that is not positive.
[[nodiscard]] double petalRadius(double outerRadius, int count, int scale, PetalScale petalScale);

// What the diagram shows beyond the plain rose. Everything is off by default, and then the
// picture is the plain rose, operation for operation.
struct RenderOptions
{
    // The rose of orientations: each measurement counts in its sector and in the opposite one,
    // so petals i and i + 18 are equal.
    bool axial = false;
    // Counts per petal that random directions keep within: a light ring between the radii of
    // each petal's counts (element k: petal k + 1), drawn under the grid and the petals; a
    // circular ring where every petal has the same range, else one step per petal. The petals'
    // scale then reaches at least the largest upper count, so the ring always fits inside the
    // outer circle.
    struct Band
    {
        SectorCounts lower {};
        SectorCounts upper {};
        // The same range for every petal.
        static Band uniform(int lower, int upper);
        [[nodiscard]] bool isUniform() const;
    };
    std::optional<Band> band;
    // The mean direction as a line from the centre (for orientations, the axis through the
    // centre), and its confidence interval, `halfWidth` degrees to either side, as an arc on the
    // outer circle (on both ends of the axis for orientations). A mean that is not significant
    // is drawn dashed and grey, its arc in dashes too.
    struct MeanDirection
    {
        double direction = 0;
        std::optional<double> halfWidth;
        bool significant = true;
    };
    std::optional<MeanDirection> meanDirection;
    PetalScale petalScale = PetalScale::Count;
    // The count each main circle stands for, on the circle where the quadrant bisector with the
    // shortest petals crosses it, in the axes' label font, so that files and prints carry it.
    // Only circles that stand for a whole count are labelled (a scale of 12 labels 4, 8 and 12;
    // the outer circle always), whatever the mode or the number of measurements, and none when
    // no petal is drawn. A label clear of the petals is drawn with the grid; one that a petal
    // would cover is drawn over the petals, on a box of the background colour.
    struct RingLabels
    {
        // Kept for callers from the time labels had fractions; whole counts need no separator.
        char decimalSeparator = '.';
    };
    std::optional<RingLabels> ringLabels;
};

// The counts the petals are drawn with (for orientations a sector and its opposite each show
// both) and the count whose petal reaches the outer circle.
struct PetalLayout
{
    SectorCounts drawn {};
    int scale = 0;
};

[[nodiscard]] PetalLayout petalLayout(const SectorCounts &counts, int maxCount,
                                      const RenderOptions &options);

// The colours of the band ring and of the mean direction's marks (significant, and not).
inline constexpr Color bandColor = rgbColor(208, 224, 240);
inline constexpr Color meanDirectionColor = rgbColor(200, 0, 0);
inline constexpr Color insignificantMeanColor = rgbColor(64, 64, 64);

// Records the whole diagram in drawing order (background, 9 main and 9 secondary
// circles, 36 main and 36 secondary radii, axes with their labels, ring labels, petals,
// description).
// counts[k] is the count of sector k + 1; maxCount scales the petals (the fullest sector reaches
// the outer circle). The description is left out for a random graph or when its X, Y or font
// size is not a whole number. A size text that is not a whole number is an Error and nothing is
// drawn; a negative size draws an empty 0 x 0 picture. `options` adds what it asks for.
[[nodiscard]] Result<Picture> renderRoseDiagram(const DiagramStyle &style,
                                                const SectorCounts &counts, int maxCount,
                                                bool randomGraph,
                                                const RenderOptions &options = {});

// The label font of the compass axes.
inline constexpr const char *labelFontFace = "Courier New";
inline constexpr int labelFontPoints = 7;
// The description's position boxes run from 0 to this many pixels.
inline constexpr int descriptionPositionMax = 4000;

} // namespace quorel
