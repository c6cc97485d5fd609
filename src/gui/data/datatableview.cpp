#include "gui/data/datatableview.h"

#include "gui/data/datatableaccessible.h"
#include "gui/data/gridcelldelegate.h"
#include "gui/data/tablestyle.h"

#include <QAccessible>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <limits>

namespace quorel {

namespace {

// Places far outside the viewport are clamped to this distance, so pixel sums never overflow
// however many rows lie between a row and the top of the view.
constexpr qint64 farAway = qint64(1) << 24;

int clampedToInt(qint64 value, qint64 limit)
{
    return int(qBound(-limit, value, limit));
}

// Rounds towards minus infinity: the pixel row -1 belongs to the row above the top one.
qint64 floorDivide(qint64 value, qint64 divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

} // namespace

DataTableView::DataTableView(QWidget *parent)
    : QAbstractItemView(parent)
    , m_header(new QHeaderView(Qt::Horizontal, this))
{
    // Item views other than the stock table and list are shown to screen readers as a plain
    // scroll area; this gives them our rows and cells.
    DataTableAccessible::installFactory();
    setItemDelegate(new GridCellDelegate(1, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);

    m_header->setMinimumSectionSize(8);
    m_header->setFixedHeight(tablestyle::rowHeight + 2);
    m_header->setSectionsClickable(true);
    m_header->setHighlightSections(false);
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    m_header->setStretchLastSection(false);
    connect(m_header, &QHeaderView::sectionResized, this, [this] {
        updateGeometries();
        viewport()->update();
    });
    connect(m_header, &QHeaderView::sectionHandleDoubleClicked, this, [this](int column) {
        m_header->resizeSection(column,
                                qMax(sizeHintForColumn(column), m_header->sectionSizeHint(column)));
    });
    connect(m_header, &QHeaderView::sectionCountChanged, this, &DataTableView::updateGeometries);
    connect(m_header, &QHeaderView::geometriesChanged, this, &DataTableView::updateGeometries);
}

DataTableView::~DataTableView()
{
    // The header reports its geometry while the base widget hides it, after this part is gone.
    m_header->disconnect(this);
}

void DataTableView::setModel(QAbstractItemModel *model)
{
    if (model == this->model())
        return;
    for (const QMetaObject::Connection &connection : std::as_const(m_modelConnections))
        disconnect(connection);
    m_modelConnections.clear();
    ++m_layoutGeneration;
    m_header->setModel(model);
    QAbstractItemView::setModel(model);
    if (model) {
        // The scroll bars follow the row count at once, not at the next layout pass, so a table
        // that was just filled can be scrolled to its end straight away.
        const auto follow = [this] {
            ++m_layoutGeneration;
            updateScrollBars();
        };
        const auto moved = [this] {
            ++m_layoutGeneration;
        };
        m_modelConnections = {
            connect(model, &QAbstractItemModel::modelReset, this, follow),
            connect(model, &QAbstractItemModel::layoutChanged, this, follow),
            connect(model, &QAbstractItemModel::rowsInserted, this, follow),
            connect(model, &QAbstractItemModel::rowsRemoved, this, follow),
            connect(model, &QAbstractItemModel::rowsMoved, this, moved),
            connect(model, &QAbstractItemModel::columnsInserted, this, moved),
            connect(model, &QAbstractItemModel::columnsRemoved, this, moved),
            connect(model, &QAbstractItemModel::columnsMoved, this, moved),
        };
    }
    updateGeometries();
}

void DataTableView::setModelWithWidths(QAbstractItemModel *model, const QList<int> &widths)
{
    setModel(model);
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths.at(column));
}

void DataTableView::setListColumn(int column)
{
    if (auto *cells = qobject_cast<GridCellDelegate *>(itemDelegate()))
        cells->setListColumn(column);
    viewport()->update();
}

int DataTableView::rowHeight() const
{
    return tablestyle::rowHeight;
}

int DataTableView::columnWidth(int column) const
{
    return m_header->sectionSize(column);
}

void DataTableView::setColumnWidth(int column, int width)
{
    m_header->resizeSection(column, width);
}

int DataTableView::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int DataTableView::columnCount() const
{
    return model() ? model()->columnCount(rootIndex()) : 0;
}

int DataTableView::topRow() const
{
    return verticalScrollBar()->value();
}

int DataTableView::pageRows() const
{
    return qMax(1, viewport()->height() / rowHeight());
}

int DataTableView::rowAt(int y) const
{
    const qint64 row = topRow() + floorDivide(y, rowHeight());
    return row >= 0 && row < rowCount() ? int(row) : -1;
}

int DataTableView::columnAt(int x) const
{
    return m_header->logicalIndexAt(x);
}

int DataTableView::sizeHintForColumn(int column) const
{
    if (column < 0 || column >= columnCount())
        return -1;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int first = topRow();
    const int last = int(qMin<qint64>(qint64(rowCount()) - 1, qint64(first) + pageRows()));
    int hint = 0;
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, column, rootIndex());
        hint = qMax(hint, itemDelegateForIndex(index)->sizeHint(option, index).width());
    }
    return hint + 1; // the grid line
}

