#pragma once

#include <QAbstractItemView>

#include <functional>

class QHeaderView;

namespace quorel {

// A table shaped like the program's grids: rows of 16 pixels, whole-row selection, a header row,
// the first column drawn as a fixed column, column widths the user can drag.
//
// Every row has the same height, so the view keeps nothing per row: a row's place is its number
// times the row height, and ten million measurements cost the view no more memory than ten. Only
// the columns have a header (a horizontal QHeaderView, for their titles and widths; a double click
// on a border fits the column to the rows in view). It scrolls a whole row at a time vertically
// and pixel by pixel horizontally.
class DataTableView : public QAbstractItemView
{
    Q_OBJECT

public:
    explicit DataTableView(QWidget *parent = nullptr);
    ~DataTableView() override;

    void setModel(QAbstractItemModel *model) override;
    // Sets the model and the starting width of each column.
    void setModelWithWidths(QAbstractItemModel *model, const QList<int> &widths);

    // The cells of `column` hold lists separated by "; "; one that does not fit ends with "…"
    // after its last whole item.
    void setListColumn(int column);

    // Rows for which `highlight` is true are drawn as selected besides those the selection
    // model holds (whole groups of rows that are not held row by row).
    void setRowHighlight(std::function<bool(int row)> highlight);
    void selectAll() override;

    QHeaderView *horizontalHeader() const { return m_header; }
    int rowHeight() const;
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);
    // The row under a y position of the viewport, or -1 where there is none.
    int rowAt(int y) const;
    // The column under an x position of the viewport, or -1 where there is none.
    int columnAt(int x) const;
    // The row shown at the top of the viewport.
    int topRow() const;

    // Widths and heights measured on the rows in view only: a table of millions of rows cannot be
    // read through for a width.
    int sizeHintForColumn(int column) const override;
    int sizeHintForRow(int row) const override;

    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;
    // Typing in the table does nothing: a search by the first letters would read through every
    // row on each key, and the grids never had one.
    void keyboardSearch(const QString &search) override;

    // Counts the changes that move rows or columns (a reset, rows or columns inserted, removed or
    // moved, a new layout, a new model); the accessible table forgets the cells it made for a
    // screen reader when it changes.
    quint64 layoutGeneration() const { return m_layoutGeneration; }

signals:
    // The user starts a selection that replaces the one before (a plain click, select all).
    void selectionReplaced();

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &index) const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    void initViewItemOption(QStyleOptionViewItem *option) const override;
    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;

private:
    int rowCount() const;
    int columnCount() const;
    // Rows that fit whole in the viewport, at least one.
    int pageRows() const;
    void updateScrollBars();

    QHeaderView *m_header;
    QList<QMetaObject::Connection> m_modelConnections;
    bool m_inGeometries = false;
    quint64 m_layoutGeneration = 0;
    std::function<bool(int row)> m_highlight;
};

} // namespace quorel
