#pragma once

// The circular statistics in English words, as the command line prints them and the HTML
// report writes them; the window words the same sentences in the user's language.

#include "core/data/circularsummary.h"

#include <string>
#include <vector>

namespace quorel {

// One sentence in English, numbers with `decimalSeparator`.
[[nodiscard]] std::string englishSentence(const CircularSentence &sentence,
                                          char decimalSeparator = '.');

// The sentences of circularSentences, in English.
[[nodiscard]] std::vector<std::string> circularStatisticsLines(const CircularStatistics &stats,
                                                               char decimalSeparator = '.');

// The sentences of circularPanelSentences, in English.
[[nodiscard]] std::vector<std::string> circularPanelLines(const CircularStatistics &stats,
                                                          char decimalSeparator, bool showBand,
                                                          bool showMeanDirection = false);

} // namespace quorel
