#include "core/stereonet/density.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace quorel {

namespace {

// More cells than this along an axis only cost memory: the neighbourhoods already hold few
// vectors beside those that count.
constexpr std::size_t maxCellsPerAxis = 128;
// Cells across the chord within which vectors count.
constexpr double cellsPerChord = 2;

// 2^(j/64) for j = 0..63.
const std::array<double, 64> powersOfTwo64 = [] {
    std::array<double, 64> table {};
    for (std::size_t j = 0; j < table.size(); ++j)
        table[j] = std::exp2(static_cast<double>(j) / 64);
    return table;
}();

// e^x for the kernel's exponents, -40 - a little <= x <= 0, to within a few units of the last
// place: e^x = 2^(n/64) e^r with |r| <= ln 2 / 128, 2^(n/64) from the table and a power of two,
// e^r by its Taylor series to the 6th power (the rest is below 3e-20 of it). Inline and without
// branches, it costs half the instructions of the library's exp, which handles every x and
// sets errno.
inline double kernelExp(double x)
{
    constexpr double log2eTimes64 = 92.332482616893656;
    // ln 2 / 64 in two parts; the first has trailing zero bits, so n times it is exact.
    constexpr double stepHigh = 6.93147180369123816490e-01 / 64;
    constexpr double stepLow = 1.90821492927058770002e-10 / 64;
    // Adding and taking away 1.5 * 2^52 rounds to the nearest whole number.
    constexpr double rounder = 6755399441055744.0;
    const double n = (x * log2eTimes64 + rounder) - rounder;
    const double r = (x - n * stepHigh) - n * stepLow;
    const double p =
        1 + r * (1 + r * (0.5 + r * (1.0 / 6 + r * (1.0 / 24 + r * (1.0 / 120 + r / 720)))));
    const auto whole = static_cast<std::int64_t>(n);
    const auto bits = static_cast<std::uint64_t>((whole >> 6) + 1023) << 52;
    return p * powersOfTwo64[static_cast<std::size_t>(whole & 63)] * std::bit_cast<double>(bits);
}

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
    // |d . v| >= cut puts v (or -v) within the chord sqrt(2 (1 - cut)) of d: a query reads
    // the cells within that reach, about half a chord wide, so that little outside it is read.
    const double chord = std::sqrt(2 * (1 - m_cut)) * (1 + 1e-9);
    const double perAxis = m_cut > 0 ? std::floor(2 * cellsPerChord / chord) : 0;
    m_cells = static_cast<std::size_t>(std::min(perAxis, double(maxCellsPerAxis)));
    m_indexed = static_cast<double>(m_cells) >= 4 * cellsPerChord
        && vectors.size() < std::numeric_limits<std::uint32_t>::max();
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
    m_lowestSlab = m_cells;
    m_highestSlab = 0;
    for (std::size_t z = 0; z < m_cells; ++z) {
        if (slabStart[z + 1] > 0) {
            m_lowestSlab = std::min(m_lowestSlab, z);
            m_highestSlab = z;
        }
        slabStart[z + 1] += slabStart[z];
    }
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
    const double reach = std::sqrt(m_reach2);
    const double f = m_kernel.exponent;
    double sum = 0;
    // How far a cell's span of one coordinate lies from the centre's coordinate.
    const auto gap = [&](std::size_t cell, double coordinate) {
        const double low = -1 + static_cast<double>(cell) * m_cellSize;
        return std::max({0.0, low - coordinate, coordinate - low - m_cellSize});
    };
    // Only the cells a vector within reach of the centre can lie in: along each row the run of
    // cells within the reach left by the row's distance in y and z.
    // Only the slabs that hold vectors: the opposite of a steep direction has none near it.
    const std::size_t z0 = std::max(cellOf(centre.z - reach), m_lowestSlab);
    const std::size_t z1 = std::min(cellOf(centre.z + reach), m_highestSlab);
    const std::size_t y1 = cellOf(centre.y + reach);
    for (std::size_t z = z0; z <= z1; ++z) {
        const double gz = gap(z, centre.z);
        for (std::size_t y = cellOf(centre.y - reach); y <= y1; ++y) {
            const double gy = gap(y, centre.y);
            const double left = m_reach2 - gz * gz - gy * gy;
            if (left < 0)
                continue;
            const double across = std::sqrt(left);
            const std::size_t row = (z * m_cells + y) * m_cells;
            const std::uint32_t begin = m_start[row + cellOf(centre.x - across)];
            const std::uint32_t end = m_start[row + cellOf(centre.x + across) + 1];
            for (std::uint32_t k = begin; k < end; ++k) {
                const double c = dot(centre, m_vectors[k]);
                if (c >= m_cut)
                    sum += kernelExp(f * (c - 1));
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
