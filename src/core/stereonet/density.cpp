#include "core/stereonet/density.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <numbers>

namespace quorel {

namespace {

// The lowest exponent kernelExp takes: e^-700 is still a normal number, and no term of any
// weight is smaller.
constexpr double lowestKernelExponent = -700;

// 2^(j/1024) for j = 0..1023.
const std::array<double, 1024> powersOfTwo1024 = [] {
    std::array<double, 1024> table {};
    for (std::size_t j = 0; j < table.size(); ++j)
        table[j] = std::exp2(static_cast<double>(j) / 1024);
    return table;
}();

// e^x for lowestKernelExponent <= x <= 0, to within 1e-15 of it: e^x = 2^(n/1024) e^r with
// |r| <= ln 2 / 2048, 2^(n/1024) from the table times a power of two, e^r by its Taylor series
// to the 3rd power (the rest is below 6e-16 of it). Inline and without branches, it costs a
// third of the instructions of the library's exp, which handles every x and sets errno.
inline double kernelExp(double x)
{
    constexpr double log2eTimes1024 = 1477.3197218702985;
    // ln 2 / 1024 in two parts; the first has trailing zero bits, so n times it is exact.
    constexpr double stepHigh = 6.93147180369123816490e-01 / 1024;
    constexpr double stepLow = 1.90821492927058770002e-10 / 1024;
    // Adding 1.5 * 2^52 rounds to the nearest whole number, which the low bits then hold.
    constexpr double rounder = 6755399441055744.0;
    const double shifted = x * log2eTimes1024 + rounder;
    const double n = shifted - rounder;
    const double r = (x - n * stepHigh) - n * stepLow;
    const double p = 1 + r * (1 + r * (0.5 + r * (1.0 / 6)));
    // n as a whole number: the difference of the two sums' bits, which share their exponent.
    const auto whole = static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(shifted)
                                                 - std::bit_cast<std::uint64_t>(rounder));
    // The power of two goes straight into the table entry's exponent bits; the result stays a
    // normal number.
    const std::uint64_t entry =
        std::bit_cast<std::uint64_t>(powersOfTwo1024[static_cast<std::size_t>(whole & 1023)]);
    const std::uint64_t power = static_cast<std::uint64_t>(whole >> 10) << 52;
    return p * std::bit_cast<double>(entry + power);
}

// Where a direction of either hemisphere falls on the net, the upper one beyond the primitive
// circle: the lower hemisphere's formula, which holds up to the zenith.
NetPoint extendedPlace(const Vector3 &v, NetKind net)
{
    const double scale = net == NetKind::Schmidt ? 1 / std::sqrt(1 - v.z) : 1 / (1 - v.z);
    return {v.x * scale, v.y * scale};
}

// How much the net stretches a short arc at most at height z (z = 1 the zenith): 1 / sqrt(1 - z)
// for Schmidt, 1 / (1 - z) for Wulff, the scale across the radius, which is never less than the
// scale along it. Both shrink every arc in the lower hemisphere (the nets are drawn at radius 1)
// and stretch those above it.
double stretchAt(double z, NetKind net)
{
    return net == NetKind::Schmidt ? 1 / std::sqrt(1 - z) : 1 / (1 - z);
}

// The whole numbers next above and below t, for |t| well within the range of ptrdiff_t
// (std::ceil and std::floor are calls on a processor without SSE4.1).
std::ptrdiff_t ceiling(double t)
{
    const auto whole = static_cast<std::ptrdiff_t>(t);
    return static_cast<double>(whole) < t ? whole + 1 : whole;
}

std::ptrdiff_t flooring(double t)
{
    const auto whole = static_cast<std::ptrdiff_t>(t);
    return static_cast<double>(whole) > t ? whole - 1 : whole;
}

class FiledNodes
{
public:
    FiledNodes(int nodes, double exponent)
        : m_nodes(nodes)
        , m_exponent(exponent)
    { }

    // Files the node of grid point `node` with direction `d` under grid point `under`.
    void add(std::size_t under, std::size_t node, const Vector3 &d)
    {
        m_filed.push_back({under, node, d});
    }

