#pragma once

#include "core/diagram/color.h"
#include "gui/diagram/pictureplayer.h"

#include <QWidget>

namespace quorel {

// A colour sample on a bar: shows its colour as both outline and fill, with the hand pointer.
// Clicking it is how the user changes the colour (the bar decides what a click does).
class ColorSwatch : public QWidget
{
    Q_OBJECT

public:
    explicit ColorSwatch(const QString &hint, QWidget *parent = nullptr);

    Color color() const { return m_color; }
    void setColor(Color color);
    // The table that resolves system colours for display.
    void setSystemColors(const SystemColorTable *table);

    QSize sizeHint() const override;

signals:
    void pressed(Qt::MouseButton button);
    void released(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Color m_color = clBlack;
    const SystemColorTable *m_systemColors = nullptr;
};

// A direct colour value (0x00BBGGRR) from a chosen QColor.
Color fromQColor(const QColor &color);

} // namespace quorel
