#include "core/tools/circularwording.h"

#include "core/data/circularstats.h"
#include "core/data/directiontally.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorel;

namespace {

DirectionTally tallyOf(const std::vector<double> &degrees)
{
    DirectionTally tally;
    for (const double value : degrees)
        tally.add(value);
    return tally;
}

CircularStatistics figures(bool axial, std::uint64_t n, double mean, double rbar, double sd,
                           double p, DirectionInterval ci, double kappa)
{
    return CircularStatistics {axial, n,   mean, rbar, 1 - rbar, sd,
                               34.06, 1.0, p,    ci,   kappa,    CountRange {0, 7},
                               {},    {},  {},   {}};
}

// The block as a student sees it, rounded: angles to 0.1° with three digits, R̄ and the
// variance to three places, p to three or "p < 0.001", and the user's decimal separator.
TEST(CircularWording, OneSentencePerFigure)
{
    EXPECT_EQ(
        circularStatisticsLines(figures(false, 94, 47.25, 0.83, 36.24, 0.0031, {68, 130}, 3.21)),
        (std::vector<std::string> {
            "The directions are significantly clustered around 047.3\u00B0 (Rayleigh test, p = "
            "0.003).",
            "The Rayleigh test looks for one preferred direction: two opposite clusters cancel "
            "out, so treat orientations as axial data.",
            "Mean resultant length 0.830 (1 = all directions identical, 0 = no common direction).",
            "Circular variance 0.170 (0 = no spread, 1 = maximal spread).",
            "Typical spread around the mean: \u00B136.2\u00B0 (circular SD; angular deviation "
            "\u00B134.1\u00B0).",
            "The true mean direction lies between 068.0\u00B0 and 130.0\u00B0 (95% confidence).",
            "Concentration \u03BA = 3.2 (von Mises model): the larger \u03BA, the tighter the "
            "cluster.",
            "Band of chance: 0 to 7 measurements per petal; with random directions all 36 petals "
            "stay inside it at least 95 times in 100."}));
    // An axis just short of 180° rounds to 000.0°–180.0°.
    const auto axis = circularStatisticsLines(
        figures(true, 60, 179.96, 0.94, 10.3, 1e-9, {179.5, 0.4}, 0.5), ',');
    EXPECT_EQ(axis.front(),
              "The orientations cluster around the 000,0\u00B0\u2013180,0\u00B0 axis (p < 0,001).");
    EXPECT_EQ(axis[4],
              "The true mean axis lies between 179,5\u00B0 and 000,4\u00B0 (95% confidence).");
    EXPECT_EQ(axis[5],
              "Concentration \u03BA = 0,50 (von Mises model): the larger \u03BA, the "
              "tighter the cluster.");
}

// The sentences of the edge cases: not significant, nothing to show, only a direction.
TEST(CircularWording, SaysWhatCannotBeShown)
{
    const auto lines = [](const std::vector<double> &values, bool axial = false) {
        return circularStatisticsLines(circularStatistics(tallyOf(values), axial));
    };
    EXPECT_EQ(lines({}), std::vector<std::string> {"No measurements, no circular statistics."});
    EXPECT_EQ(
        lines({359.96}),
        std::vector<std::string> {"One direction, 000.0\u00B0: no test with one measurement."});
    EXPECT_EQ(
        lines({200}, true),
        std::vector<std::string> {"One orientation, the 020.0\u00B0\u2013200.0\u00B0 axis: no "
                                  "test with one measurement."});
    const auto cancelling = lines({0, 120, 240});
    EXPECT_EQ(cancelling.front(), "No preferred direction can be shown (Rayleigh p = 1.000).");
    EXPECT_EQ(cancelling[4],
              "No mean direction: the directions cancel out (angular deviation "
              "\u00B181.0\u00B0).");
    EXPECT_EQ(cancelling[5], "Too scattered for a confidence interval of the mean.");
    EXPECT_EQ(lines({47, 47, 47})[6],
              "Concentration \u03BA without bound (von Mises model): all "
              "directions are identical.");
}

// The English of the spread that means nothing and of the legends (the command line's tests
// read the sentences about groups).
TEST(CircularWording, LegendsAndTheSpreadThatMeansNothing)
{
    using Kind = CircularSentenceKind;
    struct Case
    {
        CircularSentence sentence;
        const char *english;
    };
    const Case cases[] = {
        {{Kind::SpreadVeryLarge, true, {38.48, 0}},
         "Typical spread around the mean: very large (R\u0304 < 0,1); angular deviation "
         "\u00B138,5\u00B0."},
        {{Kind::BandLegend, false, {}},
         "The shaded ring is the band of chance: with random directions all 36 petals stay "
         "inside it at least 95 times in 100."},
        {{Kind::BandLegend, true, {}},
         "The shaded ring is the band of chance: with random orientations all 18 pairs of "
         "petals stay inside it at least 95 times in 100."},
        {{Kind::MeanNotSignificantLegend, false, {}},
         "The grey dashed line shows the mean direction (not significant)."},
        {{Kind::MeanWithArcLegend, true, {}},
         "The red line shows the mean axis, the red arcs its 95% confidence interval."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(englishSentence(c.sentence, ','), c.english);
}

} // namespace
