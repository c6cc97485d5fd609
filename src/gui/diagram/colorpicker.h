#pragma once

#include <QColor>

#include <functional>
#include <optional>

class QWidget;

namespace quorel {

// Asks the user for a colour, starting from `initial`; nothing when the user cancels. The bars
// take one of these so tests can answer instead of a dialog.
using ColorPicker = std::function<std::optional<QColor>(const QColor &initial, QWidget *parent)>;

// The platform's colour dialog.
std::optional<QColor> pickColorWithDialog(const QColor &initial, QWidget *parent);

} // namespace quorel
