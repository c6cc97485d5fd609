#pragma once

#include "gui/document/command.h"

#include <QIcon>

namespace quorel {

// A command's picture: the desktop's icon theme's where it has one, else our own, so a machine
// without a theme shows the pictures too.
[[nodiscard]] QIcon commandIcon(CommandIcon command);

// Our own picture of the command, as bundled with the program.
[[nodiscard]] QIcon bundledCommandIcon(CommandIcon command);

} // namespace quorel
