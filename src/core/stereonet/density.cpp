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
    const std::size_t cellCount = m_cells * m_cells * m_cells;
    std::vector<std::uint32_t> cellOfVector(vectors.size());
    m_start.assign(cellCount + 1, 0);
    for (std::size_t k = 0; k < vectors.size(); ++k) {
        const Vector3 &v = vectors[k];
        const std::size_t cell = (cellOf(v.z) * m_cells + cellOf(v.y)) * m_cells + cellOf(v.x);
        cellOfVector[k] = static_cast<std::uint32_t>(cell);
        ++m_start[cell + 1];
    }
    for (std::size_t c = 0; c < cellCount; ++c)
        m_start[c + 1] += m_start[c];
    m_vectors.resize(vectors.size());
    std::vector<std::uint32_t> next(m_start.begin(), m_start.end() - 1);
    for (std::size_t k = 0; k < vectors.size(); ++k)
        m_vectors[next[cellOfVector[k]]++] = vectors[k];
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
    for (std::size_t z = z0; z <= z1; ++z) {
        for (std::size_t y = y0; y <= y1; ++y) {
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
