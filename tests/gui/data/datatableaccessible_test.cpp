#include "gui/data/datatableaccessible.h"
#include "gui/data/datatableview.h"
#include "gui/shell/mainwindow.h"

#include "windowparts.h"

#include <QAbstractTableModel>
#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QtTest>

#include <limits>

using namespace quorel;
using namespace testhelpers;

namespace {

// Rows of a number and an azimuth made from the row, and a record of the rows asked for.
class AzimuthModel : public QAbstractTableModel
{
public:
    explicit AzimuthModel(int rows)
        : m_rows(rows)
    { }

    void setRows(int rows)
    {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }
    void removeFirstRows(int count)
    {
        beginRemoveRows({}, 0, count - 1);
        m_rows -= count;
        m_first += count;
        endRemoveRows();
    }
    static QString text(int row, int column)
    {
        return column == 0 ? QStringLiteral("%1. ").arg(row + 1)
                           : QString::number((row * 7) % 360) + QStringLiteral(".0000");
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        ++asked;
        return text(index.row() + m_first, index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return {};
        return section == 0 ? QStringLiteral("No.") : QStringLiteral("Azimuth");
    }

    mutable qint64 asked = 0;

private:
    int m_rows;
    int m_first = 0;
};

struct ShownTable
{
    explicit ShownTable(int rows)
        : model(rows)
    {
        view.setModelWithWidths(&model, {40, 60});
        view.resize(160, 190);
        view.show();
    }
    bool exposed() { return QTest::qWaitForWindowExposed(&view); }
    QAccessibleInterface *accessible() { return QAccessible::queryAccessibleInterface(&view); }
    QAccessibleTableInterface *table() { return accessible()->tableInterface(); }
    QRect globalCellRect(int row, int column) const
    {
        const QRect rect = view.visualRect(model.index(row, column));
        return rect.translated(view.viewport()->mapToGlobal(QPoint(0, 0)));
    }

    AzimuthModel model;
    DataTableView view;
};

} // namespace

class DataTableAccessibleTest : public QObject
{
    Q_OBJECT

private slots:
    void tableRoleCountsAndTitles();
    void cellsOfAMillionRows_data();
    void cellsOfAMillionRows();
    void childNumbering();
    void outOfRangeAndEmptyTables();
    void cellPlaceAndState();
    void childAtPoint();
    void selectingThroughTheInterface();
    void selectingInTheView();
    void structuralChangesDropTheCells();
    void mainWindowMeasurements();
};

void DataTableAccessibleTest::tableRoleCountsAndTitles()
{
    ShownTable table(25);
    QAccessibleInterface *accessible = table.accessible();
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Table);
    QCOMPARE(accessible->object(), &table.view);
    QVERIFY(table.table());
    QCOMPARE(table.table()->rowCount(), 25);
    QCOMPARE(table.table()->columnCount(), 2);
    QCOMPARE(accessible->childCount(), (25 + 1) * 2);
    QCOMPARE(table.table()->columnDescription(0), QStringLiteral("No."));
    QCOMPARE(table.table()->columnDescription(1), QStringLiteral("Azimuth"));
    QCOMPARE(table.table()->columnDescription(2), QString());
    QCOMPARE(table.table()->rowDescription(3), QString());
    // The same interface each time: the program asks once, a reader many times.
    QCOMPARE(table.accessible(), accessible);
}

void DataTableAccessibleTest::cellsOfAMillionRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addRow("first") << 0;
    QTest::addRow("middle") << 500000;
    QTest::addRow("last") << 999999;
}

void DataTableAccessibleTest::cellsOfAMillionRows()
{
    QFETCH(int, row);
    ShownTable table(1000000);
    QVERIFY(table.exposed());
    QCOMPARE(table.table()->rowCount(), 1000000);
    table.model.asked = 0;
    for (int column = 0; column < 2; ++column) {
        QAccessibleInterface *cell = table.table()->cellAt(row, column);
        QVERIFY(cell);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name), AzimuthModel::text(row, column));
        QAccessibleTableCellInterface *place = cell->tableCellInterface();
        QVERIFY(place);
        QCOMPARE(place->rowIndex(), row);
        QCOMPARE(place->columnIndex(), column);
        QCOMPARE(place->rowExtent(), 1);
        QCOMPARE(place->table(), table.accessible());
        QCOMPARE(cell->parent(), table.accessible());
        const QList<QAccessibleInterface *> titles = place->columnHeaderCells();
        QCOMPARE(titles.size(), 1);
        QCOMPARE(titles.first()->role(), QAccessible::ColumnHeader);
        QCOMPARE(titles.first()->text(QAccessible::Name), table.table()->columnDescription(column));
        QVERIFY(place->rowHeaderCells().isEmpty());
        // Asked again: the interface made the first time.
        QCOMPARE(table.table()->cellAt(row, column), cell);
    }
    // Only the cells asked for were read, never the rows between.
    QVERIFY2(table.model.asked < 20, qPrintable(QString::number(table.model.asked)));
}

