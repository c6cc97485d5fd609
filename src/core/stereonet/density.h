#pragma once

// The exponential Kamb density of directions (Vollmer's modified Kamb method), fast enough for
// millions of vectors on a grid: each vector adds only to the few nodes within its reach, found
// from its place on the net.

#include "core/stereonet/orientation.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorel {

// The expected count of a uniform sample is this many standard deviations.
inline constexpr double kambSigma = 3;

// The kernel of n vectors: the exponent f = 2 (1 + n / sigma^2) and the units
// u = sqrt(n (f/2 - 1) / f^2) that turn a sum into multiples of sigma. A vector whose term is
// below e^-cutoff of a full count is left out of a sum: with cutoff = ln n + 23 the terms left
// out of any one sum, at most n of them, come to less than e^-23 (1e-10) of a full count.
struct KambKernel
{
    double exponent = 2;
    double units = 0;
    double cutoff = 23;
};
[[nodiscard]] KambKernel kambKernel(std::size_t n);

// The sum over every vector, one by one: the reference the fast sum is measured against.
[[nodiscard]] double directKambSum(std::span<const Vector3> vectors, const Vector3 &d,
                                   double exponent);

// Z(d), the sum over every vector in multiples of sigma: for a single direction (0 without
// vectors). A grid of them is worked out by densityGrid, far faster.
[[nodiscard]] double kambDensity(std::span<const Vector3> vectors, const Vector3 &d);

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

// The grid's densities at the nodes inside or on the primitive circle, each the sum over the
// vectors within reach of its direction (at least those with |d . v| >= 1 - cutoff / f). With
// `outside`, the nodes beyond it get the density at the circle's point in their direction, so
// contours can be drawn to the circle's edge (they do not count for the maximum).
[[nodiscard]] DensityGrid densityGrid(std::span<const Vector3> vectors, int nodes, NetKind net,
                                      bool outside = false);

} // namespace quorel
