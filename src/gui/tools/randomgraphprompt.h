#pragma once

#include <optional>

class QString;
class QWidget;

namespace quorel {

// "Random graph...": asks for the number of measurements ("500" offered). A text that is not a
// whole number is answered with the program's message and gives nothing; so does Cancel.
std::optional<int> askRandomGraphCount(QWidget *owner);

// The width a dialog needs for a window manager's title bar to show `title` whole.
[[nodiscard]] int widthForTitle(const QWidget &dialog, const QString &title);

} // namespace quorel
