#pragma once

#include <string>
#include <vector>

namespace quorel {

struct CircularStatistics;

// The circular statistics as sentences a student can copy into a lab report, one figure each
// with what it means, rounded as the program shows them: angles to 0.1°, R̄ and the variance to
// three places, p to three places or "p < 0.001". UTF-8; numbers with `decimalSeparator`.
[[nodiscard]] std::vector<std::string> circularStatisticsLines(const CircularStatistics &stats,
                                                               char decimalSeparator = '.');

// The legend of the band ring drawn on the diagram.
[[nodiscard]] std::string significanceBandLegend(bool axial);

// The sentences as the window and its report show them: those of circularStatisticsLines, and
// the band's legend when `showBand` and the diagram draws a ring (a band with a width).
[[nodiscard]] std::vector<std::string> circularPanelLines(const CircularStatistics &stats,
                                                          char decimalSeparator, bool showBand);

} // namespace quorel
