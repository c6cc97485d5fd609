#include "core/stereonet/sphericalstats.h"

#include "core/util/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <utility>

namespace quorel {

namespace {

// Figures closer than this to zero (or to each other) are taken as equal: sums of unit
// vectors carry rounding of about 1e-16 per term, far below it, and real data far above it.
constexpr double tolerance = 1e-12;

using Matrix = std::array<std::array<double, 3>, 3>;

} // namespace

SymmetricEigen symmetricEigen(const Matrix &matrix)
{
    Matrix a = matrix;
    Matrix v {};
    for (std::size_t i = 0; i < 3; ++i)
        v[i][i] = 1;
    constexpr std::pair<std::size_t, std::size_t> pairs[] = {{0, 1}, {0, 2}, {1, 2}};
    for (int sweep = 0; sweep < 64; ++sweep) {
        bool rotated = false;
        for (const auto &[p, q] : pairs) {
            const double apq = a[p][q];
            // Below the rounding of the diagonal the element changes nothing: take it as zero.
            if (std::abs(apq) <= 1e-18 * (std::abs(a[p][p]) + std::abs(a[q][q])) || apq == 0) {
                a[p][q] = a[q][p] = 0;
                continue;
            }
            rotated = true;
            // The rotation that zeroes a[p][q], its tangent the smaller root (stable).
            const double theta = (a[q][q] - a[p][p]) / (2 * apq);
            const double t = std::abs(theta) > 1e150
                ? 1 / (2 * theta)
                : std::copysign(1.0, theta) / (std::abs(theta) + std::sqrt(theta * theta + 1));
            const double c = 1 / std::sqrt(t * t + 1);
            const double s = t * c;
            for (std::size_t k = 0; k < 3; ++k) {
                const double akp = a[k][p];
                const double akq = a[k][q];
                a[k][p] = c * akp - s * akq;
                a[k][q] = s * akp + c * akq;
            }
            for (std::size_t k = 0; k < 3; ++k) {
                const double apk = a[p][k];
                const double aqk = a[q][k];
                a[p][k] = c * apk - s * aqk;
                a[q][k] = s * apk + c * aqk;
            }
            a[p][q] = a[q][p] = 0;
            for (std::size_t k = 0; k < 3; ++k) {
                const double vkp = v[k][p];
                const double vkq = v[k][q];
                v[k][p] = c * vkp - s * vkq;
                v[k][q] = s * vkp + c * vkq;
            }
        }
        if (!rotated)
            break;
    }
    std::array<std::size_t, 3> order {0, 1, 2};
    std::sort(order.begin(), order.end(),
              [&](std::size_t i, std::size_t j) { return a[i][i] > a[j][j]; });
    SymmetricEigen result;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t k = order[i];
        result.values[i] = a[k][k];
        result.vectors[i] = {v[0][k], v[1][k], v[2][k]};
    }
    return result;
}

SphericalStatistics sphericalStatistics(std::span<const Vector3> vectors)
{
    SphericalStatistics stats;
    stats.n = vectors.size();
    if (vectors.empty())
        return stats;
    const double n = static_cast<double>(vectors.size());

    Vector3 sum;
    Matrix tensor {};
    for (const Vector3 &v : vectors) {
        sum.x += v.x;
        sum.y += v.y;
        sum.z += v.z;
        const double c[3] = {v.x, v.y, v.z};
        for (std::size_t i = 0; i < 3; ++i)
            for (std::size_t j = i; j < 3; ++j)
                tensor[i][j] += c[i] * c[j];
    }

    // Fisher.
    const double r = std::sqrt(dot(sum, sum));
    stats.resultantLength = r;
    stats.meanResultantLength = r / n;
    const bool resultant = r > n * tolerance;
    if (resultant)
        stats.mean = directionOf(sum, false);
    // n - R, with a sum that only rounding keeps from n taken as n.
    const double spread = n - r > n * tolerance ? n - r : 0;
    if (vectors.size() >= 2 && spread > 0)
        stats.kappa = (n - 1) / spread;
    if (vectors.size() >= 2 && resultant) {
        const double cosine = 1 - spread / r * (std::pow(1 / 0.05, 1 / (n - 1)) - 1);
        if (cosine >= -1)
            stats.alpha95 = std::acos(std::min(cosine, 1.0)) * 180 / std::numbers::pi;
    }

    // The orientation tensor.
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = i; j < 3; ++j) {
            tensor[i][j] /= n;
            tensor[j][i] = tensor[i][j];
        }
    }
    const SymmetricEigen eigen = symmetricEigen(tensor);
    std::array<double, 3> e = eigen.values;
    for (double &value : e)
        value = value < tolerance ? 0 : value;
    stats.eigenvalues = e;
    for (std::size_t i = 0; i < 3; ++i) {
        bool unique = true;
        for (std::size_t j = 0; j < 3; ++j)
            unique = unique && (i == j || std::abs(e[i] - e[j]) > tolerance);
        if (unique)
            stats.eigenvectors[i] = directionOf(eigen.vectors[i], true);
    }
    if (e[1] > 0 && e[2] > 0 && e[1] - e[2] > tolerance)
        stats.woodcockK = std::log(e[0] / e[1]) / std::log(e[1] / e[2]);
    if (e[2] > 0)
        stats.woodcockC = std::log(e[0] / e[2]);
    if (const auto &axis = stats.eigenvectors[2]) {
        stats.betaAxis = axis;
        stats.girdle =
            SphericalStatistics::Plane {wrapDegrees(axis->trend + 180), 90 - axis->plunge};
    }
    return stats;
}

std::vector<SphericalSentence> sphericalSentences(const SphericalStatistics &stats,
                                                  std::span<const std::size_t> withoutDip)
{
    using Kind = SphericalSentenceKind;
    std::vector<SphericalSentence> sentences;
    const auto add = [&](Kind kind, double value = 0, Direction direction = {}) {
        SphericalSentence sentence;
        sentence.kind = kind;
        sentence.value = value;
        sentence.direction = direction;
        sentences.push_back(std::move(sentence));
    };
    if (stats.n == 0)
        add(Kind::NoDips);
    if (!withoutDip.empty()) {
        add(Kind::WithoutDip, static_cast<double>(withoutDip.size()));
        sentences.back().lines.assign(withoutDip.begin(), withoutDip.end());
    }
    if (stats.mean) {
        if (stats.alpha95) {
            add(Kind::MeanWithCone, *stats.alpha95, *stats.mean);
        } else {
            add(Kind::MeanWithoutCone, 0, *stats.mean);
            if (stats.n >= 2)
                add(Kind::TooScattered);
        }
    }
    if (stats.kappa)
        add(Kind::Concentration, *stats.kappa);
    if (stats.woodcockK) {
        const double k = *stats.woodcockK;
        add(k < 1 ? Kind::ShapeGirdle : k > 1 ? Kind::ShapeCluster : Kind::ShapeBetween, k);
        if (k < 1)
            add(Kind::GirdleAdvice);
    }
    if (stats.girdle && stats.betaAxis) {
        add(Kind::BestFitGirdle, 0, *stats.betaAxis);
        sentences.back().plane = *stats.girdle;
    }
    return sentences;
}

std::string directionText(Direction direction)
{
    int trend = nearestInt(direction.trend);
    if (trend >= 360)
        trend -= 360;
    char text[16];
    std::snprintf(text, sizeof text, "%03d/%02d", trend, nearestInt(direction.plunge));
    return text;
}

} // namespace quorel
