#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace quorel {

class DataTableView;

// What a screen reader (or any tool that reads the window through the accessibility tree) sees of
// a DataTableView: a table whose rows and columns are the model's, with one header cell per column
// and one cell per row and column.
//
// Children are numbered the way item views number them: the column titles first, then the cells
// row by row. A child's interface is made only when something asks for it and is kept by its number
// until the rows move (a reset, rows or columns inserted or removed, a new layout or model), so a
// table of ten million measurements costs nothing more than one of ten until a reader walks it.
class DataTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit DataTableAccessible(DataTableView *view);
    ~DataTableAccessible() override;

    // Makes every DataTableView answer with this interface; the first view made calls it.
    static void installFactory();
    // The child number of the cell at `row` and `column` in a table of `columns` columns, or -1
    // where it has none (it lies beyond the numbers an int can hold).
    static int childIndexOf(int row, int column, int columns);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override;
    QAccessibleInterface *summary() const override;
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

private:
    DataTableView *view() const;
    // Forgets the children made so far when the rows have moved since they were made.
    void dropStaleChildren() const;
    void dropChildren() const;

    // Child number -> the registered interface made for it.
    mutable QHash<int, QAccessible::Id> m_children;
    // The view's layout generation the children were made in.
    mutable quint64 m_generation = 0;
};

} // namespace quorel
