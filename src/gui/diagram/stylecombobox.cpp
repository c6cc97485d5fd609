#include "gui/diagram/stylecombobox.h"

#include "core/diagram/picture.h"
#include "gui/diagram/pictureplayer.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace quorel {

namespace {

constexpr int itemHeight = 16;

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
    // The sample is a tiny picture of its own, drawn by the diagram's player, so the lists show
    // exactly the dashes and hatches the diagram gets.
    Picture sample(rect.width(), rect.height());
    sample.selectPen({m_style.backgroundColor, PenPattern::Solid, 0});
    sample.selectBrush({Brush::Kind::Solid, m_style.backgroundColor, BrushPattern::Solid});
    sample.rectangle(0, 0, rect.width(), rect.height());
    if (index >= 0 && m_kind == Kind::Fill) {
        const BrushPattern pattern = brushStyleFromIndex(index);
        const Brush::Kind kind =
            pattern == BrushPattern::Solid ? Brush::Kind::Solid : Brush::Kind::Hatched;
        sample.selectPen({clBlack, PenPattern::Solid, 0});
        sample.selectBrush({kind, m_style.fillColor, pattern});
        sample.rectangle(0, 0, rect.width(), rect.height());
    } else if (index >= 0) {
        const Color color =
            m_kind == Kind::MainLines ? m_style.mainLineColor : m_style.secondaryLineColor;
        sample.selectPen({color, penStyleFromIndex(index), 0});
        sample.line(0, itemHeight / 2, rect.width(), itemHeight / 2);
    }
    PicturePlayer(m_colors).play(sample, painter, QRectF(rect));
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
