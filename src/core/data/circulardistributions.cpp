#include "core/data/circulardistributions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <vector>

namespace quorel {

namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;

// --- The exact Rayleigh distribution ---------------------------------------------------------
//
// For n random unit vectors, P(R >= r) = n ∫0^∞ J0(rt) J1(t) J0(t)^(n-1) dt (Kluyver's integral,
// integrated by parts so that small p-values keep their digits). The integrand decays only like
// t^(-(n+1)/2) while it oscillates, so it is integrated numerically up to `tailStart` only;
// beyond, J0(t) and J1(t) are written as sums of Hankel functions in their asymptotic form and
// J0(rt) as (1/π)∫0^π exp(i r t cos θ) dθ. Each resulting term has a single frequency ω and
// is integrated along a ray from tailStart into the half-plane where exp(iωz) decays, where
// the integrand is smooth and falls off fast; the θ integral is split where some ω changes
// sign.

constexpr double tailStart = 30;
// Terms of the Hankel expansion; at |z| >= 30 the next one is below 1e-16.
constexpr int hankelTerms = 15;
// Step of the tanh-sinh rule over θ and of the exp-sinh rule along the rays.
constexpr double angleStep = 1.0 / 32;
constexpr double rayStep = 1.0 / 16;

struct QuadratureNode
{
    double x;
    double weight;
};

// Gauss-Legendre nodes on [-1, 1].
std::vector<QuadratureNode> gaussLegendre(int count)
{
    std::vector<QuadratureNode> nodes;
    for (int i = 1; i <= count; ++i) {
        double x = std::cos(pi * (i - 0.25) / (count + 0.5));
        double derivative = 1;
        for (int iteration = 0; iteration < 100; ++iteration) {
            double previous = 1;
            double current = x;
            for (int k = 2; k <= count; ++k) {
                const double next = ((2 * k - 1) * x * current - (k - 1) * previous) / k;
                previous = current;
                current = next;
            }
            derivative = count * (x * current - previous) / (x * x - 1);
            const double step = current / derivative;
            x -= step;
            if (std::fabs(step) < 1e-16)
                break;
        }
        nodes.push_back({x, 2 / ((1 - x * x) * derivative * derivative)});
    }
    return nodes;
}

using HankelCoefficients = std::array<double, hankelTerms>;

// a_m(ν) of the Hankel expansion: a_0 = 1, a_m = a_(m-1) (4ν² - (2m-1)²) / (8m).
HankelCoefficients hankelCoefficients(double order)
{
    HankelCoefficients a {};
    a[0] = 1;
    for (int m = 1; m < hankelTerms; ++m) {
        const double odd = 2.0 * m - 1;
        a[static_cast<std::size_t>(m)] =
            a[static_cast<std::size_t>(m - 1)] * (4 * order * order - odd * odd) / (8.0 * m);
    }
    return a;
}

// Σ (sign·i)^m a_m / z^m: the slowly varying factor of H(1) (sign +1) or H(2) (sign -1).
Complex hankelSeries(const HankelCoefficients &a, Complex z, int sign)
{
    const Complex step = Complex(0, sign) / z;
    Complex term = 1;
    Complex sum = 0;
    for (const double coefficient : a) {
        sum += coefficient * term;
        term *= step;
    }
    return sum;
}

double integralUpToTailStart(int n, double r)
{
    static const std::vector<QuadratureNode> nodes = gaussLegendre(20);
    constexpr double panel = 0.5; // a fraction of the fastest period, 2π / 18
    double sum = 0;
    for (double start = 0; start < tailStart; start += panel) {
        const double half = panel / 2;
        for (const QuadratureNode &node : nodes) {
            const double t = start + half * (1 + node.x);
            const double j0 = std::cyl_bessel_j(0.0, t);
            sum += half * node.weight * std::cyl_bessel_j(0.0, r * t) * std::cyl_bessel_j(1.0, t)
                * std::pow(j0, n - 1);
        }
    }
    return sum;
}

double tailIntegral(int n, double r)
{
    static const HankelCoefficients order0 = hankelCoefficients(0);
    static const HankelCoefficients order1 = hankelCoefficients(1);

    // Exp-sinh nodes along a ray: s from 1e-17 to 1e31 covers the slowest decay, s^(-3/2).
    std::vector<double> rayPoints;
    std::vector<double> rayWeights;
    for (double u = -4.0; u <= 4.6; u += rayStep) {
        const double s = std::exp(pi / 2 * std::sinh(u));
        rayPoints.push_back(s);
        rayWeights.push_back(rayStep * pi / 2 * std::cosh(u) * s);
    }
    const std::size_t points = rayPoints.size();

    std::vector<double> binomial(static_cast<std::size_t>(n), 1.0);
    for (std::size_t j = 1; j < binomial.size(); ++j)
        binomial[j] = binomial[j - 1] * static_cast<double>(static_cast<std::size_t>(n) - j)
            / static_cast<double>(j);

    // The terms of equal frequency k (k = -n, -n+2, ..., n) summed, without their exp(ikz),
    // at the points of the ray up (index 0) and down (index 1), times the rule's weights.
    const std::size_t frequencies = static_cast<std::size_t>(n) + 1;
    std::array<std::vector<Complex>, 2> envelopes;
    for (std::size_t ray = 0; ray < 2; ++ray) {
        const double direction = ray == 0 ? 1 : -1;
        envelopes[ray].assign(frequencies * points, 0);
        for (std::size_t m = 0; m < points; ++m) {
            const Complex z(tailStart, direction * rayPoints[m]);
            const Complex root = std::sqrt(2.0 / (pi * z));
            Complex scale = std::ldexp(1.0, -n) * rayWeights[m];
            for (int i = 0; i < n; ++i)
                scale *= root;
            const Complex up0 = hankelSeries(order0, z, 1);
            const Complex down0 = hankelSeries(order0, z, -1);
            const Complex up1 = hankelSeries(order1, z, 1);
            const Complex down1 = hankelSeries(order1, z, -1);
            for (int sign = -1; sign <= 1; sign += 2) {
                for (int j = 0; j < n; ++j) {
                    const int k = sign + 2 * j - n + 1;
                    const double phase = -sign * 3 * pi / 4 - (2 * j - n + 1) * pi / 4;
                    const Complex term = binomial[static_cast<std::size_t>(j)]
                        * std::polar(1.0, phase) * (sign > 0 ? up1 : down1) * std::pow(up0, j)
                        * std::pow(down0, n - 1 - j);
                    envelopes[ray][static_cast<std::size_t>((k + n) / 2) * points + m] +=
                        scale * term;
                }
            }
        }
    }

    // ∫ from tailStart of exp(i r t cos θ) G(t) dt for one θ.
    const auto atAngle = [&](double theta) {
        const double beta = r * std::cos(theta);
        Complex total = 0;
        for (int k = -n; k <= n; k += 2) {
            const double omega = k + beta;
            const std::size_t ray = omega >= 0 ? 0 : 1;
            const Complex *envelope =
                &envelopes[ray][static_cast<std::size_t>((k + n) / 2) * points];
            const double decay = std::fabs(omega);
            Complex sum = 0;
            for (std::size_t m = 0; m < points; ++m) {
                const double exponent = decay * rayPoints[m];
                if (exponent > 745) // exp() is 0 from here on
                    break;
                sum += envelope[m] * std::exp(-exponent);
            }
            total += Complex(0, ray == 0 ? 1 : -1) * std::polar(1.0, omega * tailStart) * sum;
        }
        return total.real();
    };

    // θ where some frequency k + r cos θ is 0 split [0, π]; tanh-sinh on each piece copes with
    // the kinks at their ends.
    std::vector<double> cuts {0, pi};
    for (int k = -n; k <= n; k += 2) {
        if (std::fabs(k) < r)
            cuts.push_back(std::acos(-k / r));
    }
    std::sort(cuts.begin(), cuts.end());
    double sum = 0;
    for (std::size_t piece = 0; piece + 1 < cuts.size(); ++piece) {
        const double middle = (cuts[piece] + cuts[piece + 1]) / 2;
        const double half = (cuts[piece + 1] - cuts[piece]) / 2;
        if (half <= 0)
            continue;
        for (double u = -3.2; u <= 3.2 + 1e-9; u += angleStep) {
            const double q = pi / 2 * std::sinh(u);
            const double weight = angleStep * pi / 2 * std::cosh(u) / (std::cosh(q) * std::cosh(q));
            sum += half * weight * atAngle(middle + half * std::tanh(q));
        }
    }
    return sum / pi;
}

// --- Binomial probabilities (Loader's saddle-point form, accurate for any n) -----------------

constexpr double lnSqrt2Pi = 0.918938533204672741780329736406; // log(sqrt(2π))

// log(n!) - log(sqrt(2πn) (n/e)^n), n >= 1.
double stirlingError(double n)
{
    if (n <= 15)
        return std::lgamma(n + 1) - (n + 0.5) * std::log(n) + n - lnSqrt2Pi;
    constexpr double s0 = 1.0 / 12;
    constexpr double s1 = 1.0 / 360;
    constexpr double s2 = 1.0 / 1260;
    constexpr double s3 = 1.0 / 1680;
    constexpr double s4 = 1.0 / 1188;
    const double nn = n * n;
    if (n > 500)
        return (s0 - s1 / nn) / n;
    if (n > 80)
        return (s0 - (s1 - s2 / nn) / nn) / n;
    if (n > 35)
        return (s0 - (s1 - (s2 - s3 / nn) / nn) / nn) / n;
    return (s0 - (s1 - (s2 - (s3 - s4 / nn) / nn) / nn) / nn) / n;
}

// x log(x / m) + m - x without the cancellation near x = m.
double deviance(double x, double m)
{
    if (std::fabs(x - m) < 0.1 * (x + m)) {
        double v = (x - m) / (x + m);
        double sum = (x - m) * v;
        double term = 2 * x * v;
        v *= v;
        for (int j = 1; j < 1000; ++j) {
            term *= v;
            const double next = sum + term / (2 * j + 1);
            if (next == sum)
                return next;
            sum = next;
        }
        return sum;
    }
    return x * std::log(x / m) + m - x;
}

// P(X = k) for X ~ Binomial(n, p), q = 1 - p.
double binomialProbability(double k, double n, double p, double q)
{
    if (k == 0) {
        if (n == 0)
            return 1;
        return std::exp(p < 0.1 ? -deviance(n, n * q) - n * p : n * std::log(q));
    }
    if (k == n)
        return std::exp(q < 0.1 ? -deviance(n, n * p) - n * q : n * std::log(p));
    const double exponent = stirlingError(n) - stirlingError(k) - stirlingError(n - k)
        - deviance(k, n * p) - deviance(n - k, n * q);
    const double spread = std::log(2 * pi) + std::log(k) + std::log1p(-k / n);
    return std::exp(exponent - 0.5 * spread);
}

// --- The von Mises concentration ---------------------------------------------------------------

// 1 - I1(κ)/I0(κ): from the Bessel functions while they fit a double comfortably, beyond from
// their asymptotic series, whose difference is summed term by term (at κ >= 30 the series are
// good to 1e-16), so that the small complement keeps its digits for a large κ.
double besselRatioComplement(double kappa)
{
    if (kappa < 30)
        return 1 - std::cyl_bessel_i(1.0, kappa) / std::cyl_bessel_i(0.0, kappa);
    static const HankelCoefficients order0 = hankelCoefficients(0);
    static const HankelCoefficients order1 = hankelCoefficients(1);
    double difference = 0;
    double denominator = 0;
    double power = 1;
    for (std::size_t m = 0; m < order0.size(); ++m) {
        difference += (order0[m] - order1[m]) * power;
        denominator += order0[m] * power;
        power *= -1 / kappa;
    }
    return difference / denominator;
}

// Best and Fisher's approximation of κ, the start of the Newton steps.
double approximateKappa(double rbar)
{
    if (rbar < 0.53)
        return 2 * rbar + rbar * rbar * rbar + 5 * std::pow(rbar, 5) / 6;
    if (rbar < 0.85)
        return -0.4 + 1.39 * rbar + 0.43 / (1 - rbar);
    return 1 / (rbar * rbar * rbar - 4 * rbar * rbar + 3 * rbar);
}

} // namespace