void DataTableAccessibleTest::childNumbering()
{
    ShownTable table(10);
    QAccessibleInterface *accessible = table.accessible();
    for (int index = 0; index < accessible->childCount(); ++index) {
        QAccessibleInterface *child = accessible->child(index);
        QVERIFY(child);
        QCOMPARE(accessible->indexOfChild(child), index);
        QCOMPARE(child->parent(), accessible);
        if (index < 2) {
            QCOMPARE(child->role(), QAccessible::ColumnHeader);
        } else {
            QCOMPARE(child->tableCellInterface()->rowIndex(), index / 2 - 1);
            QCOMPARE(child->tableCellInterface()->columnIndex(), index % 2);
        }
    }
    QCOMPARE(DataTableAccessible::childIndexOf(0, 0, 2), 2);
    QCOMPARE(DataTableAccessible::childIndexOf(3, 1, 2), 9);
    QCOMPARE(DataTableAccessible::childIndexOf(3, 2, 2), -1);
    QCOMPARE(DataTableAccessible::childIndexOf(std::numeric_limits<int>::max() - 1, 1, 2), -1);

    // A cell of another table is no child of this one.
    ShownTable other(10);
    QCOMPARE(accessible->indexOfChild(other.table()->cellAt(0, 0)), -1);
    QCOMPARE(accessible->indexOfChild(other.accessible()), -1);
}

void DataTableAccessibleTest::outOfRangeAndEmptyTables()
{
    ShownTable table(3);
    QAccessibleTableInterface *cells = table.table();
    QVERIFY(!cells->cellAt(-1, 0));
    QVERIFY(!cells->cellAt(3, 0));
    QVERIFY(!cells->cellAt(0, 2));
    QVERIFY(!cells->cellAt(0, -1));
    QVERIFY(!table.accessible()->child(-1));
    QVERIFY(!table.accessible()->child(table.accessible()->childCount()));

    table.model.setRows(0);
    QCOMPARE(cells->rowCount(), 0);
    QCOMPARE(table.accessible()->childCount(), 2); // the titles stay
    QVERIFY(!cells->cellAt(0, 0));
    QCOMPARE(cells->selectedRowCount(), 0);
    QVERIFY(!cells->isColumnSelected(0));
    QVERIFY(!cells->selectRow(0));

    table.view.setModel(nullptr);
    QCOMPARE(cells->rowCount(), 0);
    QCOMPARE(cells->columnCount(), 0);
    QCOMPARE(table.accessible()->childCount(), 0);
    QVERIFY(!table.accessible()->child(0));
    QVERIFY(cells->selectedCells().isEmpty());
    QCOMPARE(cells->columnDescription(0), QString());
}

void DataTableAccessibleTest::cellPlaceAndState()
{
    ShownTable table(100);
    QVERIFY(table.exposed());
    table.view.setFocus();
    QApplication::setActiveWindow(&table.view);
    QTRY_VERIFY(table.view.hasFocus());
    table.view.setCurrentIndex(table.model.index(2, 1));

    QAccessibleInterface *current = table.table()->cellAt(2, 1);
    QCOMPARE(current->rect(), table.globalCellRect(2, 1));
    QVERIFY(!current->state().invisible);
    QVERIFY(current->state().selected);
    QVERIFY(current->state().focused);
    QVERIFY(current->state().selectable);
    QVERIFY(table.table()->cellAt(2, 0)->state().selected);
    QVERIFY(!table.table()->cellAt(2, 0)->state().focused);
    QVERIFY(!table.table()->cellAt(3, 1)->state().selected);
    QCOMPARE(table.accessible()->focusChild(), current);

    // Rows below the viewport are there but not shown; scrolled to, they are shown.
    QAccessibleInterface *far = table.table()->cellAt(80, 0);
    QVERIFY(far->state().invisible);
    table.view.verticalScrollBar()->setValue(75);
    QVERIFY(!far->state().invisible);
    QVERIFY(current->state().invisible);
    QCOMPARE(far->rect(), table.globalCellRect(80, 0));

    // The titles sit on the header.
    QAccessibleInterface *title = table.accessible()->child(1);
    QHeaderView *header = table.view.horizontalHeader();
    QCOMPARE(title->rect(),
             QRect(header->viewport()->mapToGlobal(QPoint(40, 0)), QSize(60, header->height())));
    QVERIFY(!title->state().invisible);

    // Without the focus no cell has the keyboard.
    table.view.clearFocus();
    QVERIFY(!current->state().focused);
}

