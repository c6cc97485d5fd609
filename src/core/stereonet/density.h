#pragma once

// The exponential Kamb density of directions (Vollmer's modified Kamb method), fast enough for
// millions of vectors: only the vectors near a direction, found through a grid of cells over
// the unit sphere, add to its sum.

#include "core/stereonet/orientation.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorel {

// The expected count of a uniform sample is this many standard deviations.
inline constexpr double kambSigma = 3;

// Vectors whose term is below e^-cutoffExponent of a full count are left out of a sum.
inline constexpr double kambCutoffExponent = 40;

// The kernel of n vectors: the exponent f = 2 (1 + n / sigma^2) and the units
// u = sqrt(n (f/2 - 1) / f^2) that turn a sum into multiples of sigma.
struct KambKernel
{
    double exponent = 2;
    double units = 0;
};
[[nodiscard]] KambKernel kambKernel(std::size_t n);

// The sum over every vector, one by one: the reference the fast sum is measured against.
[[nodiscard]] double directKambSum(std::span<const Vector3> vectors, const Vector3 &d,
                                   double exponent);

class KambDensity
{
public:
    // Sorts the vectors into the cells once; the vectors are copied.
    explicit KambDensity(std::span<const Vector3> vectors);

    std::size_t count() const { return m_count; }
    const KambKernel &kernel() const { return m_kernel; }

    // S(d) = sum of exp(f (|d . v| - 1)) over the vectors with |d . v| >= 1 - 40 / f.
    [[nodiscard]] double sum(const Vector3 &d) const;
    // Z(d) = S(d) / u in multiples of sigma; 0 without vectors.
    [[nodiscard]] double density(const Vector3 &d) const;

private:
    // The sum over the cells next to the one of `centre`, for the vectors v with
    // sign * (d . v) >= cut.
    double nearSum(const Vector3 &d, double sign) const;
    std::size_t cellOf(double coordinate) const;

    std::size_t m_count = 0;
    KambKernel m_kernel;
    double m_cut = -1; // 1 - 40 / f
    bool m_indexed = false; // false: every vector is near (few vectors, a wide kernel)
    std::size_t m_cells = 0; // cells along each axis
    double m_cellSize = 0;
    std::size_t m_lowestSlab = 0; // the slabs along z that hold vectors
    std::size_t m_highestSlab = 0;
    double m_reach2 = 0; // the square of the chord within which vectors count
    std::vector<std::uint32_t> m_start; // cell k holds m_vectors[m_start[k] .. m_start[k+1])
    std::vector<Vector3> m_vectors;
};

// The density at the nodes x = -1 + 2i/(N-1), y = -1 + 2j/(N-1) of an N x N grid over the net.
struct DensityGrid
{
    int nodes = 0; // N
    NetKind net = NetKind::Schmidt;
    std::vector<double> values; // at j * N + i; NaN where not computed
    std::vector<bool> inside; // the node lies inside or on the primitive circle
    double maximum = 0; // over the nodes inside

    double x(int i) const { return -1 + 2.0 * i / (nodes - 1); }
    double y(int j) const { return -1 + 2.0 * j / (nodes - 1); }
    double at(int i, int j) const
    {
        return values[static_cast<std::size_t>(j) * static_cast<std::size_t>(nodes)
                      + static_cast<std::size_t>(i)];
    }
};

// The grid's densities at the nodes inside or on the primitive circle. With `outside`, the
// nodes beyond it get the density at the circle's point in their direction, so contours can be
// drawn to the circle's edge (they do not count for the maximum).
[[nodiscard]] DensityGrid densityGrid(const KambDensity &density, int nodes, NetKind net,
                                      bool outside = false);

} // namespace quorel
