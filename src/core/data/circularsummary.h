#pragma once

#include <array>
#include <string>
#include <vector>

namespace quorel {

struct CircularStatistics;

// What the circular statistics say, one sentence at a time, as a kind and the figures it
// carries; each front end words them in its own language. Angles are in degrees, orientations
// in [0, 180). `axial` picks the words for orientations (the figures belong to the doubled
// angles where the statistics say so).
enum class CircularSentenceKind {
    NoMeasurements,
    OneMeasurement, // [0] the direction (or orientation)
    Clustered, // [0] the mean direction, [1] the Rayleigh p
    // Significant, but the mean lies between groups, where few measurements are: [0] p.
    NotRandom,
    NoPreference, // [0] the Rayleigh p
    OneModeCaveat, // directions only: two opposite clusters cancel out in the test
    OppositeGroups, // directions only: two opposite groups, better read as orientations
    SeveralGroups, // [0] the mean, which lies between groups and describes none of them
    MeanResultantLength, // [0] R̄
    CircularVariance, // [0] V
    Spread, // [0] the circular SD, [1] the angular deviation
    SpreadVeryLarge, // R̄ < 0.1, where the circular SD means nothing: [0] the angular deviation
    NoMean, // the directions cancel out: [0] the angular deviation
    ConfidenceInterval, // [0] from, [1] to
    NoConfidenceInterval,
    Concentration, // [0] κ
    ConcentrationUnbounded, // all measurements identical
    Band, // [0] lower, [1] upper count of a 10° petal (of a 20° pair for orientations)
    // Legends of what the diagram draws.
    BandLegend,
    MeanLegend, // the significant mean's solid line
    MeanWithArcLegend, // the same with its confidence arc
    MeanNotSignificantLegend, // the dashed grey line of a mean that is not significant
    MeanBetweenGroupsLegend, // the dashed grey line of a mean between groups
};

struct CircularSentence
{
    CircularSentenceKind kind = CircularSentenceKind::NoMeasurements;
    bool axial = false;
    std::array<double, 2> figures {};
    friend bool operator==(const CircularSentence &, const CircularSentence &) = default;
};

// Below this R̄ the circular SD (over 123°) says no more than "very large".
inline constexpr double meaningfulSdLength = 0.1;

// The statistics as sentences a student can copy into a lab report, one figure each with what
// it means.
[[nodiscard]] std::vector<CircularSentence> circularSentences(const CircularStatistics &stats);

// The sentences as the window and its report show them: those of circularSentences, then the
// legend of each mark the diagram draws: the band when `showBand` and the diagram draws a ring
// (a band with a width), the mean direction when `showMeanDirection` and it is defined.
[[nodiscard]] std::vector<CircularSentence>
circularPanelSentences(const CircularStatistics &stats, bool showBand, bool showMeanDirection);

// The figures as every language writes them, rounded as the program shows them; UTF-8, with
// `separator` as the decimal separator.
namespace figures {
// A bearing to 0.1° with three whole digits ("047.3°"); one that rounds up to `period` (a full
// turn, or a half turn for an orientation) starts again at 000.0°.
[[nodiscard]] std::string bearing(double degrees, char separator, double period = 360);
// An orientation as the axis through it: "023.0°–203.0°".
[[nodiscard]] std::string axis(double degrees, char separator);
// A spread to either side: "±36.2°".
[[nodiscard]] std::string spread(double degrees, char separator);
[[nodiscard]] std::string fixed(double value, int decimals, char separator);
// "p = 0.003", or "p < 0.001".
[[nodiscard]] std::string pValue(double p, char separator);
// κ to two places below 1, to one from 1 on.
[[nodiscard]] std::string kappa(double kappa, char separator);
// A count.
[[nodiscard]] std::string count(double count);
} // namespace figures

} // namespace quorel
