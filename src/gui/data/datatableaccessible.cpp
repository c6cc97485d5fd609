#include "gui/data/datatableaccessible.h"

#include "gui/data/datatableview.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <limits>
#include <utility>

namespace quorel {

namespace {

// A screen reader asking for the selected cells gets at most this many: the grids select one row,
// and a list of interfaces for millions of selected cells would cost the window what the view
// itself never costs.
constexpr int maxSelectedCells = 10000;

QItemSelection rootSelection(const DataTableView *view)
{
    QItemSelection ranges;
    if (!view->selectionModel())
        return ranges;
    for (const QItemSelectionRange &range : view->selectionModel()->selection()) {
        if (range.isValid() && range.model() == view->model()
            && range.parent() == view->rootIndex())
            ranges.append(range);
    }
    return ranges;
}

QRect toGlobal(const QWidget *widget, const QRect &rect)
{
    return rect.translated(widget->mapToGlobal(QPoint(0, 0)));
}

// What the table's cells and column titles have in common: children of the table, without
// children of their own.
class DataTableLeaf : public QAccessibleInterface
{
public:
    explicit DataTableLeaf(DataTableView *view)
        : m_view(view)
    { }

    DataTableView *view() const { return m_view; }

    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_view ? QAccessible::queryAccessibleInterface(m_view) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

protected:
    QPointer<DataTableView> m_view;
};

// Text, place and state of one cell, read from the model and the view each time they are asked
// for: a cell keeps nothing but its row and column.
class DataTableCell : public DataTableLeaf, public QAccessibleTableCellInterface
{
public:
    DataTableCell(DataTableView *view, int row, int column)
        : DataTableLeaf(view)
        , m_row(row)
        , m_column(column)
    { }

    QModelIndex index() const
    {
        if (!m_view || !m_view->model())
            return {};
        return m_view->model()->index(m_row, m_column, m_view->rootIndex());
    }

    bool isValid() const override { return index().isValid(); }

