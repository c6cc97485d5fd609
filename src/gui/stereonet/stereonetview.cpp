#include "gui/stereonet/stereonetview.h"

#include "core/diagram/sizing.h"
#include "core/stereonet/stereonetrenderer.h"
#include "gui/diagram/pictureplacement.h"
#include "gui/diagram/pictureplayer.h"
#include "gui/document/viewstate.h"
#include "gui/stereonet/stereonetdocument.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPromise>
#include <QScrollBar>
#include <QThreadPool>
#include <QToolTip>

#include <cmath>

namespace quorel {

namespace {

constexpr int horizontalStep = 14;
// The most marks drawn for the selected rows: past it they are thinned evenly, as the picture
// thins its poles.
constexpr std::size_t maxMarks = 5000;
// A pointer this close to a drawn pole (or great circle) points at it, in the viewport's pixels.
constexpr double reachPixels = 5;
// The largest picture kept as played, in device pixels (32 MB); a larger one is drawn each time.
constexpr qint64 maxPlayedPixels = 8'000'000;
// A picture of more drawing steps than this (the contours of a large file) takes longer to play
// than the window may stand still: it is played on another thread.
constexpr std::size_t maxStepsPlayedHere = 10'000;

QImage playedImage(const Picture &picture, QSize pixels, qreal ratio, QSizeF size,
                   const SystemColorTable &colors)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter player(&image);
    PicturePlayer(colors).play(picture, player, QRectF(QPointF(0, 0), size));
    return image;
}

// A number as the file would write it: no trailing zeros, the document's separator.
QString figureText(double value, QChar separator)
{
    QString text = QString::number(value, 'f', 4);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0'))))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.replace(QLatin1Char('.'), separator);
}

} // namespace

