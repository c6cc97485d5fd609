#include "core/stereonet/contours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorel {

namespace {

// The four corners of cell (i, j) anticlockwise from the lower left, with their values.
struct Cell
{
    std::array<NetPoint, 4> corner;
    std::array<double, 4> value;
};

bool cellAt(const DensityGrid &grid, int i, int j, Cell &cell)
{
    const int ci[4] = {i, i + 1, i + 1, i};
    const int cj[4] = {j, j, j + 1, j + 1};
    for (std::size_t k = 0; k < 4; ++k) {
        cell.corner[k] = {grid.x(ci[k]), grid.y(cj[k])};
        cell.value[k] = grid.at(ci[k], cj[k]);
        if (std::isnan(cell.value[k]))
            return false;
    }
    return true;
}

NetPoint crossing(const NetPoint &a, double va, const NetPoint &b, double vb, double level)
{
    const double t = (level - va) / (vb - va);
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

// The part of the cell at or above `level`, going round its edges.
std::vector<NetPoint> pieceAbove(const Cell &cell, double level)
{
    std::vector<NetPoint> polygon;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t next = (k + 1) % 4;
        const bool here = cell.value[k] >= level;
        if (here)
            polygon.push_back(cell.corner[k]);
        if (here != (cell.value[next] >= level))
            polygon.push_back(crossing(cell.corner[k], cell.value[k], cell.corner[next],
                                       cell.value[next], level));
    }
    return polygon;
}

} // namespace

std::vector<double> contourLevels(double maximum, double interval)
{
    std::vector<double> levels;
    if (!(interval > 0) || !std::isfinite(maximum))
        return levels;
    for (int k = 1; k * interval <= maximum; ++k)
        levels.push_back(k * interval);
    return levels;
}

std::vector<ContourSegment> contourSegments(const DensityGrid &grid, double level)
{
    std::vector<ContourSegment> segments;
    Cell cell;
    for (int j = 0; j + 1 < grid.nodes; ++j) {
        for (int i = 0; i + 1 < grid.nodes; ++i) {
            if (!cellAt(grid, i, j, cell))
                continue;
            // The crossings in order round the cell; each one that leaves the area at or above
            // the level joins the next one, which enters it (as the filled piece's edge runs).
            std::array<NetPoint, 4> point;
            std::array<bool, 4> leaving {};
            std::size_t count = 0;
            for (std::size_t k = 0; k < 4; ++k) {
                const std::size_t next = (k + 1) % 4;
                const bool here = cell.value[k] >= level;
                if (here == (cell.value[next] >= level))
                    continue;
                point[count] = crossing(cell.corner[k], cell.value[k], cell.corner[next],
                                        cell.value[next], level);
                leaving[count] = here;
                ++count;
            }
            for (std::size_t k = 0; k < count; ++k) {
                if (leaving[k])
                    segments.push_back({point[k], point[(k + 1) % count]});
            }
        }
    }
    return segments;
}

std::vector<BandPiece> bandPieces(const DensityGrid &grid, const std::vector<double> &levels)
{
    std::vector<BandPiece> whole;
    std::vector<BandPiece> partial;
    Cell cell;
    for (int j = 0; j + 1 < grid.nodes; ++j) {
        // A run of whole cells of one band along the row, drawn as one rectangle.
        std::size_t runBands = 0;
        int runStart = 0;
        const auto closeRun = [&](int end) {
            if (runBands == 0)
                return;
            whole.push_back({runBands - 1,
                             {{grid.x(runStart), grid.y(j)},
                              {grid.x(end), grid.y(j)},
                              {grid.x(end), grid.y(j + 1)},
                              {grid.x(runStart), grid.y(j + 1)}}});
            runBands = 0;
        };
        for (int i = 0; i + 1 < grid.nodes; ++i) {
            if (!cellAt(grid, i, j, cell)) {
                closeRun(i);
                continue;
            }
            const double low = *std::min_element(cell.value.begin(), cell.value.end());
            const double high = *std::max_element(cell.value.begin(), cell.value.end());
            // The bands that cover the whole cell: the highest of them is the one seen.
            std::size_t full = 0;
            while (full < levels.size() && levels[full] <= low)
                ++full;
            if (full != runBands) {
                closeRun(i);
                runBands = full;
                runStart = i;
            }
            for (std::size_t band = full; band < levels.size() && levels[band] <= high; ++band)
                partial.push_back({band, pieceAbove(cell, levels[band])});
        }
        closeRun(grid.nodes - 1);
    }
    // Pieces of different cells never overlap; within a cell the higher band goes on top.
    std::stable_sort(partial.begin(), partial.end(),
                     [](const BandPiece &a, const BandPiece &b) { return a.band < b.band; });
    whole.insert(whole.end(), std::make_move_iterator(partial.begin()),
                 std::make_move_iterator(partial.end()));
    return whole;
}

} // namespace quorel