    QString text(QAccessible::Text t) const override
    {
        const QModelIndex cell = index();
        if (!cell.isValid())
            return {};
        switch (t) {
        case QAccessible::Name:
            return cell.data(Qt::DisplayRole).toString();
        case QAccessible::Description:
            return cell.data(Qt::ToolTipRole).toString();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString &) override { }

    QRect rect() const override
    {
        const QModelIndex cell = index();
        if (!cell.isValid())
            return {};
        return toGlobal(m_view->viewport(), m_view->visualRect(cell));
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        const QModelIndex cell = index();
        if (!cell.isValid()) {
            state.invalid = true;
            return state;
        }
        // Rows scrolled out of the viewport are there but not shown.
        if (!m_view->isVisible()
            || !m_view->viewport()->rect().intersects(m_view->visualRect(cell))) {
            state.invisible = true;
            state.offscreen = true;
        }
        if (m_view->selectionMode() != QAbstractItemView::NoSelection
            && (cell.flags() & Qt::ItemIsSelectable)) {
            state.selectable = true;
            state.focusable = true;
        }
        state.selected = isSelected();
        // Only the cell that has the keyboard: the current cell of a view that has the focus.
        state.focused = m_view->hasFocus() && m_view->currentIndex() == cell;
        state.disabled = !(cell.flags() & Qt::ItemIsEnabled);
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override
    {
        const QModelIndex cell = index();
        return cell.isValid() && m_view->selectionModel()
            && m_view->selectionModel()->isSelected(cell);
    }
    QList<QAccessibleInterface *> columnHeaderCells() const override
    {
        QAccessibleInterface *tableInterface = table();
        QAccessibleInterface *title = tableInterface ? tableInterface->child(m_column) : nullptr;
        if (!title)
            return {};
        return {title};
    }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    int m_row;
    int m_column;
};

// A column title, from the model's horizontal header.
class DataTableHeaderCell : public DataTableLeaf
{
public:
    DataTableHeaderCell(DataTableView *view, int column)
        : DataTableLeaf(view)
        , m_column(column)
    { }

    int column() const { return m_column; }

    bool isValid() const override
    {
        return m_view && m_view->model()
            && m_column < m_view->model()->columnCount(m_view->rootIndex());
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        return m_view->model()->headerData(m_column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    void setText(QAccessible::Text, const QString &) override { }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QHeaderView *header = m_view->horizontalHeader();
        const QRect section(header->sectionViewportPosition(m_column), 0,
                            header->sectionSize(m_column), header->height());
        return toGlobal(header->viewport(), section);
    }
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const QHeaderView *header = m_view->horizontalHeader();
        const QRect section(header->sectionViewportPosition(m_column), 0,
                            header->sectionSize(m_column), header->height());
        if (!header->isVisible() || header->isSectionHidden(m_column)
            || !header->viewport()->rect().intersects(section)) {
            state.invisible = true;
            state.offscreen = true;
        }
        return state;
    }

private:
    int m_column;
};

QAccessibleInterface *makeTableInterface(const QString &className, QObject *object)
{
    if (className != QLatin1String(DataTableView::staticMetaObject.className()))
        return nullptr;
    auto *view = qobject_cast<DataTableView *>(object);
    return view ? new DataTableAccessible(view) : nullptr;
}

} // namespace

DataTableAccessible::DataTableAccessible(DataTableView *view)
    : QAccessibleWidget(view, QAccessible::Table)
    , m_generation(view->layoutGeneration())
{ }

DataTableAccessible::~DataTableAccessible()
{
    dropChildren();
}

void DataTableAccessible::installFactory()
{
    // Installed once: a second entry would only be asked in vain for every other widget.
    static const bool installed = [] {
        QAccessible::installFactory(makeTableInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

int DataTableAccessible::childIndexOf(int row, int column, int columns)
{
    if (row < -1 || column < 0 || column >= columns)
        return -1;
    const qint64 index = (qint64(row) + 1) * columns + column;
    return index <= std::numeric_limits<int>::max() ? int(index) : -1;
}

DataTableView *DataTableAccessible::view() const
{
    return static_cast<DataTableView *>(widget());
}

void DataTableAccessible::dropStaleChildren() const
{
    const quint64 generation = view()->layoutGeneration();
    if (generation == m_generation)
        return;
    dropChildren();
    m_generation = generation;
}

void DataTableAccessible::dropChildren() const
{
    // Deleting a cell that a reader still names makes its name invalid, which the reader is told;
    // keeping it would let the name stand for a different measurement.
    const QHash<int, QAccessible::Id> children = std::exchange(m_children, {});
    for (const QAccessible::Id id : children)
        QAccessible::deleteAccessibleInterface(id);
}

void *DataTableAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface *DataTableAccessible::childAt(int x, int y) const
{
    if (!isValid())
        return nullptr;
    const DataTableView *table = view();
    const QPoint global(x, y);
    const QHeaderView *header = table->horizontalHeader();
    const QPoint inHeader = header->viewport()->mapFromGlobal(global);
    if (header->isVisible() && header->viewport()->rect().contains(inHeader)) {
        const int column = header->logicalIndexAt(inHeader.x());
        return column >= 0 ? child(column) : nullptr;
    }
    const QPoint inViewport = table->viewport()->mapFromGlobal(global);
    if (!table->viewport()->rect().contains(inViewport))
        return nullptr;
    const QModelIndex index = table->indexAt(inViewport);
    return index.isValid() ? cellAt(index.row(), index.column()) : nullptr;
}

QAccessibleInterface *DataTableAccessible::child(int index) const
{
    if (!isValid() || index < 0 || index >= childCount())
        return nullptr;
    dropStaleChildren();
    const auto known = m_children.constFind(index);
    if (known != m_children.constEnd())
        return QAccessible::accessibleInterface(known.value());

    const int columns = columnCount();
    QAccessibleInterface *made = nullptr;
    if (index < columns)
        made = new DataTableHeaderCell(view(), index);
    else
        made = new DataTableCell(view(), index / columns - 1, index % columns);
    m_children.insert(index, QAccessible::registerAccessibleInterface(made));
    return made;
}

int DataTableAccessible::childCount() const
{
    if (!isValid())
        return 0;
    const qint64 count = (qint64(rowCount()) + 1) * columnCount();
    return int(qMin<qint64>(count, std::numeric_limits<int>::max()));
}

int DataTableAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!isValid() || !child)
        return -1;
    if (const auto *cell = dynamic_cast<const DataTableCell *>(child)) {
        if (cell->view() != view() || !cell->isValid())
            return -1;
        return childIndexOf(cell->rowIndex(), cell->columnIndex(), columnCount());
    }
    if (const auto *title = dynamic_cast<const DataTableHeaderCell *>(child)) {
        if (title->view() != view() || !title->isValid())
            return -1;
        return title->column();
    }
    return -1;
}

QAccessibleInterface *DataTableAccessible::focusChild() const
{
    if (!isValid())
        return nullptr;
    const QModelIndex current = view()->currentIndex();
    if (view()->hasFocus() && current.isValid())
        return cellAt(current.row(), current.column());
    return QAccessibleWidget::focusChild();
}

QAccessibleInterface *DataTableAccessible::caption() const
{
    return nullptr;
}

QAccessibleInterface *DataTableAccessible::summary() const
{
    return nullptr;
}

QAccessibleInterface *DataTableAccessible::cellAt(int row, int column) const
{
    if (!isValid())
        return nullptr;
    dropStaleChildren();
    if (row < 0 || row >= rowCount())
        return nullptr;
    const int index = childIndexOf(row, column, columnCount());
    return index >= 0 ? child(index) : nullptr;
}

int DataTableAccessible::selectedCellCount() const
{
    if (!isValid())
        return 0;
    qint64 count = 0;
    for (const QItemSelectionRange &range : rootSelection(view()))
        count += qint64(range.height()) * range.width();
    return int(qMin<qint64>(count, std::numeric_limits<int>::max()));
}

QList<QAccessibleInterface *> DataTableAccessible::selectedCells() const
{
    QList<QAccessibleInterface *> cells;
    if (!isValid())
        return cells;
    for (const QItemSelectionRange &range : rootSelection(view())) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            for (int column = range.left(); column <= range.right(); ++column) {
                if (cells.size() >= maxSelectedCells)
                    return cells;
                if (QAccessibleInterface *cell = cellAt(row, column))
                    cells.append(cell);
            }
        }
    }
    return cells;
}

QString DataTableAccessible::columnDescription(int column) const
{
    if (!isValid() || column < 0 || column >= columnCount())
        return {};
    return view()->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

QString DataTableAccessible::rowDescription(int) const
{
    // The grids have no row titles: the first column carries the measurement's number.
    return {};
}

int DataTableAccessible::selectedColumnCount() const
{
    return int(selectedColumns().size());
}

int DataTableAccessible::selectedRowCount() const
{
    if (!isValid())
        return 0;
    qint64 count = 0;
    for (const QItemSelectionRange &range : rootSelection(view())) {
        if (range.width() == columnCount())
            count += range.height();
    }
    return int(qMin<qint64>(count, std::numeric_limits<int>::max()));
}

int DataTableAccessible::columnCount() const
{
    if (!isValid() || !view()->model())
        return 0;
    return view()->model()->columnCount(view()->rootIndex());
}

int DataTableAccessible::rowCount() const
{
    if (!isValid() || !view()->model())
        return 0;
    return view()->model()->rowCount(view()->rootIndex());
}

QList<int> DataTableAccessible::selectedColumns() const
{
    QList<int> columns;
    for (int column = 0; column < columnCount(); ++column) {
        if (isColumnSelected(column))
            columns.append(column);
    }
    return columns;
}

QList<int> DataTableAccessible::selectedRows() const
{
    QList<int> rows;
    if (!isValid())
        return rows;
    for (const QItemSelectionRange &range : rootSelection(view())) {
        if (range.width() != columnCount())
            continue;
        for (int row = range.top(); row <= range.bottom() && rows.size() < maxSelectedCells; ++row)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool DataTableAccessible::isColumnSelected(int column) const
{
    // A column is selected when every row is; counted over the selected ranges, never row by row.
    const int rows = rowCount();
    if (rows == 0 || column < 0 || column >= columnCount())
        return false;
    qint64 covered = 0;
    for (const QItemSelectionRange &range : rootSelection(view())) {
        if (range.left() <= column && column <= range.right())
            covered += range.height();
    }
    return covered >= rows;
}

bool DataTableAccessible::isRowSelected(int row) const
{
    if (!isValid() || !view()->selectionModel() || row < 0 || row >= rowCount())
        return false;
    return view()->selectionModel()->isRowSelected(row, view()->rootIndex());
}

bool DataTableAccessible::selectRow(int row)
{
    DataTableView *table = view();
    if (!isValid() || !table->selectionModel() || row < 0 || row >= rowCount()
        || table->selectionMode() == QAbstractItemView::NoSelection
        || table->selectionBehavior() == QAbstractItemView::SelectColumns)
        return false;
    const QModelIndex current = table->currentIndex();
    const QModelIndex index =
        table->model()->index(row, current.isValid() ? current.column() : 0, table->rootIndex());
    if (table->selectionMode() == QAbstractItemView::SingleSelection) {
        // The row a reader picks becomes the current row too, so the arrow keys go on from it.
        table->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        table->selectionModel()->select(index,
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    return true;
}

bool DataTableAccessible::selectColumn(int)
{
    // The grids select whole rows only.
    return false;
}

bool DataTableAccessible::unselectRow(int row)
{
    DataTableView *table = view();
    if (!isRowSelected(row))
        return false;
    // With one row selected at a time the keyboard cannot leave the table without a selected row;
    // a reader cannot either.
    if (table->selectionMode() == QAbstractItemView::SingleSelection)
        return false;
    const QModelIndex index = table->model()->index(row, 0, table->rootIndex());
    table->selectionModel()->select(index,
                                    QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    return true;
}

bool DataTableAccessible::unselectColumn(int)
{
    return false;
}

void DataTableAccessible::modelChange(QAccessibleTableModelChangeEvent *event)
{
    // Changed data is read afresh whenever it is asked for; only moved rows or columns give the
    // child numbers another meaning.
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
        dropChildren();
}

} // namespace quorel
