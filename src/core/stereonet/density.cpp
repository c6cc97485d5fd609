#include "core/stereonet/density.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorel {

namespace {

// More cells than this along an axis only cost memory: the neighbourhoods already hold few
// vectors beside those that count.
constexpr std::size_t maxCellsPerAxis = 128;

} // namespace

KambKernel kambKernel(std::size_t n)
{
    const double count = static_cast<double>(n);
    KambKernel kernel;
    kernel.exponent = 2 * (1 + count / (kambSigma * kambSigma));
    kernel.units =
        std::sqrt(count * (kernel.exponent / 2 - 1) / (kernel.exponent * kernel.exponent));
    return kernel;
}

double directKambSum(std::span<const Vector3> vectors, const Vector3 &d, double exponent)
{
    double sum = 0;
    for (const Vector3 &v : vectors)
        sum += std::exp(exponent * (std::abs(dot(d, v)) - 1));
    return sum;
}

KambDensity::KambDensity(std::span<const Vector3> vectors)
    : m_count(vectors.size())
    , m_kernel(kambKernel(vectors.size()))
    , m_cut(1 - kambCutoffExponent / m_kernel.exponent)
{
    // |d . v| >= cut puts v (or -v) within the chord sqrt(2 (1 - cut)) of d. With cells at
    // least that wide, every such v lies in the cell of d or one next to it.
    const double chord = std::sqrt(2 * (1 - m_cut)) * (1 + 1e-9);
    const double perAxis = m_cut > 0 ? std::floor(2 / chord) : 0;
    m_cells = static_cast<std::size_t>(std::min(perAxis, double(maxCellsPerAxis)));
    m_indexed = m_cells >= 4 && vectors.size() < std::numeric_limits<std::uint32_t>::max();
    if (!m_indexed) {
        m_cells = 0;
        m_vectors.assign(vectors.begin(), vectors.end());
        return;
    }
    m_cellSize = 2.0 / static_cast<double>(m_cells);
    m_reach2 = chord * chord;
    // Sorted into cells in two passes, first into slabs along z and then within each slab,
    // so that every pass writes to few places at a time: one pass of scattered writes over
    // millions of vectors would wait on memory for each of them.
    const std::size_t slabCells = m_cells * m_cells;
    std::vector<std::uint32_t> slabStart(m_cells + 1, 0);
    std::vector<std::uint32_t> slabOf(vectors.size());
    for (std::size_t k = 0; k < vectors.size(); ++k) {
        const auto slab = static_cast<std::uint32_t>(cellOf(vectors[k].z));
        slabOf[k] = slab;
        ++slabStart[slab + 1];
    }
    for (std::size_t z = 0; z < m_cells; ++z)
        slabStart[z + 1] += slabStart[z];
    std::vector<Vector3> bySlab(vectors.size());
    {
        std::vector<std::uint32_t> next(slabStart.begin(), slabStart.end() - 1);
        for (std::size_t k = 0; k < vectors.size(); ++k)
            bySlab[next[slabOf[k]]++] = vectors[k];
    }
    m_start.assign(m_cells * slabCells + 1, 0);
    m_vectors.resize(vectors.size());
    std::vector<std::uint32_t> count(slabCells + 1);
    std::vector<std::uint32_t> cellOfVector;
    for (std::size_t z = 0; z < m_cells; ++z) {
        const std::uint32_t begin = slabStart[z];
        const std::uint32_t end = slabStart[z + 1];
        std::fill(count.begin(), count.end(), 0);
        cellOfVector.resize(end - begin);
        for (std::uint32_t k = begin; k < end; ++k) {
            const Vector3 &v = bySlab[k];
            const auto cell = static_cast<std::uint32_t>(cellOf(v.y) * m_cells + cellOf(v.x));
            cellOfVector[k - begin] = cell;
            ++count[cell + 1];
        }
        count[0] = begin;
        for (std::size_t c = 0; c < slabCells; ++c) {
            count[c + 1] += count[c];
            m_start[z * slabCells + c + 1] = count[c + 1];
        }
        m_start[z * slabCells] = begin;
        for (std::uint32_t k = begin; k < end; ++k)
            m_vectors[count[cellOfVector[k - begin]]++] = bySlab[k];
    }
}