    // Sorts the nodes by the point they are filed under.
    void sort()
    {
        const std::size_t points = static_cast<std::size_t>(m_nodes) * std::size_t(m_nodes);
        m_start.assign(points + 1, 0);
        for (const Filed &f : m_filed)
            ++m_start[f.under + 1];
        for (std::size_t k = 0; k < points; ++k)
            m_start[k + 1] += m_start[k];
        std::vector<std::size_t> next(m_start.begin(), m_start.end() - 1);
        m_direction.resize(m_filed.size());
        m_node.resize(m_filed.size());
        for (const Filed &f : m_filed) {
            const std::size_t at = next[f.under]++;
            m_direction[at] = f.d;
            m_node[at] = f.node;
        }
        m_sum.assign(m_filed.size(), 0);
        m_filed = {};
    }

    // Adds v's term to every node filed within `reach` of `place`, a box about it that holds
    // at least the nodes with d . v >= cut. The others' terms are below e^-cutoff, like those
    // left out, and mostly terms of the sum over every vector too; working them out costs less
    // than telling the nodes apart, which the processor would guess wrong at every box's edge.
    // Lower exponents (nodes far beyond the circle) are raised to the lowest kernelExp takes.
    void spread(const Vector3 &v, NetPoint place, double reach)
    {
        const double last = m_nodes - 1;
        const double scale = last / 2;
        const std::ptrdiff_t i0 =
            std::max<std::ptrdiff_t>(0, ceiling((place.x - reach + 1) * scale));
        const std::ptrdiff_t i1 =
            std::min<std::ptrdiff_t>(m_nodes - 1, flooring((place.x + reach + 1) * scale));
        const std::ptrdiff_t j0 =
            std::max<std::ptrdiff_t>(0, ceiling((place.y - reach + 1) * scale));
        const std::ptrdiff_t j1 =
            std::min<std::ptrdiff_t>(m_nodes - 1, flooring((place.y + reach + 1) * scale));
        if (i0 > i1 || j0 > j1)
            return;
        const auto width = static_cast<std::size_t>(m_nodes);
        for (auto j = static_cast<std::size_t>(j0); j <= static_cast<std::size_t>(j1); ++j) {
            const std::size_t row = j * width;
            const std::size_t end = m_start[row + static_cast<std::size_t>(i1) + 1];
            for (std::size_t k = m_start[row + static_cast<std::size_t>(i0)]; k < end; ++k) {
                const double c = dot(m_direction[k], v);
                m_sum[k] += kernelExp(std::max(m_exponent * (c - 1), lowestKernelExponent));
            }
        }
    }

    // Hands each node's sum, over `units`, to its place in `values`.
    void deliver(std::vector<double> &values, double units) const
    {
        for (std::size_t k = 0; k < m_node.size(); ++k)
            values[m_node[k]] = m_sum[k] / units;
    }

private:
    struct Filed
    {
        std::size_t under;
        std::size_t node;
        Vector3 d;
    };
    int m_nodes;
    double m_exponent;
    std::vector<Filed> m_filed;
    std::vector<std::size_t> m_start; // point k holds m_direction[m_start[k] .. m_start[k+1])
    std::vector<Vector3> m_direction;
    std::vector<std::size_t> m_node;
    std::vector<double> m_sum;
};

// Below this cut the kernel reaches over most of the sphere (the few vectors of a file of a
// hundred or so): every node sums every vector.
constexpr double smallestSpreadCut = 0.25;

} // namespace

KambKernel kambKernel(std::size_t n)
{
    const double count = static_cast<double>(n);
    KambKernel kernel;
    kernel.exponent = 2 * (1 + count / (kambSigma * kambSigma));
    kernel.units =
        std::sqrt(count * (kernel.exponent / 2 - 1) / (kernel.exponent * kernel.exponent));
    kernel.cutoff = std::log(std::max(count, 1.0)) + 23;
    return kernel;
}

double directKambSum(std::span<const Vector3> vectors, const Vector3 &d, double exponent)
{
    double sum = 0;
    for (const Vector3 &v : vectors)
        sum += std::exp(exponent * (std::abs(dot(d, v)) - 1));
    return sum;
}

