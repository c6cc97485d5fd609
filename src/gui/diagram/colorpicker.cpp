#include "gui/diagram/colorpicker.h"

#include <QColorDialog>

namespace quorel {

std::optional<QColor> pickColorWithDialog(const QColor &initial, QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace quorel
