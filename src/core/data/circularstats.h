#pragma once

#include "core/diagram/renderer.h"

#include <array>
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
    // Bonferroni band of a 10° petal: with random directions every petal's count lies in its
    // band, all at once, in at least 95 samples out of 100.
    std::optional<CountRange> band;
    // Each petal's own band (element k: sector k + 1; for orientations a sector and its opposite
    // share one). Rounding to whole degrees makes sector 1 take 0 up to 10.5° and sector 36 only
    // 350.5° up to 360°: 10.5° and 9.5° of the circle, or 11 and 9 of the 360 whole degrees
    // when every reading is one, and their bands differ from `band` accordingly.
    std::optional<std::array<CountRange, 36>> bandBySector;
    // How many measurements lie in the sector of the mean direction (for orientations, in that
    // sector and its opposite one). A mean between groups lies where hardly any are.
    std::optional<std::uint64_t> meanSectorCount;
    // For directions only: the Rayleigh test of the doubled angles, which finds two opposite
    // groups that cancel out in the test of the directions themselves.
    std::optional<double> doubledRayleighZ;
    std::optional<double> doubledRayleighP;
};

// The statistics of the tallied directions, in one pass over the tally.
[[nodiscard]] CircularStatistics circularStatistics(const DirectionTally &directions, bool axial);

// Whether the mean direction stands for the measurements: the Rayleigh test is significant
// (p < 0.05) and the mean's sector holds at least a third of the average count per sector (per
// pair of opposite sectors for orientations). Groups on either side of an empty sector have a
// significant mean that points where almost nothing is.
[[nodiscard]] bool meanDirectionIsSignificant(const CircularStatistics &statistics);

// Whether the mean lies between groups: the test is significant but the mean's sector holds
// under a third of the average count.
[[nodiscard]] bool meanLiesBetweenGroups(const CircularStatistics &statistics);

// Whether directions look like two opposite groups, better read as orientations: the test of
// the doubled angles is significant (p < 0.05) and clearly stronger than the test of the
// directions: those are not significant, or the doubled angles' Z is over twice theirs (R̄ of
// the doubled angles over √2 times R̄), or the mean lies between groups. A single cluster
// never qualifies: doubling its angles spreads it, so its Z falls.
[[nodiscard]] bool looksLikeOppositeGroups(const CircularStatistics &statistics);

// What the renderer draws for these statistics: the band ring and the mean direction with its
// confidence arc where asked for and defined (solid where the mean is significant, dashed and
// grey otherwise), and the rose of orientations for axial data.
[[nodiscard]] RenderOptions circularRenderOptions(const CircularStatistics &statistics,
                                                  bool showBand, bool showMeanDirection);

} // namespace quorel