int DataTableView::sizeHintForRow(int row) const
{
    return row >= 0 && row < rowCount() ? rowHeight() : -1;
}

QRect DataTableView::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex())
        return {};
    const int height = rowHeight();
    const int y = clampedToInt((qint64(index.row()) - topRow()) * height, farAway);
    // The last pixel column and row of a cell belong to the grid lines.
    return QRect(m_header->sectionViewportPosition(index.column()), y,
                 m_header->sectionSize(index.column()) - 1, height - 1);
}

QModelIndex DataTableView::indexAt(const QPoint &point) const
{
    const int row = rowAt(point.y());
    const int column = columnAt(point.x());
    if (row < 0 || column < 0)
        return {};
    return model()->index(row, column, rootIndex());
}

void DataTableView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != model())
        return;
    const int row = index.row();
    const int top = topRow();
    const int page = pageRows();
    int newTop = top;
    switch (hint) {
    case EnsureVisible:
        if (row < top)
            newTop = row;
        else if (qint64(row) - top >= page)
            newTop = row - page + 1;
        break;
    case PositionAtTop:
        newTop = row;
        break;
    case PositionAtBottom:
        newTop = row - page + 1;
        break;
    case PositionAtCenter:
        newTop = row - (page - 1) / 2;
        break;
    }
    verticalScrollBar()->setValue(newTop);

    // The cell's column comes into view whole, or from its left edge when it is wider than the
    // viewport.
    const int left = m_header->sectionPosition(index.column());
    const int width = m_header->sectionSize(index.column());
    const int viewportWidth = viewport()->width();
    int offset = horizontalScrollBar()->value();
    if (left < offset || width > viewportWidth)
        offset = left;
    else if (left + width > offset + viewportWidth)
        offset = left + width - viewportWidth;
    horizontalScrollBar()->setValue(offset);
}

void DataTableView::keyboardSearch(const QString &) { }

QModelIndex DataTableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const int rows = rowCount();
    const int columns = columnCount();
    if (rows == 0 || columns == 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return model()->index(0, 0, rootIndex());
    int row = current.row();
    int column = current.column();
    const bool control = modifiers & Qt::ControlModifier;
    switch (cursorAction) {
    case MoveUp:
        row = qMax(row - 1, 0);
        break;
    case MoveDown:
        row = qMin(row, rows - 2) + 1;
        break;
    case MovePageUp:
        row = qMax(row - pageRows(), 0);
        break;
    case MovePageDown:
        row = int(qMin(qint64(row) + pageRows(), qint64(rows) - 1));
        break;
    case MoveHome:
        column = 0;
        if (control)
            row = 0;
        break;
    case MoveEnd:
        column = columns - 1;
        if (control)
            row = rows - 1;
        break;
    case MoveLeft:
        column = qMax(column - 1, 0);
        break;
    case MoveRight:
        column = qMin(column + 1, columns - 1);
        break;
    case MovePrevious:
        // Tab and Backtab walk the cells row by row and wrap around the table's ends.
        if (--column < 0) {
            column = columns - 1;
            row = row > 0 ? row - 1 : rows - 1;
        }
        break;
    case MoveNext:
        if (++column >= columns) {
            column = 0;
            row = row < rows - 1 ? row + 1 : 0;
        }
        break;
    }
    return model()->index(row, column, rootIndex());
}

int DataTableView::horizontalOffset() const
{
    return m_header->offset();
}

