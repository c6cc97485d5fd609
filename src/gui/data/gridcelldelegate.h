#pragma once

#include <QStyledItemDelegate>

namespace quorel {

// Draws the cells of the two data tables the way the program's grids look: fixed columns on the
// button face, a selected row on the highlight colour, and the model's text in the model's own
// font, colour and horizontal alignment, 2 pixels below the top of the cell.
class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit GridCellDelegate(int fixedColumns, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    // The narrowest column that shows `textWidth` pixels of text whole: the text's margins and
    // the grid line included.
    static int columnWidthFor(int textWidth);

private:
    int m_fixedColumns;
};

} // namespace quorel