double exactRayleighPValue(int n, double resultant)
{
    if (n <= 1 || resultant <= 0)
        return 1;
    if (resultant >= n)
        return 0;
    if (n == 2)
        return std::clamp(2 / pi * std::acos(resultant / 2), 0.0, 1.0);
    const double p = n * (integralUpToTailStart(n, resultant) + tailIntegral(n, resultant));
    return std::clamp(p, 0.0, 1.0);
}

double rayleighSeriesPValue(std::uint64_t n, double resultant)
{
    if (n == 0)
        return 1;
    const double count = static_cast<double>(n);
    const double z = resultant * resultant / count;
    const double z2 = z * z;
    const double bracket = 1 + (2 * z - z2) / (4 * count)
        - (24 * z - 132 * z2 + 76 * z2 * z - 9 * z2 * z2) / (288 * count * count);
    return std::clamp(std::exp(-z) * bracket, 0.0, 1.0);
}

double rayleighPValue(std::uint64_t n, double resultant)
{
    if (n < 10)
        return exactRayleighPValue(static_cast<int>(n), resultant);
    return rayleighSeriesPValue(n, resultant);
}

std::optional<double> vonMisesKappa(double meanResultantLength)
{
    const double rbar = meanResultantLength;
    if (!(rbar < 1))
        return std::nullopt;
    if (rbar <= 0)
        return 0.0;
    // I1/I0 is increasing and concave, so Newton's steps from Best and Fisher's value close in
    // within a few steps; a step that would leave κ > 0 halves it instead. The steps work on
    // 1 - I1/I0 against 1 - R̄, and its slope 2g - g² - (1 - g)/κ, which keep their digits
    // up to the largest κ (R̄ just below 1).
    const double gap = 1 - rbar;
    double kappa = approximateKappa(rbar);
    for (int step = 0; step < 100; ++step) {
        const double g = besselRatioComplement(kappa);
        const double slope = 2 * g - g * g - (1 - g) / kappa;
        if (!(slope > 0))
            break;
        double next = kappa + (g - gap) / slope;
        if (!(next > 0))
            next = kappa / 2;
        const bool done =
            std::fabs(next - kappa) <= 4 * std::numeric_limits<double>::epsilon() * kappa;
        kappa = next;
        if (done)
            break;
    }
    return kappa;
}

std::uint64_t binomialQuantile(std::uint64_t n, double probability, double level)
{
    const double count = static_cast<double>(n);
    const double p = probability;
    const double q = 1 - p;
    // Beyond 12 standard deviations (and a margin for small n) the probabilities are far below
    // what the quantile can notice.
    const double mean = count * p;
    const double spread = 12 * std::sqrt(count * p * q) + 40;
    const auto lowest = static_cast<std::uint64_t>(std::max(0.0, std::floor(mean - spread)));
    const auto highest = static_cast<std::uint64_t>(std::min(count, std::ceil(mean + spread)));
    if (level <= 0.5) {
        double below = 0;
        for (std::uint64_t k = lowest; k <= highest; ++k) {
            below += binomialProbability(static_cast<double>(k), count, p, q);
            if (below >= level)
                return k;
        }
        return highest;
    }
    // Upper quantiles from the upper tail, which keeps its digits: the smallest k with
    // P(X > k) <= 1 - level.
    const double tail = 1 - level;
    double above = 0;
    for (std::uint64_t k = highest; k > lowest; --k) {
        above += binomialProbability(static_cast<double>(k), count, p, q);
        if (above > tail)
            return k;
    }
    return lowest;
}

} // namespace quorel
