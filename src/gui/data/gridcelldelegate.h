#pragma once

#include <QStyledItemDelegate>

class QFontMetrics;

namespace quorel {

// Draws the cells of the two data tables the way the program's grids look: fixed columns on the
// button face, a selected row on the highlight colour, and the model's text in the model's own
// font, colour and horizontal alignment, 2 pixels below the top of the cell. A list that does
// not fit its cell ends with "…" after its last whole item.
class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit GridCellDelegate(int fixedColumns, QObject *parent = nullptr);

    // The cells of `column` hold lists whose items are separated by "; " (-1: none does).
    void setListColumn(int column) { m_listColumn = column; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    // The narrowest column that shows `textWidth` pixels of text whole: the text's margins and
    // the grid line included.
    static int columnWidthFor(int textWidth);

private:
    int m_fixedColumns;
    int m_listColumn = -1;
};

// `list` (items separated by "; ") as it fits in `width` pixels: whole, or its first whole items
// followed by "; …" (only "…" when not even the first item fits).
[[nodiscard]] QString elidedList(const QString &list, const QFontMetrics &metrics, int width);

} // namespace quorel
