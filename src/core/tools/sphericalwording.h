#pragma once

// The spherical statistics in English words, as the command line prints them; the window words
// the same sentences in the user's language.

#include "core/stereonet/sphericalstats.h"
#include "core/stereonet/stereonetrenderer.h"

#include <string>

namespace quorel {

// One sentence in English: `poles` false for lines. Numbers use `decimalSeparator`.
[[nodiscard]] std::string sphericalSentenceText(const SphericalSentence &sentence, bool poles,
                                                char decimalSeparator = '.');

// What the net shows, in English: "Poles of planes: 8, lower hemisphere, equal-area (Schmidt)
// net."
[[nodiscard]] std::string stereonetSummaryText(std::size_t count, bool poles, NetKind net);

// The stereonet's legend in English, for pictures that leave the program in English (the
// command line's, the report's); `poles` false for lines.
[[nodiscard]] StereonetWords englishStereonetWords(bool poles);

} // namespace quorel
