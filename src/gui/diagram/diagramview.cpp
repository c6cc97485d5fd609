#include "gui/diagram/diagramview.h"

#include "core/data/sectorarrays.h"
#include "core/diagram/sizing.h"
#include "gui/diagram/pictureplacement.h"
#include "gui/diagram/pictureplayer.h"
#include "gui/document/document.h"
#include "gui/document/viewstate.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <cmath>

namespace quorel {

namespace {

constexpr int horizontalStep = 14;

// The range of a sector as the statistics table writes it, without its leading blank.
QString rangeText(int sector)
{
    return QString::fromStdString(sectorLabel(sector)).trimmed();
}

} // namespace

DiagramView::DiagramView(const Document &document, const ViewState &view, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_document(document)
    , m_view(view)
{
    // The picture as it stands, then every new one.
    m_picture = document.picture();
    connect(&document, &Document::pictureChanged, this,
            [this, &document] { setPicture(document.picture()); });
    connect(&view, &ViewState::outlineChanged, viewport(), qOverload<>(&QWidget::update));
    connect(&view, &ViewState::fitToWindowChanged, this, &DiagramView::centerImage);
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

bool DiagramView::isFitted() const
{
    return m_view.fitToWindow() && !m_picture.isEmpty();
}

void DiagramView::centerImage()
{
    // A fitted picture never scrolls.
    setPictureScrollRanges(*this, QSize(m_picture.width(), m_picture.height()), isFitted());
    viewport()->update();
}

QRect DiagramView::imageRect() const
{
    return shownPictureRect(*this, QSize(m_picture.width(), m_picture.height()), isFitted());
}

RoseHit DiagramView::hitAt(QPoint point) const
{
    const QRect area = imageRect();
    if (m_picture.isEmpty() || area.isEmpty())
        return {};
    // The picture's own pixels, whatever size it is shown at.
    const double scale = static_cast<double>(m_picture.width()) / area.width();
    return hitTestRose(m_picture.width(), m_document.petalLayout(), m_document.style().petalScale,
                       (point.x() - area.left() + 0.5) * scale,
                       (point.y() - area.top() + 0.5) * scale);
}

QString DiagramView::toolTipAt(QPoint point) const
{
    const RoseHit hit = hitAt(point);
    switch (hit.kind) {
    case RoseHit::Kind::Outside:
        return {};
    case RoseHit::Kind::Grid:
        return tr("Azimuth %1°").arg(static_cast<int>(std::lround(hit.azimuth)) % 360);
    case RoseHit::Kind::Petal:
        break;
    }
    const int count = m_document.petalLayout().drawn[static_cast<std::size_t>(hit.petal - 1)];
    QString range = rangeText(hit.petal);
    if (m_document.renderOptions().axial) {
        // A petal of orientations stands for its sector and the opposite one.
        const int opposite = (hit.petal + 17) % 36 + 1;
        range = tr("%1 and %2")
                    .arg(rangeText(std::min(hit.petal, opposite)),
                         rangeText(std::max(hit.petal, opposite)));
    }
    const std::size_t all = std::max<std::size_t>(m_document.measurementCount(), 1);
    QString share = QString::number(100.0 * count / static_cast<double>(all), 'f', 1);
    share.replace(QLatin1Char('.'), QLatin1Char(m_document.decimalSeparator()));
    const QString measurements =
        count == 1 ? tr("1 measurement") : tr("%1 measurements").arg(count);
    return tr("%1: %2, %3 %").arg(range, measurements, share);
}

bool DiagramView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    // A tooltip in view follows the pointer from petal to petal.
    if (event->type() == QEvent::MouseMove && QToolTip::isVisible()) {
        const auto *move = static_cast<QMouseEvent *>(event);
        const QString text = toolTipAt(move->position().toPoint());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(move->globalPosition().toPoint(), text, viewport());
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void DiagramView::paintEvent(QPaintEvent *)
{
    if (m_picture.isEmpty())
        return;
    QPainter painter(viewport());
    const QRect area = imageRect();
    PicturePlayer(systemColorsFromPalette(palette())).play(m_picture, painter, QRectF(area));
    drawOutline(painter, area);
}

void DiagramView::drawOutline(QPainter &painter, const QRect &area) const
{
    // On the screen only: the petals of the selected measurements, over the picture's own.
    const SectorSet outlined = m_view.outlinedPetals();
    if (outlined.none() || m_picture.width() <= 0)
        return;
    const PetalLayout layout = m_document.petalLayout();
    const RoseGeometry g = roseGeometry(m_picture.width());
    const double scale = static_cast<double>(area.width()) / m_picture.width();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2.5 / scale));
    painter.setBrush(Qt::NoBrush);
    const bool axial = m_document.renderOptions().axial;
    for (std::size_t k = 0; k < outlined.size(); ++k) {
        if (!outlined.test(k))
            continue;
        for (const std::size_t petal : {k, axial ? (k + 18) % 36 : k}) {
            const double r = petalRadius(g.radius, layout.drawn[petal], layout.scale,
                                         m_document.style().petalScale);
            if (r <= 0)
                continue;
            // Qt counts angles anticlockwise from east, azimuths clockwise from north.
            const QRectF box(g.centre - r, g.centre - r, 2 * r, 2 * r);
            painter.drawPie(
                box, static_cast<int>((90 - 10.0 * static_cast<double>(petal + 1)) * 16), 10 * 16);
        }
    }
    painter.restore();
}

void DiagramView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const RoseHit hit = hitAt(event->position().toPoint());
        if (hit.kind == RoseHit::Kind::Petal) {
            emit petalClicked(hit.petal,
                              event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
            event->accept();
            return;
        }
    }
    QAbstractScrollArea::mousePressEvent(event);
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
