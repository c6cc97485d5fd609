#pragma once

#include "core/diagram/color.h"
#include "core/diagram/picture.h"

#include <QWidget>

namespace quorel {

// Shows a recorded Picture at its own size (S x S pixels); it sizes itself to the picture, as
// the image of the diagram page and of the full-screen preview do.
class PictureWidget : public QWidget
{
    Q_OBJECT

public:
    explicit PictureWidget(QWidget *parent = nullptr);

    void setPicture(const Picture &picture, const SystemColorTable &colors);
    const Picture &picture() const { return m_picture; }

    QSize sizeHint() const override;

signals:
    void doubleClicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    Picture m_picture;
    SystemColorTable m_colors {};
};

} // namespace quorel
