#include "gui/diagram/diagramview.h"

#include "core/diagram/sizing.h"
#include "gui/diagram/pictureplayer.h"
#include "gui/document/document.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace quorel {

namespace {
constexpr int horizontalStep = 14;
}

DiagramView::DiagramView(const Document &document, QWidget *parent)
    : QAbstractScrollArea(parent)
{
    connect(&document, &Document::pictureChanged, this,
            [this, &document] { setPicture(document.picture()); });
    setFrameShape(QFrame::NoFrame);
    horizontalScrollBar()->setSingleStep(horizontalStep);
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
}

void DiagramView::setPicture(Picture picture)
{
    m_picture = std::move(picture);
    centerImage();
}

void DiagramView::centerImage()
{
    // Setting the ranges keeps each scroll bar's value, clamped to the new range.
    const QSize box = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_picture.width() - box.width()));
    horizontalScrollBar()->setPageStep(std::max(1, box.width()));
    verticalScrollBar()->setRange(0, std::max(0, m_picture.height() - box.height()));
    verticalScrollBar()->setPageStep(std::max(1, box.height()));
    viewport()->update();
}

QRect DiagramView::imageRect() const
{
    const QSize box = viewport()->size();
    const int left = centredOffset(box.width(), m_picture.width()) - horizontalScrollBar()->value();
    const int top = centredOffset(box.height(), m_picture.height()) - verticalScrollBar()->value();
    return QRect(left, top, std::max(0, m_picture.width()), std::max(0, m_picture.height()));
}

void DiagramView::paintEvent(QPaintEvent *)
{
    if (m_picture.isEmpty())
        return;
    QPainter painter(viewport());
    const QRect area = imageRect();
    PicturePlayer(systemColorsFromPalette(palette())).play(m_picture, painter, QRectF(area));
}

void DiagramView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (imageRect().contains(event->position().toPoint()))
        emit imageDoubleClicked();
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void DiagramView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    centerImage();
}

void DiagramView::scrollContentsBy(int, int)
{
    viewport()->update();
}

} // namespace quorel
