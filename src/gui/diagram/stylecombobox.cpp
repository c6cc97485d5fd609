#include "gui/diagram/stylecombobox.h"

#include "gui/diagram/colorswatch.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace quorel {

namespace {

constexpr int itemHeight = 16;

Qt::PenStyle qtPenStyle(PenPattern pattern)
{
    switch (pattern) {
    case PenPattern::Dash:
        return Qt::DashLine;
    case PenPattern::Dot:
        return Qt::DotLine;
    case PenPattern::DashDot:
        return Qt::DashDotLine;
    case PenPattern::DashDotDot:
        return Qt::DashDotDotLine;
    case PenPattern::Solid:
        break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle qtBrushStyle(BrushPattern pattern)
{
    switch (pattern) {
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

// Rows of the open list are samples too, with no highlight for the row under the pointer.
class SampleDelegate : public QStyledItemDelegate
{
public:
    explicit SampleDelegate(StyleComboBox *box)
        : QStyledItemDelegate(box)
        , m_box(box)
    { }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        m_box->paintSample(*painter, option.rect, index.row());
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        return {option.rect.width(), itemHeight};
    }

private:
    StyleComboBox *m_box;
};

} // namespace

StyleComboBox::StyleComboBox(Kind kind, const DiagramStyle &style, const SystemColorTable &colors,
                             QWidget *parent)
    : QComboBox(parent)
    , m_kind(kind)
    , m_style(style)
    , m_colors(colors)
{
    const bool fill = kind == Kind::Fill;
    const int count = fill ? fillStyleCount : lineStyleCount;
    for (int i = 0; i < count; ++i) {
        const std::string_view text = fill ? fillStyleText(i) : lineStyleText(i);
        addItem(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
    setItemDelegate(new SampleDelegate(this));
    setEditable(false);
    setMinimumWidth(90);
}

void StyleComboBox::paintSample(QPainter &painter, const QRect &rect, int index) const
{
    painter.save();
    painter.fillRect(rect, toQColor(m_style.bgColor, m_colors));
    if (index >= 0) {
        if (m_kind == Kind::Fill) {
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(QBrush(toQColor(m_style.fillColor, m_colors),
                                    qtBrushStyle(GetBrushStyleFromInt(index))));
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        } else {
            const Color color =
                m_kind == Kind::MainLines ? m_style.mLinesColor : m_style.sLinesColor;
            painter.setPen(
                QPen(toQColor(color, m_colors), 0, qtPenStyle(GetPenStyleFromInt(index))));
            const int y = rect.top() + itemHeight / 2;
            painter.drawLine(rect.left(), y, rect.right(), y);
        }
    }
    painter.restore();
}

void StyleComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    paintSample(painter, field, currentIndex());
}

} // namespace quorel