StereonetView::StereonetView(const StereonetDocument &stereonet, const ViewState &view,
                             QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_stereonet(stereonet)
    , m_view(view)
{
    connect(&stereonet, &StereonetDocument::pictureChanged, this,
            [this] { setPicture(m_stereonet.picture()); });
    connect(&view, &ViewState::fitToWindowChanged, this, &StereonetView::centerImage);
    connect(&m_playing, &QFutureWatcher<QImage>::finished, this, [this] {
        if (m_playing.future().resultCount() > 0) {
            m_played = m_playing.result();
            m_playedCurrent = m_playingPicture == m_picture;
        }
        m_playingPicture.reset();
        // Played for an older picture or size, it stands in; the paint asks for the right one.
        viewport()->update();
    });
    setFrameShape(QFrame::NoFrame);
    horizontalScrollBar()->setSingleStep(horizontalStep);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
    setMouseTracking(true);
}

void StereonetView::setPicture(const Picture &picture)
{
    m_picture = std::make_shared<const Picture>(picture);
    m_playedCurrent = false;
    centerImage();
}

void StereonetView::setMarked(std::vector<std::pair<std::size_t, std::size_t>> ranges)
{
    std::erase_if(ranges, [](const auto &range) { return range.first >= range.second; });
    if (ranges == m_marked)
        return;
    m_marked = std::move(ranges);
    viewport()->update();
}

bool StereonetView::isFitted() const
{
    return m_view.fitToWindow() && !m_picture->isEmpty();
}

void StereonetView::centerImage()
{
    // A fitted picture never scrolls.
    setPictureScrollRanges(*this, QSize(m_picture->width(), m_picture->height()), isFitted());
    viewport()->update();
}

QRect StereonetView::imageRect() const
{
    return shownPictureRect(*this, QSize(m_picture->width(), m_picture->height()), isFitted());
}

NetPoint StereonetView::netPointAt(QPointF point) const
{
    const QRect area = imageRect();
    const StereonetPlacement at = stereonetPlacement(m_picture->width());
    const double scale = static_cast<double>(m_picture->width()) / area.width();
    const double x = (point.x() - area.left()) * scale;
    const double y = (point.y() - area.top()) * scale;
    return {(x - at.cx) / at.radius, (at.cy - y) / at.radius};
}

QPointF StereonetView::viewportPointOf(NetPoint point) const
{
    const QRect area = imageRect();
    const StereonetPlacement at = stereonetPlacement(m_picture->width());
    const double scale = static_cast<double>(area.width()) / m_picture->width();
    // The picture rounds to its pixels; the pixel's middle is where a dot is drawn.
    const double x = std::round(at.cx + at.radius * point.x) + 0.5;
    const double y = std::round(at.cy - at.radius * point.y) + 0.5;
    return {area.left() + x * scale, area.top() + y * scale};
}

QPoint StereonetView::pointOf(std::size_t k) const
{
    const StereonetData *shown = m_stereonet.data();
    if (!shown || k >= shown->plotted.size())
        return {};
    return viewportPointOf(project(shown->plotted[k], m_stereonet.options().net)).toPoint();
}

bool StereonetView::showsGreatCircles() const
{
    const StereonetData *shown = m_stereonet.data();
    return shown && shown->poles() && m_stereonet.options().greatCircles;
}

std::optional<std::size_t> StereonetView::plottedAt(QPoint point) const
{
    const StereonetData *shown = m_stereonet.data();
    const QRect area = imageRect();
    if (!shown || shown->plotted.empty() || m_picture->width() <= 0 || area.isEmpty())
        return std::nullopt;
    const NetKind net = m_stereonet.options().net;
    const bool circles = showsGreatCircles();
    const std::size_t stride = drawnStride(shown->plotted.size(), circles);
    const double scale = static_cast<double>(area.width()) / m_picture->width();
    const StereonetPlacement at = stereonetPlacement(m_picture->width());
    std::optional<std::size_t> found;
    if (circles) {
        const NetPoint p = netPointAt(QPointF(point) + QPointF(0.5, 0.5));
        if (std::hypot(p.x, p.y) > 1)
            return std::nullopt;
        const Vector3 v = netVector(p, net);
        // About half the net's radius per radian of arc, on either net.
        double nearest = reachPixels / (0.5 * at.radius * scale);
        for (std::size_t k = 0; k < shown->plotted.size(); k += stride) {
            const double off = std::abs(dot(v, unitVector(shown->plotted[k])));
            if (off <= nearest) {
                nearest = off;
                found = k;
            }
        }
        return found;
    }
    const double reach = std::max(reachPixels, (at.marker + 2) * scale);
    double nearest = reach * reach;
    const QPointF pointer = QPointF(point) + QPointF(0.5, 0.5);
    for (std::size_t k = 0; k < shown->plotted.size(); k += stride) {
        const QPointF d = viewportPointOf(project(shown->plotted[k], net)) - pointer;
        const double distance = d.x() * d.x() + d.y() * d.y();
        // The later of two dots on one place is drawn over the earlier one.
        if (distance <= nearest) {
            nearest = distance;
            found = k;
        }
    }
    return found;
}

QString StereonetView::toolTipAt(QPoint point) const
{
    const std::optional<std::size_t> k = plottedAt(point);
    if (!k)
        return {};
    const StereonetData &shown = *m_stereonet.data();
    const DipMeasurement &m = shown.dips->measurements[*k];
    const QChar separator = QLatin1Char(m_stereonet.decimalSeparator());
    const QString measured =
        QStringLiteral("%1/%2").arg(figureText(m.azimuth, separator), figureText(m.dip, separator));
    const QString plotted = QString::fromStdString(directionText(shown.plotted[*k]));
    if (shown.poles())
        return tr("line %1: %2, pole %3").arg(m.line).arg(measured, plotted);
    return tr("line %1: %2").arg(m.line).arg(measured);
}

bool StereonetView::viewportEvent(QEvent *event)
{
    const auto show = [this](QPoint at, QPoint global) {
        const QString text = toolTipAt(at);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(global, text, viewport());
    };
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        show(help->pos(), help->globalPos());
        return true;
    }
    // A tooltip in view follows the pointer from pole to pole.
    if (event->type() == QEvent::MouseMove && QToolTip::isVisible()) {
        const auto *move = static_cast<QMouseEvent *>(event);
        show(move->position().toPoint(), move->globalPosition().toPoint());
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void StereonetView::paintEvent(QPaintEvent *)
{
    if (m_picture->isEmpty())
        return;
    QPainter painter(viewport());
    const QRect area = imageRect();
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(area.size()) * ratio).toSize();
    if (qint64(pixels.width()) * pixels.height() > maxPlayedPixels) {
        m_played = QImage();
        m_playedCurrent = false;
        PicturePlayer(systemColorsFromPalette(palette())).play(*m_picture, painter, QRectF(area));
    } else {
        if (!m_playedCurrent || m_played.size() != pixels) {
            if (m_picture->ops().size() > maxStepsPlayedHere) {
                playAside(pixels, ratio, area.size());
            } else {
                m_played = playedImage(*m_picture, pixels, ratio, area.size(),
                                       systemColorsFromPalette(palette()));
                m_playedCurrent = true;
            }
        }
        if (!m_played.isNull())
            painter.drawImage(QRectF(area), m_played);
    }
    drawMarks(painter);
}

void StereonetView::playAside(QSize pixels, qreal ratio, QSizeF size)
{
    // One at a time: when it comes, the paint it asks for sees whether another is needed.
    if (m_playingPicture)
        return;
    m_playingPicture = m_picture;
    auto promise = std::make_shared<QPromise<QImage>>();
    m_playing.setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, picture = m_picture, pixels, ratio, size,
                                          colors = systemColorsFromPalette(palette())] {
        promise->start();
        promise->addResult(playedImage(*picture, pixels, ratio, size, colors));
        promise->finish();
    });
}

