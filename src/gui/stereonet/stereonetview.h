#pragma once

#include "core/diagram/picture.h"
#include "core/stereonet/orientation.h"

#include <QAbstractScrollArea>
#include <QFutureWatcher>
#include <QImage>

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace quorel {

class StereonetDocument;
class ViewState;

// The Stereonet page's scroll box: shows the stereonet's picture as the diagram page shows the
// rose's (centred, scrollable, or as large as the box holds while the diagram fits the window).
// Pointing at a drawn pole (or great circle) tells its measurement; clicking it asks for its
// row; the poles of the selected rows are marked on the screen only, never in the picture.
class StereonetView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    StereonetView(const StereonetDocument &stereonet, const ViewState &view,
                  QWidget *parent = nullptr);

    const Picture &picture() const { return *m_picture; }
    // Where the picture stands in the viewport, scroll position included.
    QRect imageRect() const;

    // The plotted measurement drawn under a point of the viewport, if any.
    std::optional<std::size_t> plottedAt(QPoint point) const;
    // What the tooltip says there: "line 17: 125/40, pole 305/50"; empty off the measurements.
    QString toolTipAt(QPoint point) const;
    // The viewport's point where plotted measurement `k` is drawn (its pole or line).
    QPoint pointOf(std::size_t k) const;

    // The plotted measurements to mark, as ranges [begin, end) of their indexes.
    void setMarked(std::vector<std::pair<std::size_t, std::size_t>> ranges);
    const std::vector<std::pair<std::size_t, std::size_t>> &marked() const { return m_marked; }

signals:
    void imageDoubleClicked();
    // A click on a drawn measurement; `add` when Shift or Ctrl was held.
    void plottedClicked(std::size_t k, bool add);

protected:
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void setPicture(const Picture &picture);
    void centerImage();
    bool isFitted() const;
    // From the viewport to the net (radius 1) and back.
    NetPoint netPointAt(QPointF point) const;
    QPointF viewportPointOf(NetPoint point) const;
    bool showsGreatCircles() const;
    void drawMarks(QPainter &painter) const;
    // Plays the picture into an image of `pixels` on another thread; the image shown so far
    // stands in until it comes.
    void playAside(QSize pixels, qreal ratio, QSizeF size);

    const StereonetDocument &m_stereonet;
    const ViewState &m_view;
    std::shared_ptr<const Picture> m_picture = std::make_shared<const Picture>();
    // The picture as last played at the size shown: a repaint that changes neither (a resize
    // that keeps the fitted size, a tooltip, the marks) copies it instead of drawing every pole
    // and contour again.
    QImage m_played;
    bool m_playedCurrent = false; // m_played is m_picture's, not the one before
    QFutureWatcher<QImage> m_playing;
    std::shared_ptr<const Picture> m_playingPicture; // what m_playing plays
    std::vector<std::pair<std::size_t, std::size_t>> m_marked;
};

} // namespace quorel
