#include "gui/data/datatableview.h"
#include "gui/data/tablestyle.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include <algorithm>
#include <limits>

using namespace quorel;

namespace {

// Rows that hold nothing but their number, and a record of the rows painted (asked for their
// text).
class CountingModel : public QAbstractTableModel
{
public:
    explicit CountingModel(int rows)
        : m_rows(rows)
    { }

    void setRows(int rows)
    {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }
    void forget()
    {
        firstAsked = std::numeric_limits<int>::max();
        lastAsked = -1;
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
        firstAsked = std::min(firstAsked, index.row());
        lastAsked = std::max(lastAsked, index.row());
        return index.column() == 0 ? QString::number(index.row() + 1) : QStringLiteral("12.5");
    }
    QVariant headerData(int section, Qt::Orientation, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(section == 0 ? "No." : "Azimuth") : QVariant();
    }

    mutable int firstAsked = std::numeric_limits<int>::max();
    mutable int lastAsked = -1;

private:
    int m_rows;
};

// A shown table of the program's two columns, 40 and 60 pixels, about ten rows high.
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
    int page() const { return view.viewport()->height() / tablestyle::rowHeight; }
    QList<int> selectedRows() const
    {
        QList<int> rows;
        for (const QModelIndex &index : view.selectionModel()->selectedRows())
            rows.append(index.row());
        return rows;
    }
    bool currentRowInView() const
    {
        return view.viewport()->rect().contains(view.visualRect(view.currentIndex()));
    }

    CountingModel model;
    DataTableView view;
};

} // namespace

class DataTableViewTest : public QObject
{
    Q_OBJECT

private slots:
    void rowAtPosition_data();
    void rowAtPosition();
    void keyboardMovesTheSelectedRow_data();
    void keyboardMovesTheSelectedRow();
    void clickSelectsTheWholeRow();
    void wheelScrollsByRows();
    void millionRowsScrollToTheLastRow();
    void paintsOnlyTheRowsInView();
    void paintsCellsSelectionAndGrid();
    void draggedColumnBorderResizesTheColumn();
    void doubleClickedBorderFitsTheRowsInView();
    void emptyAndShrinkingModels();
    void typingSearchesNothing();
};

void DataTableViewTest::rowAtPosition_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("row");
    QTest::addRow("first pixel of the first row") << 0 << 0 << 0;
    QTest::addRow("last pixel of the first row") << 0 << 15 << 0;
    QTest::addRow("first pixel of the second row") << 0 << 16 << 1;
    QTest::addRow("above the first row") << 0 << -1 << -1;
    QTest::addRow("scrolled: top of the view") << 40 << 0 << 40;
    QTest::addRow("scrolled: just above the view") << 40 << -1 << 39;
    QTest::addRow("scrolled: third row in view") << 40 << 40 << 42;
    QTest::addRow("below the last row") << 0 << 50 * 16 << -1;
}

void DataTableViewTest::rowAtPosition()
{
    QFETCH(int, top);
    QFETCH(int, y);
    QFETCH(int, row);
    ShownTable table(50);
    QVERIFY(table.exposed());
    table.view.verticalScrollBar()->setValue(top);
    QCOMPARE(table.view.topRow(), top);
    QCOMPARE(table.view.rowAt(y), row);
    const QModelIndex index = table.view.indexAt(QPoint(50, y));
    QCOMPARE(index.isValid() ? index.row() : -1, row);
    if (row >= 0) {
        QCOMPARE(index.column(), 1);
        QCOMPARE(table.view.visualRect(index).top(), (row - top) * 16);
    }
}

void DataTableViewTest::keyboardMovesTheSelectedRow_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("row"); // the row reached, plus `pages` viewport pages
    QTest::addColumn<int>("pages");
    const int none = Qt::NoModifier;
    const int control = Qt::ControlModifier;
    QTest::addRow("down") << 5 << int(Qt::Key_Down) << none << 6 << 0;
    QTest::addRow("up") << 5 << int(Qt::Key_Up) << none << 4 << 0;
    QTest::addRow("up at the first row stays") << 0 << int(Qt::Key_Up) << none << 0 << 0;
    QTest::addRow("down at the last row stays") << 99 << int(Qt::Key_Down) << none << 99 << 0;
    QTest::addRow("page down") << 5 << int(Qt::Key_PageDown) << none << 5 << 1;
    QTest::addRow("page up") << 60 << int(Qt::Key_PageUp) << none << 60 << -1;
    QTest::addRow("page up stops at the first row") << 3 << int(Qt::Key_PageUp) << none << 0 << 0;
    QTest::addRow("page down stops at the last row")
        << 97 << int(Qt::Key_PageDown) << none << 99 << 0;
    QTest::addRow("home keeps the row") << 50 << int(Qt::Key_Home) << none << 50 << 0;
    QTest::addRow("end keeps the row") << 50 << int(Qt::Key_End) << none << 50 << 0;
    QTest::addRow("ctrl+home") << 50 << int(Qt::Key_Home) << control << 0 << 0;
    QTest::addRow("ctrl+end") << 5 << int(Qt::Key_End) << control << 99 << 0;
}

