#pragma once

// PNG, PDF and EMF output need Qt's fonts and painter. They live in a plugin library that
// quorel-cli opens only when one of those formats is asked for, so every other command starts
// without loading Qt. This header is the one contract between the two; both are built from
// the same sources, so the plugin takes the core's types as they are.

#include "core/diagram/color.h"
#include "core/diagram/picture.h"

#include <string>

namespace quorel::cli {

// The formats the plugin writes.
enum class PainterFormat : int { Png, Pdf, Emf };

// What the plugin's entry point returns.
enum class PainterResult : int { Written, Failed, OutOfMemory };

// The plugin's file name, and the name of its one entry point: the interface's version is
// part of the name, so a plugin of another version is refused rather than called wrongly.
inline constexpr const char *painterPluginFileName = "quorel-cli-painter.so";
inline constexpr const char *painterEntryName = "quorelCliWritePicture1";

// Writes `picture` to `path` in `format`; on failure `message` gets the one-line reason.
using PainterEntry = PainterResult (*)(PainterFormat format, const Picture &picture,
                                       const SystemColorTable &colors, const char *path,
                                       std::string &message);

} // namespace quorel::cli
