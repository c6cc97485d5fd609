#pragma once

#include <optional>

class QWidget;

namespace quorel {

// "Random graph...": asks for the number of measurements ("500" offered). A text that is not a
// whole number is answered with the program's message and gives nothing; so does Cancel.
std::optional<int> askRandomGraphCount(QWidget *owner);

} // namespace quorel
