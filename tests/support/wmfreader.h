#pragma once

#include "core/diagram/picture.h"
#include "core/util/result.h"

#include <string_view>

namespace quorel {

// Reads a placeable Windows Metafile back into a Picture: exactly what writePlaceableWmf wrote
// (colours come back resolved, as direct colours; text as UTF-8), and the drawing operations a
// Picture can hold from other files. A wrong key or checksum, a bad header, a record that runs
// past the end or a missing end record is an Error; no input makes it crash or read out of
// bounds. Records a Picture cannot hold (clipping, bitmaps, polygons, ...) are skipped.
[[nodiscard]] Result<Picture> readPlaceableWmf(std::string_view bytes);

} // namespace quorel
