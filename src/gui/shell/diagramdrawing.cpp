#include "gui/shell/diagramdrawing.h"

#include "core/diagram/renderer.h"

namespace quorel {

Result<Picture> drawDiagram(const DiagramStyle &style, const std::array<int, 36> &counts,
                            int maxCount, bool randomGraph)
{
    return Rysuj(style, counts, maxCount, randomGraph);
}

} // namespace quorel