void StereonetView::changeEvent(QEvent *event)
{
    // The picture's system colours come from the palette.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        m_playedCurrent = false;
    QAbstractScrollArea::changeEvent(event);
}

void StereonetView::drawMarks(QPainter &painter) const
{
    const StereonetData *shown = m_stereonet.data();
    if (m_marked.empty() || !shown || m_picture->width() <= 0)
        return;
    std::size_t count = 0;
    for (const auto &[begin, end] : m_marked)
        count += std::min(end, shown->plotted.size()) - std::min(begin, shown->plotted.size());
    if (count == 0)
        return;
    const bool circles = showsGreatCircles();
    const std::size_t stride = (count + maxMarks - 1) / maxMarks;
    const NetKind net = m_stereonet.options().net;
    const QRect area = imageRect();
    const double scale = static_cast<double>(area.width()) / m_picture->width();
    const double ring = (stereonetPlacement(m_picture->width()).marker + 5) * scale;
    // The marks in one path, drawn twice: a light halo under the highlight keeps them in view on
    // the darkest contour band as on the background.
    QPainterPath marks;
    std::size_t seen = 0;
    for (const auto &[begin, end] : m_marked) {
        for (std::size_t k = begin; k < end && k < shown->plotted.size(); ++k, ++seen) {
            if (seen % stride != 0)
                continue;
            const Direction &d = shown->plotted[k];
            if (!circles) {
                marks.addEllipse(viewportPointOf(project(d, net)), ring, ring);
                continue;
            }
            const std::vector<NetPoint> points =
                greatCircle(wrapDegrees(d.trend + 180), 90 - d.plunge, net);
            for (std::size_t i = 0; i < points.size(); ++i) {
                if (i == 0)
                    marks.moveTo(viewportPointOf(points[i]));
                else
                    marks.lineTo(viewportPointOf(points[i]));
            }
        }
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Base), 5));
    painter.drawPath(marks);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2.5));
    painter.drawPath(marks);
    painter.restore();
}

void StereonetView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (const std::optional<std::size_t> k = plottedAt(event->position().toPoint())) {
            emit plottedClicked(*k, event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
            event->accept();
            return;
        }
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void StereonetView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (imageRect().contains(event->position().toPoint()))
        emit imageDoubleClicked();
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void StereonetView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    centerImage();
}

void StereonetView::scrollContentsBy(int, int)
{
    viewport()->update();
}

} // namespace quorel