void DataTableAccessibleTest::childAtPoint()
{
    ShownTable table(100);
    QVERIFY(table.exposed());
    table.view.verticalScrollBar()->setValue(10);
    QAccessibleInterface *hit = table.accessible()->childAt(
        table.globalCellRect(12, 1).center().x(), table.globalCellRect(12, 1).center().y());
    QVERIFY(hit);
    QCOMPARE(hit, table.table()->cellAt(12, 1));
    const QPoint onTitle = table.view.horizontalHeader()->viewport()->mapToGlobal(QPoint(10, 5));
    QCOMPARE(table.accessible()->childAt(onTitle.x(), onTitle.y()), table.accessible()->child(0));
    const QPoint rightOfColumns = table.view.viewport()->mapToGlobal(QPoint(130, 5));
    QVERIFY(!table.accessible()->childAt(rightOfColumns.x(), rightOfColumns.y()));
}

void DataTableAccessibleTest::selectingThroughTheInterface()
{
    ShownTable table(1000000);
    QVERIFY(table.exposed());
    table.view.setCurrentIndex(table.model.index(4, 1));
    QAccessibleTableInterface *cells = table.table();
    QVERIFY(cells->selectRow(777777));
    QCOMPARE(table.view.selectionModel()->selectedRows(0).size(), 1);
    QCOMPARE(table.view.selectionModel()->selectedRows(0).first().row(), 777777);
    // The keyboard goes on from the chosen row, in the column it was in.
    QCOMPARE(table.view.currentIndex(), table.model.index(777777, 1));
    QVERIFY(cells->isRowSelected(777777));
    QVERIFY(!cells->isRowSelected(4));
    QCOMPARE(cells->selectedRows(), QList<int> {777777});
    QCOMPARE(cells->selectedRowCount(), 1);
    QCOMPARE(cells->selectedCellCount(), 2);
    QCOMPARE(cells->selectedCells().size(), 2);
    QCOMPARE(cells->selectedCells().first(), cells->cellAt(777777, 0));
    QVERIFY(cells->selectedColumns().isEmpty());
    QCOMPARE(cells->selectedColumnCount(), 0);

    // Whole rows, one at a time: columns cannot be chosen and the one row cannot be let go.
    QVERIFY(!cells->selectColumn(1));
    QVERIFY(!cells->unselectColumn(1));
    QVERIFY(!cells->unselectRow(777777));
    QVERIFY(!cells->unselectRow(5));
    QVERIFY(!cells->selectRow(1000000));
    QVERIFY(!cells->selectRow(-1));
    QCOMPARE(cells->selectedRows(), QList<int> {777777});
}

void DataTableAccessibleTest::selectingInTheView()
{
    ShownTable table(50);
    QVERIFY(table.exposed());
    QTest::mouseClick(table.view.viewport(), Qt::LeftButton, {}, QPoint(60, 3 * 16 + 8));
    QCOMPARE(table.table()->selectedRows(), QList<int> {3});
    QVERIFY(table.table()->cellAt(3, 0)->state().selected);
    QTest::keyClick(&table.view, Qt::Key_Down);
    QCOMPARE(table.table()->selectedRows(), QList<int> {4});
    QVERIFY(!table.table()->cellAt(3, 0)->state().selected);

    // One row of one: the whole column is selected with it.
    table.model.setRows(1);
    table.view.setCurrentIndex(table.model.index(0, 0));
    QVERIFY(table.table()->isColumnSelected(0));
    QCOMPARE(table.table()->selectedColumns(), (QList<int> {0, 1}));
}

