#pragma once

#include "core/diagram/color.h"
#include "core/diagram/picture.h"

#include <string>

namespace quorel {

// Writes a Picture as a standalone SVG document of S x S pixels (viewBox 0 0 S S).
// System colours are resolved through `colors`; hatched brushes become 8 x 8 patterns with
// transparent gaps; pies are arc paths running counter-clockwise on screen from the first
// radial point to the second; text is anchored at its top-left corner (baseline placed one
// ascent below it) and, under a solid brush, stands on an opaque box of the brush colour.
// Text bytes are shown as UTF-8 (Windows-1250 bytes are converted).
[[nodiscard]] std::string pictureToSvg(const Picture &picture, const SystemColorTable &colors);

// The em height in whole pixels of a font of `points` on the program's 96-dpi device.
[[nodiscard]] double fontPixels(int points);

} // namespace quorel
