#pragma once

#include <string_view>

namespace quorel {

// The program's name as the caption of its windows, message boxes and tray menu shows it.
inline constexpr std::string_view programCaption = "Quorel";

// The name the picture save dialogs propose when no data file gives one.
inline constexpr std::string_view defaultPictureName = "quorel.wmf";

} // namespace quorel
