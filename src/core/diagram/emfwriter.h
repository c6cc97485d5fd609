#pragma once

#include "core/diagram/color.h"

#include <functional>
#include <string>

namespace quorel {

class Picture;
struct Font;

// The advance width in pixels of one character drawn in a font: the enhanced metafile stores
// the position of every character of a text. The core measures no fonts; whoever can (the GUI,
// the batch front end through Qt) passes a measure, and without one a width estimated from the
// font's height is used.
using TextMeasure = std::function<int(const Font &font, char32_t character)>;

// The picture as an enhanced metafile (EMF): the format Windows programs and office suites
// paste best. Units are the picture's pixels on a 96 dpi reference device, the frame is the
// same square in 0.01 mm; objects live in the lowest free handle and are deleted once their
// successor is selected; system colours are resolved with the table; text is UTF-16.
[[nodiscard]] std::string writeEmf(const Picture &picture, const SystemColorTable &systemColors,
                                   const TextMeasure &measure = {});

// The width a measure-less text uses, at least 1 pixel: 3/5 of the character height for
// fixed-pitch faces ("Courier New", "... Mono"), half of it (about the average letter) for
// proportional ones.
[[nodiscard]] int estimatedAdvance(const Font &font);

} // namespace quorel
