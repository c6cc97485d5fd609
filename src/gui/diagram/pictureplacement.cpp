#include "gui/diagram/pictureplacement.h"

#include "core/diagram/sizing.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace quorel {

void setPictureScrollRanges(QAbstractScrollArea &area, QSize picture, bool fitted)
{
    const QSize box = area.viewport()->size();
    const QSize shown = fitted ? box : picture;
    area.horizontalScrollBar()->setRange(0, std::max(0, shown.width() - box.width()));
    area.horizontalScrollBar()->setPageStep(std::max(1, box.width()));
    area.verticalScrollBar()->setRange(0, std::max(0, shown.height() - box.height()));
    area.verticalScrollBar()->setPageStep(std::max(1, box.height()));
}

QRect shownPictureRect(const QAbstractScrollArea &area, QSize picture, bool fitted)
{
    const QSize box = area.viewport()->size();
    if (fitted) {
        const QSize scaled = picture.scaled(box, Qt::KeepAspectRatio);
        return QRect(
            QPoint((box.width() - scaled.width()) / 2, (box.height() - scaled.height()) / 2),
            scaled);
    }
    const int left =
        centredOffset(box.width(), picture.width()) - area.horizontalScrollBar()->value();
    const int top =
        centredOffset(box.height(), picture.height()) - area.verticalScrollBar()->value();
    return QRect(left, top, std::max(0, picture.width()), std::max(0, picture.height()));
}

} // namespace quorel
