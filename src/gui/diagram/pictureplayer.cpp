#include "gui/diagram/pictureplayer.h"

#include "core/diagram/svgwriter.h"
#include "core/util/text.h"
#include "gui/document/programcaption.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPdfWriter>

#include <cmath>
#include <memory>
#include <numbers>
#include <optional>

namespace quorel {

QColor toQColor(Color color, const SystemColorTable &colors)
{
    const Rgb rgb = resolveColor(color, colors);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

namespace {

Qt::BrushStyle hatchStyle(BrushPattern hatch)
{
    // Qt's "backward diagonal" rises to the right, like the original hatch of the same name.
    switch (hatch) {
    case BrushPattern::BDiagonal:
        return Qt::BDiagPattern;
    case BrushPattern::FDiagonal:
        return Qt::FDiagPattern;
    case BrushPattern::Cross:
        return Qt::CrossPattern;
    case BrushPattern::DiagCross:
        return Qt::DiagCrossPattern;
    case BrushPattern::Horizontal:
        return Qt::HorPattern;
    case BrushPattern::Vertical:
        return Qt::VerPattern;
    case BrushPattern::Solid:
        break;
    }
    return Qt::SolidPattern;
}

// Angle of a point seen from the centre of an ellipse, in degrees counter-clockwise from
// three o'clock on screen, as QPainter's arcs measure it.
double screenAngle(double x, double y, double cx, double cy, double rx, double ry)
{
    return std::atan2(-(y - cy) / ry, (x - cx) / rx) * 180.0 / std::numbers::pi;
}

// A solid thin pen over a solid brush of the same colour: a rectangle drawn with them is a
// plain block of that colour.
bool isOpaqueBlock(const Pen &pen, const Brush &brush)
{
    return brush.kind == Brush::Kind::Solid && pen.pattern == PenPattern::Solid && pen.width <= 1
        && pen.color == brush.color;
}

// True when the picture's first shape is an opaque block over the whole picture, so an image
// need not be cleared before playing it.
bool startsWithOpaqueBackground(const Picture &picture)
{
    Pen pen;
    Brush brush;
    for (const auto &op : picture.ops()) {
        if (const auto *selectPen = std::get_if<op::SelectPen>(&op)) {
            pen = selectPen->pen;
        } else if (const auto *selectBrush = std::get_if<op::SelectBrush>(&op)) {
            brush = selectBrush->brush;
        } else if (const auto *rect = std::get_if<op::Rectangle>(&op)) {
            return isOpaqueBlock(pen, brush) && std::min(rect->left, rect->right) <= 0
                && std::min(rect->top, rect->bottom) <= 0
                && std::max(rect->left, rect->right) >= picture.width()
                && std::max(rect->top, rect->bottom) >= picture.height();
        } else if (!std::holds_alternative<op::SelectFont>(op)) {
            return false;
        }
    }
    return false;
}

class Player
{
public:
    Player(QPainter &painter, const SystemColorTable &colors)
        : m_painter(painter)
        , m_colors(colors)
    { }

    void operator()(const op::SelectPen &o)
    {
        m_pen = o.pen;
        QPen pen(toQColor(o.pen.color, m_colors));
        // Width 0 and 1 are the thinnest line; styled patterns apply only to thin pens.
        pen.setWidthF(std::max(1, o.pen.width));
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        const auto dashes = penDashLengths(o.pen.pattern);
        if (!dashes.empty() && o.pen.width <= 1)
            pen.setDashPattern(QVector<qreal>(dashes.begin(), dashes.end()));
        m_painter.setPen(pen);
    }

    void operator()(const op::SelectBrush &o)
    {
        m_brush = o.brush;
        switch (o.brush.kind) {
        case Brush::Kind::Null:
            m_painter.setBrush(Qt::NoBrush);
            break;
        case Brush::Kind::Solid:
            m_painter.setBrush(QBrush(toQColor(o.brush.color, m_colors), Qt::SolidPattern));
            break;
        case Brush::Kind::Hatched:
            m_painter.setBrush(
                QBrush(toQColor(o.brush.color, m_colors), hatchStyle(o.brush.hatch)));
            break;
        }
    }

    void operator()(const op::SelectFont &o)
    {
        m_painter.setFont(toQFont(o.font));
        m_textColor = toQColor(o.font.color, m_colors);
    }

    // Shapes are outlined on the pixel centres inside their box: the box's right and bottom
    // edges are exclusive, as on the original device.
    static QRectF inner(int l, int t, int r, int b)
    {
        return QRectF(QPointF(std::min(l, r) + 0.5, std::min(t, b) + 0.5),
                      QPointF(std::max(l, r) - 0.5, std::max(t, b) - 0.5));
    }

    void operator()(const op::Rectangle &o)
    {
        if (o.left == o.right || o.top == o.bottom)
            return;
        if (isOpaqueBlock(m_pen, m_brush)) {
            // Outline and fill of one colour (the background): exactly the box's pixels.
            m_painter.fillRect(
                QRect(QPoint(std::min(o.left, o.right), std::min(o.top, o.bottom)),
                      QPoint(std::max(o.left, o.right) - 1, std::max(o.top, o.bottom) - 1)),
                toQColor(m_brush.color, m_colors));
            return;
        }
        m_painter.drawRect(inner(o.left, o.top, o.right, o.bottom));
    }

    void operator()(const op::Ellipse &o)
    {
        if (o.left == o.right || o.top == o.bottom)
            return;
        m_painter.drawEllipse(inner(o.left, o.top, o.right, o.bottom));
    }

    void operator()(const op::Line &o)
    {
        m_painter.drawLine(QPointF(o.x1 + 0.5, o.y1 + 0.5), QPointF(o.x2 + 0.5, o.y2 + 0.5));
    }

    static QPolygonF pixelCentres(const std::vector<op::Point> &points)
    {
        QPolygonF polygon;
        polygon.reserve(static_cast<qsizetype>(points.size()));
        for (const op::Point &p : points)
            polygon << QPointF(p.x + 0.5, p.y + 0.5);
        return polygon;
    }

    void operator()(const op::Polygon &o)
    {
        m_painter.drawPolygon(pixelCentres(o.points), Qt::OddEvenFill);
    }

    void operator()(const op::Polyline &o) { m_painter.drawPolyline(pixelCentres(o.points)); }

    void operator()(const op::Pie &o)
    {
        if (o.left == o.right || o.top == o.bottom)
            return;
        const QRectF box = inner(o.left, o.top, o.right, o.bottom);
        const double cx = (double(o.left) + o.right) / 2;
        const double cy = (double(o.top) + o.bottom) / 2;
        const double rx = std::abs(double(o.right) - o.left) / 2;
        const double ry = std::abs(double(o.bottom) - o.top) / 2;
        const double start = screenAngle(o.x1, o.y1, cx, cy, rx, ry);
        double span = std::fmod(screenAngle(o.x2, o.y2, cx, cy, rx, ry) - start + 720.0, 360.0);
        if (span <= 1e-9)
            span = 360.0; // equal radial points: the whole ellipse
        QPainterPath path;
        path.moveTo(box.center());
        path.arcTo(box, start, span);
        path.closeSubpath();
        if (m_brush.kind != Brush::Kind::Hatched) {
            m_painter.drawPath(path);
            return;
        }
        // A hatch is a pixel pattern: filling it without antialiasing looks the same and is
        // several times faster on large petals; the outline keeps its smooth edge.
        const bool smooth = m_painter.testRenderHint(QPainter::Antialiasing);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.fillPath(path, m_painter.brush());
        m_painter.setRenderHint(QPainter::Antialiasing, smooth);
        m_painter.strokePath(path, m_painter.pen());
    }

    void operator()(const op::Text &o)
    {
        const QString text = QString::fromStdString(displayText(o.text));
        const QFontMetricsF metrics(m_painter.font(), m_painter.device());
        const QPointF topLeft(o.x, o.y);
        if (m_brush.kind == Brush::Kind::Solid) {
            // The opaque text box of the brush colour: the text's advance by the font height.
            m_painter.fillRect(
                QRectF(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height())),
                toQColor(m_brush.color, m_colors));
        }
        const QPen pen = m_painter.pen();
        m_painter.setPen(m_textColor);
        m_painter.drawText(topLeft + QPointF(0, metrics.ascent()), text);
        m_painter.setPen(pen);
    }

private:
    QPainter &m_painter;
    const SystemColorTable &m_colors;
    Pen m_pen;
    Brush m_brush;
    QColor m_textColor = Qt::black;
};

} // namespace

void PicturePlayer::play(const Picture &picture, QPainter &painter, const QRectF &target) const
{
    if (picture.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / picture.width(), target.height() / picture.height());
    painter.setClipRect(QRectF(0, 0, picture.width(), picture.height()), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBackgroundMode(Qt::TransparentMode);
    // The device's defaults before the first selection: black thin pen, white brush.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    Player player(painter, m_colors);
    for (const auto &op : picture.ops())
        std::visit(player, op);
    painter.restore();
}

QFont toQFont(const Font &font)
{
    QFont qfont(QString::fromStdString(displayText(font.face)));
    qfont.setPixelSize(static_cast<int>(fontPixels(font.points)));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    return qfont;
}

TextMeasure qtTextMeasure()
{
    // One text's characters share a font, so the metrics of the last font are kept.
    struct Cache
    {
        std::optional<Font> font;
        std::optional<QFontMetricsF> metrics;
    };
    auto cache = std::make_shared<Cache>();
    return [cache](const Font &font, char32_t character) {
        if (!cache->font || !(*cache->font == font)) {
            cache->font = font;
            cache->metrics.emplace(toQFont(font));
        }
        const QString text = QString::fromUcs4(&character, 1);
        return std::max(0, qRound(cache->metrics->horizontalAdvance(text)));
    };
}

SystemColorTable systemColorsFromPalette(const QPalette &palette)
{
    SystemColorTable table = classicSystemColors();
    const auto set = [&table](int index, const QColor &color) {
        table[static_cast<std::size_t>(index)] =
            Rgb {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                 static_cast<std::uint8_t>(color.blue())};
    };
    const auto active = [&palette](QPalette::ColorRole role) {
        return palette.color(QPalette::Active, role);
    };
    set(0, active(QPalette::Button));
    set(2, active(QPalette::Highlight));
    set(4, active(QPalette::Window));
    set(5, active(QPalette::Base));
    set(6, active(QPalette::Shadow));
    set(7, active(QPalette::WindowText));
    set(8, active(QPalette::Text));
    set(9, active(QPalette::HighlightedText));
    set(10, active(QPalette::Window));
    set(11, active(QPalette::Window));
    set(12, active(QPalette::Dark));
    set(13, active(QPalette::Highlight));
    set(14, active(QPalette::HighlightedText));
    set(15, active(QPalette::Button));
    set(16, active(QPalette::Dark));
    set(17, palette.color(QPalette::Disabled, QPalette::Text));
    set(18, active(QPalette::ButtonText));
    set(20, active(QPalette::Light));
    set(21, active(QPalette::Shadow));
    set(22, active(QPalette::Midlight));
    set(23, active(QPalette::ToolTipText));
    set(24, active(QPalette::ToolTipBase));
    set(26, active(QPalette::Link));
    set(29, active(QPalette::Highlight));
    set(30, active(QPalette::Window));
    return table;
}

QImage renderToImage(const Picture &picture, const SystemColorTable &colors)
{
    // A size from a data file can be anything; a bitmap past this side would take gigabytes.
    if (picture.isEmpty() || picture.width() > maxImageSide || picture.height() > maxImageSide)
        return {};
    QImage image(picture.width(), picture.height(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.setDotsPerMeterX(3780); // 96 dpi
    image.setDotsPerMeterY(3780);
    if (!startsWithOpaqueBackground(picture))
        image.fill(Qt::transparent);
    QPainter painter(&image);
    PicturePlayer(colors).play(picture, painter, QRectF(0, 0, picture.width(), picture.height()));
    return image;
}

Status writePng(const Picture &picture, const SystemColorTable &colors, const std::string &path)
{
    if (picture.isEmpty())
        return Error {"An empty diagram cannot be saved as PNG"};
    const QImage image = renderToImage(picture, colors);
    if (image.isNull())
        return Error {"The diagram of " + std::to_string(picture.width()) + " x "
                      + std::to_string(picture.height())
                      + " pixels is too large for an image (at most " + std::to_string(maxImageSide)
                      + " x " + std::to_string(maxImageSide) + ")"};
    QImageWriter writer(QString::fromStdString(path), "png");
    if (!writer.write(image))
        return Error {"Cannot write \"" + path + "\": " + writer.errorString().toStdString()};
    return success();
}

Status writePdf(const Picture &picture, const SystemColorTable &colors, const std::string &path)
{
    if (picture.isEmpty())
        return Error {"An empty diagram cannot be saved as PDF"};
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return Error {"Cannot write \"" + path + "\": " + file.errorString().toStdString()};
    {
        QPdfWriter writer(&file);
        writer.setResolution(96);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setPageSize(QPageSize(QSizeF(picture.width(), picture.height()) * 72.0 / 96.0,
                                     QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setCreator(programCaptionText());
        QPainter painter;
        if (!painter.begin(&writer))
            return Error {"Cannot write \"" + path + "\""};
        const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
        PicturePlayer(colors).play(picture, painter, QRectF(page));
        painter.end();
    }
    if (file.error() != QFileDevice::NoError)
        return Error {"Cannot write \"" + path + "\": " + file.errorString().toStdString()};
    return success();
}

} // namespace quorel