int DataTableView::verticalOffset() const
{
    return clampedToInt(qint64(topRow()) * rowHeight(), std::numeric_limits<int>::max());
}

bool DataTableView::isIndexHidden(const QModelIndex &) const
{
    return false;
}

void DataTableView::setRowHighlight(std::function<bool(int row)> highlight)
{
    m_highlight = std::move(highlight);
    viewport()->update();
}

void DataTableView::selectAll()
{
    emit selectionReplaced();
    QAbstractItemView::selectAll();
}

QItemSelectionModel::SelectionFlags DataTableView::selectionCommand(const QModelIndex &index,
                                                                    const QEvent *event) const
{
    const QItemSelectionModel::SelectionFlags command =
        QAbstractItemView::selectionCommand(index, event);
    // Asked for by the user's clicks and keys only; the answer is what replaces the selection.
    if (command & QItemSelectionModel::Clear)
        emit const_cast<DataTableView *>(this)->selectionReplaced();
    return command;
}

void DataTableView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect area = rect.normalized();
    const QModelIndex topLeft = indexAt(area.topLeft());
    const QModelIndex bottomRight = indexAt(area.bottomRight());
    if (!selectionModel() || !topLeft.isValid() || !bottomRight.isValid())
        return;
    selectionModel()->select(QItemSelection(topLeft, bottomRight), command);
}

QRegion DataTableView::visualRegionForSelection(const QItemSelection &selection) const
{
    // Only the rows in view matter: a selection far away changes no pixel.
    const int height = rowHeight();
    const qint64 top = topRow();
    const qint64 bottom = top + viewport()->height() / height;
    QRegion region;
    for (const QItemSelectionRange &range : selection) {
        if (!range.isValid() || range.model() != model() || range.parent() != rootIndex())
            continue;
        const qint64 first = qMax<qint64>(range.top(), top);
        const qint64 last = qMin<qint64>(range.bottom(), bottom);
        if (first > last)
            continue;
        const int left = m_header->sectionViewportPosition(range.left());
        const int right =
            m_header->sectionViewportPosition(range.right()) + m_header->sectionSize(range.right());
        region +=
            QRect(left, int(first - top) * height, right - left, int(last - first + 1) * height);
    }
    return region;
}

void DataTableView::initViewItemOption(QStyleOptionViewItem *option) const
{
    QAbstractItemView::initViewItemOption(option);
    option->showDecorationSelected = true;
}

void DataTableView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const int rows = rowCount();
    const int columns = m_header->count();
    QAbstractItemDelegate *delegate = itemDelegate();
    if (rows == 0 || columns == 0 || !delegate)
        return;

    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor gridColor =
        QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    const int height = rowHeight();
    const int top = topRow();
    // Rows at least partly in view; only these are asked for their data.
    const int rowsInView = int(qMin<qint64>(qint64(rows) - top, viewport()->height() / height + 1));
    if (rowsInView <= 0)
        return;
    const int contentBottom = rowsInView * height - 1;
    const int contentRight = m_header->length() - m_header->offset() - 1;
    const QModelIndex current = currentIndex();
    const bool focused = hasFocus() || viewport()->hasFocus();

    for (QRect area : event->region()) {
        area.setBottom(qMin(area.bottom(), contentBottom));
        area.setRight(qMin(area.right(), contentRight));
        if (!area.isValid())
            continue;
        const int firstRow = top + qMax(area.top(), 0) / height;
        const int lastRow = top + area.bottom() / height;
        int firstColumn = m_header->visualIndexAt(area.left());
        int lastColumn = m_header->visualIndexAt(area.right());
        if (firstColumn < 0)
            firstColumn = 0;
        if (lastColumn < 0)
            lastColumn = columns - 1;

        for (int row = firstRow; row <= lastRow; ++row) {
            const int y = (row - top) * height;
            for (int visual = firstColumn; visual <= lastColumn; ++visual) {
                const int column = m_header->logicalIndex(visual);
                if (m_header->isSectionHidden(column))
                    continue;
                const QModelIndex index = model()->index(row, column, rootIndex());
                if (!index.isValid())
                    continue;
                QStyleOptionViewItem cell = option;
                cell.rect = QRect(m_header->sectionViewportPosition(column), y,
                                  m_header->sectionSize(column) - 1, height - 1);
                if ((selectionModel() && selectionModel()->isSelected(index))
                    || (m_highlight && m_highlight(row)))
                    cell.state |= QStyle::State_Selected;
                if (option.state & QStyle::State_Enabled) {
                    const bool enabled = model()->flags(index) & Qt::ItemIsEnabled;
                    if (!enabled)
                        cell.state &= ~QStyle::State_Enabled;
                    cell.palette.setCurrentColorGroup(enabled ? QPalette::Normal
                                                              : QPalette::Disabled);
                }
                if (focused && index == current)
                    cell.state |= QStyle::State_HasFocus;
                itemDelegateForIndex(index)->paint(&painter, cell, index);
            }
        }

        // The grid: a line under every row and right of every column, on the cells' last pixels.
        painter.setPen(QPen(gridColor, 0));
        for (int row = firstRow; row <= lastRow; ++row) {
            const int y = (row - top + 1) * height - 1;
            painter.drawLine(area.left(), y, area.right(), y);
        }
        for (int visual = firstColumn; visual <= lastColumn; ++visual) {
            const int column = m_header->logicalIndex(visual);
            if (m_header->isSectionHidden(column))
                continue;
            const int x =
                m_header->sectionViewportPosition(column) + m_header->sectionSize(column) - 1;
            painter.drawLine(x, area.top(), x, area.bottom());
        }
    }
}

