#include "gui/data/gridcelldelegate.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace quorel {

namespace {
constexpr int textTopMargin = 2;
constexpr int textSideMargin = 2;
const QString listSeparator = QStringLiteral("; ");
const QString ellipsis = QStringLiteral("\u2026");
} // namespace

QString elidedList(const QString &list, const QFontMetrics &metrics, int width)
{
    // No character is narrower than a pixel, so only the first `width` characters can show: a
    // list of thousands of measurements is never measured whole.
    const QString start = list.left(std::max(width, 0));
    if (start.size() == list.size() && metrics.horizontalAdvance(list) <= width)
        return list;
    QString fitting = metrics.elidedText(start, Qt::ElideRight, width);
    if (fitting.endsWith(ellipsis))
        fitting.chop(ellipsis.size());
    // Back to the last separator that fits, so every shown item is whole.
    qsizetype cut = fitting.lastIndexOf(listSeparator);
    while (cut > 0) {
        QString shown = list.left(cut) + listSeparator + ellipsis;
        if (metrics.horizontalAdvance(shown) <= width)
            return shown;
        cut = list.lastIndexOf(listSeparator, cut - 1);
    }
    return ellipsis;
}

GridCellDelegate::GridCellDelegate(int fixedColumns, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_fixedColumns(fixedColumns)
{ }

void GridCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    painter->save();
    const QPalette &palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    const bool fixed = index.column() < m_fixedColumns;
    if (fixed)
        painter->fillRect(option.rect, palette.button());
    else if (selected)
        painter->fillRect(option.rect, palette.highlight());
    else
        painter->fillRect(option.rect, palette.base());

    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        const QVariant font = index.data(Qt::FontRole);
        painter->setFont(font.isValid() ? font.value<QFont>() : option.font);
        const QVariant color = index.data(Qt::ForegroundRole);
        QColor pen = color.isValid() ? color.value<QColor>() : palette.color(QPalette::Text);
        if (selected && !fixed && !color.isValid())
            pen = palette.color(QPalette::HighlightedText);
        painter->setPen(pen);
        const QVariant alignment = index.data(Qt::TextAlignmentRole);
        const Qt::Alignment horizontal = alignment.isValid()
            ? (Qt::Alignment(alignment.toInt()) & Qt::AlignHorizontal_Mask)
            : Qt::AlignLeft;
        const QRect area = option.rect.adjusted(textSideMargin, textTopMargin, -textSideMargin, 0);
        const QString shown = index.column() == m_listColumn
            ? elidedList(text, painter->fontMetrics(), area.width())
            : text;
        painter->drawText(area, int(horizontal | Qt::AlignTop | Qt::TextSingleLine), shown);
    }
    painter->restore();
}

int GridCellDelegate::columnWidthFor(int textWidth)
{
    return textWidth + 2 * textSideMargin + 1;
}

} // namespace quorel