void DataTableViewTest::keyboardMovesTheSelectedRow()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, row);
    QFETCH(int, pages);
    ShownTable table(100);
    QVERIFY(table.exposed());
    table.view.setCurrentIndex(table.model.index(start, 1));
    QCOMPARE(table.selectedRows(), QList<int> {start});
    QTest::keyClick(&table.view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    const int expected = row + pages * table.page();
    QCOMPARE(table.view.currentIndex().row(), expected);
    QCOMPARE(table.selectedRows(), QList<int> {expected});
    QVERIFY(table.currentRowInView());
}

void DataTableViewTest::clickSelectsTheWholeRow()
{
    ShownTable table(100);
    QVERIFY(table.exposed());
    table.view.verticalScrollBar()->setValue(20);
    QTest::mouseClick(table.view.viewport(), Qt::LeftButton, {}, QPoint(60, 3 * 16 + 8));
    QCOMPARE(table.view.currentIndex().row(), 23);
    QCOMPARE(table.selectedRows(), QList<int> {23});
    QVERIFY(table.view.selectionModel()->isSelected(table.model.index(23, 0)));
    QVERIFY(table.view.selectionModel()->isSelected(table.model.index(23, 1)));
    QTest::mouseClick(table.view.viewport(), Qt::LeftButton, {}, QPoint(10, 8));
    QCOMPARE(table.selectedRows(), QList<int> {20});
}

