#pragma once

#include "core/diagram/renderer.h"

#include <cstdint>
#include <optional>

namespace quorel {

class DirectionTally;

// A range of directions from `lower` clockwise to `upper`, in degrees.
struct DirectionInterval
{
    double lower = 0;
    double upper = 0;
    friend bool operator==(const DirectionInterval &, const DirectionInterval &) = default;
};

// Counts per petal from `lower` to `upper`.
struct CountRange
{
    std::uint64_t lower = 0;
    std::uint64_t upper = 0;
    friend bool operator==(const CountRange &, const CountRange &) = default;
};

// What the measurements' directions say beyond the rose: where they point, how closely, and
// whether more than chance. Angles are in degrees, in [0, 360), or [0, 180) for axial data
// (orientations, whose angles are doubled for the figures and halved again). A figure that the
// data leave undefined (no measurements, directions that cancel out, identical ones) is empty,
// never infinite or not a number.
struct CircularStatistics
{
    bool axial = false;
    std::uint64_t n = 0;
    std::optional<double> meanDirection;
    std::optional<double> meanResultantLength; // R̄, 0..1
    std::optional<double> circularVariance; // 1 - R̄
    std::optional<double> circularSd; // √(-2 ln R̄), in degrees
    std::optional<double> angularDeviation; // √(2 (1 - R̄)), in degrees
    std::optional<double> rayleighZ; // n R̄²
    std::optional<double> rayleighP;
    std::optional<DirectionInterval> ci95; // of the mean direction
    std::optional<double> kappa; // von Mises concentration, maximum likelihood
    // Bonferroni band: with random directions every petal's count lies in it, all at once, in
    // at least 95 samples out of 100.
    std::optional<CountRange> band;
};

// The statistics of the tallied directions, in one pass over the tally.
[[nodiscard]] CircularStatistics circularStatistics(const DirectionTally &directions, bool axial);

// What the renderer draws for these statistics: the band ring and the mean direction with its
// confidence arc where asked for and defined, and the rose of orientations for axial data.
[[nodiscard]] RenderOptions circularRenderOptions(const CircularStatistics &statistics,
                                                  bool showBand, bool showMeanDirection);

} // namespace quorel