void DataTableView::scrollContentsBy(int dx, int dy)
{
    if (dx)
        m_header->setOffset(horizontalScrollBar()->value());
    // A jump of more than a screen repaints everything anyway; the clamp keeps the pixel
    // distance of a jump across millions of rows inside an int.
    const qint64 limit = viewport()->height() + rowHeight();
    QAbstractItemView::scrollContentsBy(dx, clampedToInt(qint64(dy) * rowHeight(), limit));
}

void DataTableView::updateGeometries()
{
    // Setting the margins resizes the viewport, which comes back here.
    if (m_inGeometries)
        return;
    m_inGeometries = true;
    const int headerHeight = m_header->isHidden() ? 0 : m_header->height();
    setViewportMargins(0, headerHeight, 0, 0);
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - headerHeight, area.width(), headerHeight);
    updateScrollBars();
    m_inGeometries = false;
    QAbstractItemView::updateGeometries();
}

void DataTableView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // A screen reader follows the keyboard through the cells; a current cell set while the focus
    // is elsewhere (a file being read behind a dialog) must not pull the reader away.
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        const int child =
            DataTableAccessible::childIndexOf(current.row(), current.column(), columnCount());
        if (child >= 0) {
            QAccessibleEvent event(this, QAccessible::Focus);
            event.setChild(child);
            QAccessible::updateAccessibility(&event);
        }
    }
    QAbstractItemView::currentChanged(current, previous);
}

void DataTableView::selectionChanged(const QItemSelection &selected,
                                     const QItemSelection &deselected)
{
    if (QAccessible::isActive()) {
        // One event for the first cell of each change, as item views tell it: the selection is a
        // row, never a list to walk.
        const auto tell = [this](const QItemSelection &selection, QAccessible::Event type) {
            if (selection.isEmpty())
                return;
            const QModelIndex first = selection.first().topLeft();
            const int child =
                DataTableAccessible::childIndexOf(first.row(), first.column(), columnCount());
            if (child < 0)
                return;
            QAccessibleEvent event(this, type);
            event.setChild(child);
            QAccessible::updateAccessibility(&event);
        };
        tell(selected, QAccessible::SelectionAdd);
        tell(deselected, QAccessible::SelectionRemove);
    }
    QAbstractItemView::selectionChanged(selected, deselected);
}

void DataTableView::updateScrollBars()
{
    const int page = pageRows();
    QScrollBar *vertical = verticalScrollBar();
    vertical->setSingleStep(1);
    vertical->setPageStep(page);
    vertical->setRange(0, qMax(0, rowCount() - page));

    const int width = viewport()->width();
    QScrollBar *horizontal = horizontalScrollBar();
    horizontal->setSingleStep(rowHeight());
    horizontal->setPageStep(qMax(1, width));
    horizontal->setRange(0, qMax(0, m_header->length() - width));
    m_header->setOffset(horizontal->value());
}

} // namespace quorel
