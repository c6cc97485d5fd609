#pragma once

// Statistics of directions on the lower hemisphere: Fisher's mean and its cone of confidence,
// and the orientation tensor with Woodcock's shape figures and the best-fit girdle.

#include "core/stereonet/orientation.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorel {

// The eigenvalues (largest first) and unit eigenvectors of a symmetric 3 x 3 matrix.
struct SymmetricEigen
{
    std::array<double, 3> values {};
    std::array<Vector3, 3> vectors {};
};

// Jacobi rotations until the matrix is diagonal to the last bit; any symmetric input converges.
[[nodiscard]] SymmetricEigen symmetricEigen(const std::array<std::array<double, 3>, 3> &matrix);

// Every figure, each empty where it is undefined (too few vectors, a division by zero, a
// logarithm of zero, an axis that is not unique).
struct SphericalStatistics
{
    std::size_t n = 0;
    double resultantLength = 0; // R
    std::optional<Direction> mean; // lower hemisphere
    std::optional<double> meanResultantLength; // R / n
    std::optional<double> kappa; // (n - 1) / (n - R)
    std::optional<double> alpha95; // degrees
    std::optional<std::array<double, 3>> eigenvalues; // e1 >= e2 >= e3, summing to 1
    // Each as a lower-hemisphere axis; empty where its eigenvalue is shared with another.
    std::array<std::optional<Direction>, 3> eigenvectors;
    std::optional<double> woodcockK; // ln(e1/e2) / ln(e2/e3)
    std::optional<double> woodcockC; // ln(e1/e3)
    // The plane whose pole is the least axis (v3), and that axis (the beta axis).
    struct Plane
    {
        double dipDirection = 0;
        double dip = 0;
    };
    std::optional<Plane> girdle;
    std::optional<Direction> betaAxis;
};

[[nodiscard]] SphericalStatistics sphericalStatistics(std::span<const Vector3> vectors);

// The sentences of the figures as kinds and numbers; the front end words them.
enum class SphericalSentenceKind {
    NoDips, // no measurement has a valid dip: the net is empty
    WithoutDip, // count, lines: measurements without a valid dip
    MeanWithCone, // direction, alpha95
    MeanWithoutCone, // direction (no cone: fewer than two vectors)
    TooScattered, // the cone of confidence is undefined
    Concentration, // kappa
    ShapeGirdle, // K < 1
    ShapeCluster, // K > 1
    ShapeBetween, // K = 1
    GirdleAdvice, // Fisher's figures suit a cluster; read the eigen figures for a girdle
    BestFitGirdle, // girdle plane, beta axis
};

struct SphericalSentence
{
    SphericalSentenceKind kind = SphericalSentenceKind::NoDips;
    double value = 0; // alpha95, kappa or K
    Direction direction {}; // the mean; for BestFitGirdle the beta axis
    SphericalStatistics::Plane plane {}; // BestFitGirdle
    std::vector<std::size_t> lines; // WithoutDip
};

// The sentences to show for the statistics of `plotted` vectors (poles or lines), with the
// lines of the measurements that have no valid dip.
[[nodiscard]] std::vector<SphericalSentence>
sphericalSentences(const SphericalStatistics &stats, std::span<const std::size_t> withoutDip);

// "215/62": a trend of three digits and a plunge of two, rounded.
[[nodiscard]] std::string directionText(Direction direction);

} // namespace quorel
