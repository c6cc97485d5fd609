#pragma once

#include <QRect>
#include <QSize>

class QAbstractScrollArea;

namespace quorel {

// Where a page shows its picture: at its own size, centred in the viewport and scrolled when it
// is larger, or fitted (the largest rectangle of its shape the viewport holds, in its middle,
// never scrolled).

// Sets the scroll bars' ranges and page steps for the picture; each keeps its value, clamped.
void setPictureScrollRanges(QAbstractScrollArea &area, QSize picture, bool fitted);
// The rectangle of the viewport the picture is drawn into.
[[nodiscard]] QRect shownPictureRect(const QAbstractScrollArea &area, QSize picture, bool fitted);

} // namespace quorel
