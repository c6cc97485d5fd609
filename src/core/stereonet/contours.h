#pragma once

// Contour lines and filled bands of a density grid (marching squares).

#include "core/stereonet/density.h"

#include <vector>

namespace quorel {

// The levels 2, 4, 6, ... (an interval of 2 sigma) up to the maximum.
[[nodiscard]] std::vector<double> contourLevels(double maximum, double interval = 2);

struct ContourSegment
{
    NetPoint from;
    NetPoint to;
};

// Where the grid's interpolated density crosses `level`, cell by cell. A cell whose four
// corners are not all computed has none.
[[nodiscard]] std::vector<ContourSegment> contourSegments(const DensityGrid &grid, double level);

// A piece of the area where the density reaches a level: band k is the area at or above
// levels[k].
struct BandPiece
{
    std::size_t band = 0;
    std::vector<NetPoint> polygon;
};

// The filled bands as pieces in drawing order: a piece of a higher band is drawn after (over)
// the lower bands' pieces that share its cell. Whole cells of one band are joined along rows.
[[nodiscard]] std::vector<BandPiece> bandPieces(const DensityGrid &grid,
                                                const std::vector<double> &levels);

} // namespace quorel
