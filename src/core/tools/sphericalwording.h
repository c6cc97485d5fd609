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

// The stereonet's legend in English, for the pictures the command line draws; `poles` false for
// lines.
[[nodiscard]] StereonetWords englishStereonetWords(bool poles);

} // namespace quorel