void DataTableAccessibleTest::structuralChangesDropTheCells()
{
    // Without a screen reader no event arrives; the cells are dropped when next asked for.
    ShownTable table(100);
    const QAccessible::Id stale = QAccessible::uniqueId(table.table()->cellAt(50, 1));
    QVERIFY(QAccessible::accessibleInterface(stale));
    table.model.setRows(30);
    QCOMPARE(table.table()->rowCount(), 30);
    QCOMPARE(table.accessible()->childCount(), 31 * 2);
    QVERIFY(!table.table()->cellAt(50, 1));
    QVERIFY(!QAccessible::accessibleInterface(stale));
    QCOMPARE(table.table()->cellAt(20, 1)->text(QAccessible::Name), AzimuthModel::text(20, 1));

    // Rows removed at the top: a cell asked for afterwards shows the row now in its place.
    const QAccessible::Id before = QAccessible::uniqueId(table.table()->cellAt(0, 0));
    table.model.removeFirstRows(5);
    QAccessibleInterface *first = table.table()->cellAt(0, 0);
    QVERIFY(!QAccessible::accessibleInterface(before));
    QCOMPARE(first->text(QAccessible::Name), AzimuthModel::text(5, 0));
    QCOMPARE(table.table()->rowCount(), 25);

    // With a screen reader listening, the view's own notice of a change drops them at once;
    // changed data keeps them, as they read it afresh.
    const QAccessible::Id shown = QAccessible::uniqueId(table.table()->cellAt(3, 0));
    QAccessibleTableModelChangeEvent changed(&table.view,
                                             QAccessibleTableModelChangeEvent::DataChanged);
    table.table()->modelChange(&changed);
    QVERIFY(QAccessible::accessibleInterface(shown));
    QAccessibleTableModelChangeEvent removed(&table.view,
                                             QAccessibleTableModelChangeEvent::RowsRemoved);
    table.table()->modelChange(&removed);
    QVERIFY(!QAccessible::accessibleInterface(shown));

    // A new model: the children belong to it.
    const QAccessible::Id old = QAccessible::uniqueId(table.table()->cellAt(1, 1));
    AzimuthModel other(4);
    table.view.setModel(&other);
    QCOMPARE(table.table()->rowCount(), 4);
    QCOMPARE(table.table()->cellAt(1, 1)->text(QAccessible::Name), AzimuthModel::text(1, 1));
    QVERIFY(!QAccessible::accessibleInterface(old));

    // Deleting the view deletes its cells.
    auto *view = new DataTableView;
    view->setModel(&other);
    const QAccessible::Id orphan = QAccessible::uniqueId(
        QAccessible::queryAccessibleInterface(view)->tableInterface()->cellAt(2, 0));
    delete view;
    QVERIFY(!QAccessible::accessibleInterface(orphan));
}

void DataTableAccessibleTest::mainWindowMeasurements()
{
    TestProgram program;
    MainWindow &window = program.window;
    program.document.setDecimalSeparator('.');
    window.openCommandLineFile(QStringLiteral(QUOREL_EXAMPLES_DIR "/joints.qrl"));
    waitUntilIdle(program.document);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *sg = window.findChild<DataTableView *>(QStringLiteral("measurementTable"));
    QVERIFY(sg);
    const QAbstractItemModel *model = sg->model();
    QVERIFY(model->rowCount() > 50);

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(sg);
    QCOMPARE(accessible->role(), QAccessible::Table);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Measurements"));
    QAccessibleTableInterface *table = accessible->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), model->rowCount());
    QCOMPARE(table->columnCount(), model->columnCount());
    for (int column = 0; column < model->columnCount(); ++column)
        QCOMPARE(table->columnDescription(column),
                 model->headerData(column, Qt::Horizontal).toString());
    const int last = model->rowCount() - 1;
    for (int row : {0, 1, 2, last / 2, last}) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QString shown = model->index(row, column).data().toString();
            QCOMPARE(table->cellAt(row, column)->text(QAccessible::Name), shown);
        }
    }
    QVERIFY(!table->cellAt(0, 1)->text(QAccessible::Name).isEmpty());
    // The first rows are on the screen, inside the table.
    const QRect first = table->cellAt(0, 0)->rect();
    QVERIFY(!table->cellAt(0, 0)->state().invisible);
    QVERIFY(accessible->rect().contains(first));
    QCOMPARE(accessible->childAt(first.center().x(), first.center().y()), table->cellAt(0, 0));
    // The statistics table answers the same way.
    QAccessibleInterface *stats = QAccessible::queryAccessibleInterface(
        window.findChild<DataTableView *>(QStringLiteral("statsTable")));
    QCOMPARE(stats->role(), QAccessible::Table);
    QCOMPARE(stats->text(QAccessible::Name), QStringLiteral("Statistics"));
    QVERIFY(stats->tableInterface()->rowCount() > 0);
}

QTEST_MAIN(DataTableAccessibleTest)
#include "datatableaccessible_test.moc"
