#pragma once

#include "core/diagram/diagramstyle.h"
#include "core/diagram/picture.h"
#include "core/util/result.h"

#include <array>

namespace quorel {

// The renderer behind the main window's `Rysuj`, reached through a narrow header of its own so
// the window's sources need not see the renderer's and the reader's headers together.
[[nodiscard]] Result<Picture> drawDiagram(const DiagramStyle &style,
                                          const std::array<int, 36> &counts, int maxCount,
                                          bool randomGraph);

} // namespace quorel
