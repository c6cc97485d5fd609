#include "gui/diagram/colorswatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorel {

Color fromQColor(const QColor &color)
{
    return rgbColor(color.red(), color.green(), color.blue());
}

ColorSwatch::ColorSwatch(const QString &hint, QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setToolTip(hint);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColorSwatch::setColor(Color color)
{
    m_color = color;
    update();
}

void ColorSwatch::setSystemColors(const SystemColorTable *table)
{
    m_systemColors = table;
    update();
}

QSize ColorSwatch::sizeHint() const
{
    return {41, 21};
}

void ColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor color =
        toQColor(m_color, m_systemColors ? *m_systemColors : classicSystemColors());
    painter.fillRect(rect(), palette().window());
    painter.setPen(color);
    painter.setBrush(color);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorSwatch::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit pressed(event->button());
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    emit released(event->button());
}

} // namespace quorel
