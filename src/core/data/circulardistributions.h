#pragma once

// The distributions behind the circular statistics: the Rayleigh test's p-value, the von Mises
// concentration, and binomial quantiles for the band of chance per petal.

#include <cstdint>
#include <optional>

namespace quorel {

// The Rayleigh test's p-value for `n` directions whose resultant has length `resultant`
// (0..n): the exact value for n < 10, the series of the usual approximation for larger n (good
// to 6e-5 there), always in [0, 1]. One direction is no test: 1.
[[nodiscard]] double rayleighPValue(std::uint64_t n, double resultant);

// P(R >= resultant) for the resultant R of `n` unit vectors in random directions (n >= 1), from
// the integral over Bessel functions; to about 1e-13. Tens of milliseconds at most, meant for
// the small samples whose approximations are poor.
[[nodiscard]] double exactRayleighPValue(int n, double resultant);

// The series approximation of the Rayleigh p-value (with its second-order terms at every n),
// clamped to [0, 1].
[[nodiscard]] double rayleighSeriesPValue(std::uint64_t n, double resultant);

// The maximum-likelihood concentration κ of a von Mises distribution with mean resultant
// length `meanResultantLength` (the κ with I1(κ)/I0(κ) equal to it): 0 for 0, none for 1 and
// above (the likelihood grows without end).
[[nodiscard]] std::optional<double> vonMisesKappa(double meanResultantLength);

// The smallest k with P(X <= k) >= level for X ~ Binomial(n, probability), as R's qbinom
// (level in (0, 1), probability in (0, 1)).
[[nodiscard]] std::uint64_t binomialQuantile(std::uint64_t n, double probability, double level);

} // namespace quorel
