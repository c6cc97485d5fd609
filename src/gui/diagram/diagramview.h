#pragma once

#include "core/diagram/picture.h"
#include "core/diagram/rosehittest.h"

#include <QAbstractScrollArea>

class QPainter;

namespace quorel {

class Document;
class ViewState;

// The diagram page's scroll box: shows the document's picture, whenever it is drawn, centred
// when it is smaller than the box and from the top-left corner, scrollable, when it is larger.
// Centring keeps the user's scroll position across redraws (clamped to the new picture). While
// the document fits the diagram to the window, the picture is played as vectors into the
// largest square the box holds and follows its size.
// Pointing at a petal tells its range, count and share; on the grid, the azimuth.
class DiagramView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    DiagramView(const Document &document, const ViewState &view, QWidget *parent = nullptr);

    void setPicture(Picture picture);
    const Picture &picture() const { return m_picture; }

    // Places the picture for the current box size.
    void centerImage();
    // Where the picture stands in the viewport, scroll position included; its size is the
    // picture's own, or the box's largest square while fitted.
    QRect imageRect() const;

    // What lies under a point of the viewport, and the tooltip that tells it (empty off the rose).
    RoseHit hitAt(QPoint point) const;
    QString toolTipAt(QPoint point) const;

signals:
    // A double click on the picture itself (not on the empty box around it).
    void imageDoubleClicked();
    // A click on a petal; `add` when Shift or Ctrl was held.
    void petalClicked(int sector, bool add);

protected:
    bool viewportEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool isFitted() const;
    void drawOutline(QPainter &painter, const QRect &area) const;

    const Document &m_document;
    const ViewState &m_view;
    Picture m_picture;
};

} // namespace quorel