void DataTableViewTest::wheelScrollsByRows()
{
    ShownTable table(100);
    QVERIFY(table.exposed());
    const QPoint inside(50, 50);
    QWheelEvent down(inside, table.view.viewport()->mapToGlobal(inside), {}, QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(table.view.viewport(), &down);
    const int step = std::min(QApplication::wheelScrollLines(), table.page());
    QCOMPARE(table.view.topRow(), step);
    QWheelEvent up(inside, table.view.viewport()->mapToGlobal(inside), {}, QPoint(0, 120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(table.view.viewport(), &up);
    QCOMPARE(table.view.topRow(), 0);
}

void DataTableViewTest::millionRowsScrollToTheLastRow()
{
    ShownTable table(1);
    QVERIFY(table.exposed());
    // A load ends in a reset of the model; the table can be scrolled to its end at once.
    table.model.setRows(1000000);
    QCOMPARE(table.view.verticalScrollBar()->maximum(), 1000000 - table.page());
    table.view.setCurrentIndex(table.model.index(10, 0));
    QTest::keyClick(&table.view, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(table.view.currentIndex().row(), 999999);
    QCOMPARE(table.view.topRow(), 1000000 - table.page());
    QVERIFY(table.currentRowInView());
    table.model.forget();
    table.view.viewport()->grab();
    QCOMPARE(table.model.lastAsked, 999999);
    QVERIFY(table.model.firstAsked >= table.view.topRow());
    QTest::keyClick(&table.view, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(table.view.topRow(), 0);
    QCOMPARE(table.selectedRows(), QList<int> {0});
}

void DataTableViewTest::paintsOnlyTheRowsInView()
{
    ShownTable table(1000);
    QVERIFY(table.exposed());
    table.view.verticalScrollBar()->setValue(500);
    table.model.forget();
    table.view.viewport()->grab();
    QCOMPARE(table.model.firstAsked, 500);
    // The last row may show in part.
    QVERIFY2(table.model.lastAsked >= 500 + table.page() - 1
                 && table.model.lastAsked <= 500 + table.page(),
             qPrintable(QString::number(table.model.lastAsked)));
}

void DataTableViewTest::paintsCellsSelectionAndGrid()
{
    ShownTable table(20);
    QVERIFY(table.exposed());
    table.view.setCurrentIndex(table.model.index(2, 0));
    const QImage image = table.view.viewport()->grab().toImage();
    const QPalette palette = table.view.palette();
    const auto at = [&image](int x, int y) {
        return image.pixelColor(x, y);
    };
    // The first column is the fixed column; a selected row shows in the highlight colour.
    QCOMPARE(at(1, 2 * 16 + 1), palette.color(QPalette::Active, QPalette::Button));
    QCOMPARE(at(41, 2 * 16 + 1), palette.color(QPalette::Active, QPalette::Highlight));
    QCOMPARE(at(41, 1 * 16 + 1), palette.color(QPalette::Active, QPalette::Base));
    // Grid lines on the last pixel of each row and column, none right of the last column.
    const QColor grid = at(39, 5);
    QVERIFY(grid != palette.color(QPalette::Active, QPalette::Base));
    QCOMPARE(at(99, 5), grid);
    QCOMPARE(at(70, 15), grid);
    QCOMPARE(at(70, 16 * 3 - 1), grid);
    QVERIFY(at(70, 16) != grid);
    QCOMPARE(at(110, 5), palette.color(QPalette::Active, QPalette::Base));
}

void DataTableViewTest::draggedColumnBorderResizesTheColumn()
{
    ShownTable table(10);
    QVERIFY(table.exposed());
    QHeaderView *header = table.view.horizontalHeader();
    QWidget *titles = header->viewport();
    const int y = titles->height() / 2;
    QTest::mousePress(titles, Qt::LeftButton, {}, QPoint(39, y));
    QTest::mouseMove(titles, QPoint(59, y));
    QTest::mouseMove(titles, QPoint(79, y));
    QTest::mouseRelease(titles, Qt::LeftButton, {}, QPoint(79, y));
    QCOMPARE(table.view.columnWidth(0), 80);
    QCOMPARE(table.view.columnAt(70), 0);
    QCOMPARE(table.view.visualRect(table.model.index(0, 1)).left(), 80);
    // Wider than the viewport: the columns scroll sideways, header and cells together.
    table.view.setColumnWidth(1, 400);
    QScrollBar *sideways = table.view.horizontalScrollBar();
    QCOMPARE(sideways->maximum(), 480 - table.view.viewport()->width());
    sideways->setValue(30);
    QCOMPARE(header->offset(), 30);
    QCOMPARE(table.view.visualRect(table.model.index(0, 1)).left(), 50);
    QCOMPARE(table.view.indexAt(QPoint(49, 5)).column(), 0);
}

void DataTableViewTest::doubleClickedBorderFitsTheRowsInView()
{
    ShownTable table(1000000);
    QVERIFY(table.exposed());
    table.view.scrollToBottom();
    table.view.setColumnWidth(0, 12);
    table.model.forget();
    QWidget *titles = table.view.horizontalHeader()->viewport();
    QTest::mouseDClick(titles, Qt::LeftButton, {}, QPoint(11, titles->height() / 2));
    const int widest = table.view.fontMetrics().horizontalAdvance(QStringLiteral("1000000"));
    QVERIFY2(table.view.columnWidth(0) > widest, qPrintable(QString::number(widest)));
    QVERIFY(table.model.firstAsked >= table.view.topRow());
}

void DataTableViewTest::emptyAndShrinkingModels()
{
    ShownTable table(100);
    QVERIFY(table.exposed());
    table.view.setCurrentIndex(table.model.index(90, 0));
    QVERIFY(table.view.topRow() > 0);
    table.model.setRows(3);
    QCOMPARE(table.view.topRow(), 0);
    QCOMPARE(table.view.verticalScrollBar()->maximum(), 0);
    table.model.setRows(0);
    table.view.viewport()->grab();
    QTest::keyClick(&table.view, Qt::Key_Down);
    QTest::mouseClick(table.view.viewport(), Qt::LeftButton, {}, QPoint(50, 8));
    QVERIFY(!table.view.currentIndex().isValid());
    QCOMPARE(table.view.rowAt(0), -1);
    table.view.setModel(nullptr);
    table.view.viewport()->grab();
    QCOMPARE(table.view.rowAt(0), -1);
}

void DataTableViewTest::typingSearchesNothing()
{
    // A search by the first letters would read through every row on each key.
    ShownTable table(1000000);
    QVERIFY(table.exposed());
    table.view.setCurrentIndex(table.model.index(10, 1));
    table.model.forget();
    QTest::keyClicks(&table.view, QStringLiteral("99a"));
    table.view.keyboardSearch(QStringLiteral("5"));
    QCOMPARE(table.model.lastAsked, -1);
    QCOMPARE(table.view.currentIndex(), table.model.index(10, 1));
    QCOMPARE(table.selectedRows(), QList<int> {10});
}

QTEST_MAIN(DataTableViewTest)
#include "datatableview_test.moc"