double kambDensity(std::span<const Vector3> vectors, const Vector3 &d)
{
    if (vectors.empty())
        return 0;
    const KambKernel kernel = kambKernel(vectors.size());
    return directKambSum(vectors, d, kernel.exponent) / kernel.units;
}

DensityGrid densityGrid(std::span<const Vector3> vectors, int nodes, NetKind net, bool outside)
{
    DensityGrid grid;
    grid.nodes = nodes;
    grid.net = net;
    const auto width = static_cast<std::size_t>(std::max(nodes, 0));
    grid.values.assign(width * width, std::numeric_limits<double>::quiet_NaN());
    grid.inside.assign(width * width, false);
    if (nodes < 2)
        return grid;
    const KambKernel kernel = kambKernel(vectors.size());
    const double cut = 1 - kernel.cutoff / kernel.exponent;
    const bool spread = cut > smallestSpreadCut && !vectors.empty();
    // Nodes inside the circle are filed under their own point; those beyond it under the point
    // nearest to where their direction meets the circle, at most half a diagonal of a grid cell
    // away from it.
    FiledNodes inner(nodes, kernel.exponent);
    FiledNodes rim(nodes, kernel.exponent);
    const double step = 2.0 / (nodes - 1);
    const auto nearestPoint = [&](NetPoint p) {
        const auto index = [&](double coordinate) {
            return static_cast<std::size_t>(
                std::clamp(std::round((coordinate + 1) / step), 0.0, double(nodes - 1)));
        };
        return index(p.y) * width + index(p.x);
    };
    std::size_t k = 0;
    for (int j = 0; j < nodes; ++j) {
        for (int i = 0; i < nodes; ++i, ++k) {
            const NetPoint point {grid.x(i), grid.y(j)};
            // "On the circle" allows for the rounding of the nodes' coordinates.
            const bool in = point.x * point.x + point.y * point.y <= 1 + 1e-12;
            grid.inside[k] = in;
            if (!in && !outside)
                continue;
            const Vector3 d = netVector(point, net);
            if (!spread) {
                grid.values[k] = kambDensity(vectors, d);
                continue;
            }
            if (in) {
                inner.add(k, k, d);
            } else {
                const double r = std::hypot(point.x, point.y);
                rim.add(nearestPoint({point.x / r, point.y / r}), k, d);
            }
        }
    }
    if (spread) {
        inner.sort();
        rim.sort();
        // A node within the kernel's angle of v (or of -v) lies on the net within the angle
        // times the largest stretch on the way of v's place, the place of a direction above
        // the horizontal reaching beyond the circle. The way rises no higher than the angle
        // above v, nor than the angle above the horizontal. A little is added for the rounding
        // of the places; a node beyond the circle is filed up to half a cell's diagonal away.
        const double angle = std::acos(cut);
        const double sine = std::sin(angle);
        const double highest = sine * (1 + 1e-9) + 1e-12;
        const double rimSlack = step * 0.7072;
        for (const Vector3 &v : vectors) {
            for (const Vector3 &s : {v, Vector3 {-v.x, -v.y, -v.z}}) {
                if (s.z > highest)
                    continue;
                const double rise =
                    s.z >= cut ? 1 : s.z * cut + std::sqrt(std::max(0.0, 1 - s.z * s.z)) * sine;
                const double reach =
                    angle * stretchAt(std::min(rise, sine), net) * (1 + 1e-9) + 1e-12;
                const NetPoint place = extendedPlace(s, net);
                inner.spread(s, place, reach);
                if (outside && s.z > -highest)
                    rim.spread(s, place, reach + rimSlack);
            }
        }
        inner.deliver(grid.values, kernel.units);
        rim.deliver(grid.values, kernel.units);
    }
    for (std::size_t node = 0; node < grid.values.size(); ++node) {
        if (grid.inside[node])
            grid.maximum = std::max(grid.maximum, grid.values[node]);
    }
    return grid;
}

} // namespace quorel
