#pragma once

#include "cli/painterplugin.h"
#include "core/util/result.h"

namespace quorel::cli {

// Writes the picture through the painter plugin, which is opened on the first call: beside the
// program in the build tree, in the library folder of an installed one. A missing or unusable
// plugin is a failure with its reason; running out of memory in it throws std::bad_alloc.
[[nodiscard]] Status writeWithPainter(PainterFormat format, const Picture &picture,
                                      const SystemColorTable &colors, const std::string &path);

} // namespace quorel::cli
