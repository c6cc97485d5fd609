#pragma once

// The rose diagram renderer: style + sector counts -> the recorded Picture that every output
// (screen, clipboard, printer, saved files, report) takes.

#include "core/diagram/diagramstyle.h"
#include "core/diagram/picture.h"
#include "core/util/result.h"

#include <array>

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

// Records the whole diagram in drawing order (background, 9 main and 9 secondary
// circles, 36 main and 36 secondary radii, axes with their labels, petals, description).
// counts[k] is the count of sector k + 1; maxCount scales the petals (the fullest sector reaches
// the outer circle). The description is left out for a random graph or when its X, Y or font
// size is not a whole number. A size text that is not a whole number is an Error and nothing is
// drawn; a negative size draws an empty 0 x 0 picture.
[[nodiscard]] Result<Picture> renderRoseDiagram(const DiagramStyle &style,
                                                const SectorCounts &counts, int maxCount,
                                                bool randomGraph);

// The label font of the compass axes.
inline constexpr const char *labelFontFace = "Courier New";
inline constexpr int labelFontPoints = 7;
// The description's position boxes run from 0 to this many pixels.
inline constexpr int descriptionPositionMax = 4000;

} // namespace quorel
