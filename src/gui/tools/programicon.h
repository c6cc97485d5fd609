#pragma once

#include <QIcon>

namespace quorel {

// The program's icon, a rose diagram: the drawing the installed desktop entry shows, rendered at
// the sizes windows, the tray and task bars ask for. Needs no image plugin.
[[nodiscard]] QIcon programIcon();

} // namespace quorel