std::size_t KambDensity::cellOf(double coordinate) const
{
    const double at = std::floor((coordinate + 1) * 0.5 * static_cast<double>(m_cells));
    if (!(at > 0))
        return 0;
    return std::min(static_cast<std::size_t>(at), m_cells - 1);
}

double KambDensity::nearSum(const Vector3 &d, double sign) const
{
    const Vector3 centre {sign * d.x, sign * d.y, sign * d.z};
    const std::size_t cx = cellOf(centre.x);
    const std::size_t cy = cellOf(centre.y);
    const std::size_t cz = cellOf(centre.z);
    const auto range = [&](std::size_t c) {
        return std::pair {c > 0 ? c - 1 : 0, std::min(c + 1, m_cells - 1)};
    };
    const auto [x0, x1] = range(cx);
    const auto [y0, y1] = range(cy);
    const auto [z0, z1] = range(cz);
    const double f = m_kernel.exponent;
    double sum = 0;
    // How far a cell's span of one coordinate lies from the centre's coordinate.
    const auto gap = [&](std::size_t cell, double coordinate) {
        const double low = -1 + static_cast<double>(cell) * m_cellSize;
        return std::max({0.0, low - coordinate, coordinate - low - m_cellSize});
    };
    for (std::size_t z = z0; z <= z1; ++z) {
        const double gz = gap(z, centre.z);
        for (std::size_t y = y0; y <= y1; ++y) {
            // Rows of cells that no vector within reach of the centre can lie in.
            const double gy = gap(y, centre.y);
            if (gz * gz + gy * gy > m_reach2)
                continue;
            // The cells x0..x1 of a row lie side by side: one run of vectors.
            const std::size_t row = (z * m_cells + y) * m_cells;
            const std::uint32_t begin = m_start[row + x0];
            const std::uint32_t end = m_start[row + x1 + 1];
            for (std::uint32_t k = begin; k < end; ++k) {
                const double c = dot(centre, m_vectors[k]);
                if (c >= m_cut)
                    sum += std::exp(f * (c - 1));
            }
        }
    }
    return sum;
}

double KambDensity::sum(const Vector3 &d) const
{
    if (!m_indexed)
        return directKambSum(m_vectors, d, m_kernel.exponent);
    // The vectors near d and those near -d; the two sets never share a vector, as the cut is
    // above 0.
    return nearSum(d, 1) + nearSum(d, -1);
}

double KambDensity::density(const Vector3 &d) const
{
    return m_count == 0 ? 0 : sum(d) / m_kernel.units;
}

DensityGrid densityGrid(const KambDensity &density, int nodes, NetKind net, bool outside)
{
    DensityGrid grid;
    grid.nodes = nodes;
    grid.net = net;
    const auto total = static_cast<std::size_t>(nodes) * static_cast<std::size_t>(nodes);
    grid.values.assign(total, std::numeric_limits<double>::quiet_NaN());
    grid.inside.assign(total, false);
    if (nodes < 2)
        return grid;
    std::size_t k = 0;
    for (int j = 0; j < nodes; ++j) {
        for (int i = 0; i < nodes; ++i, ++k) {
            const NetPoint point {grid.x(i), grid.y(j)};
            // "On the circle" allows for the rounding of the nodes' coordinates.
            const bool in = point.x * point.x + point.y * point.y <= 1 + 1e-12;
            grid.inside[k] = in;
            if (!in && !outside)
                continue;
            grid.values[k] = density.density(netVector(point, net));
            if (in)
                grid.maximum = std::max(grid.maximum, grid.values[k]);
        }
    }
    return grid;
}

} // namespace quorel
