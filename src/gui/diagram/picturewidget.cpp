#include "gui/diagram/picturewidget.h"

#include "gui/diagram/pictureplayer.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorel {

PictureWidget::PictureWidget(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFixedSize(0, 0);
}

void PictureWidget::setPicture(const Picture &picture, const SystemColorTable &colors)
{
    m_picture = picture;
    m_colors = colors;
    setFixedSize(std::max(picture.width(), 0), std::max(picture.height(), 0));
    update();
}

QSize PictureWidget::sizeHint() const
{
    return {std::max(m_picture.width(), 0), std::max(m_picture.height(), 0)};
}

void PictureWidget::paintEvent(QPaintEvent *)
{
    if (m_picture.isEmpty())
        return;
    QPainter painter(this);
    PicturePlayer(m_colors).play(m_picture, painter,
                                 QRectF(0, 0, m_picture.width(), m_picture.height()));
}

void PictureWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit doubleClicked();
}

void PictureWidget::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    emit mouseMoved();
}

} // namespace quorel
