#include "core/persist/keyvaluestore.h"
#include "gui/data/datatableview.h"
#include "gui/data/errorswindow.h"
#include "gui/data/measurementmodel.h"
#include "gui/data/progresswindow.h"
#include "gui/diagram/diagramcommands.h"
#include "gui/diagram/diagramview.h"
#include "gui/persist/windowpersistence.h"
#include "gui/shell/filecommands.h"
#include "gui/shell/mainactions.h"
#include "gui/shell/mainstatusbar.h"
#include "gui/shell/mainwindow.h"

#include "guitesthelpers.h"
#include "windowparts.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtEndian>
#include <QtTest>

using namespace quorel;
using namespace testhelpers;

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithoutFile();
    void startsWithFile();
    void missingCommandLineFile();
    void unreadableCommandLineFile();
    void emptyFileKeepsSpareRow();
    void numberColumnFollowsTheFile();
    void invalidLinesGoToReport();
    void dropReadsFirstFileOnly_data();
    void dropReadsFirstFileOnly();
    void f12OpensReportAndClosesIt();
    void editDataEnableRule_data();
    void editDataEnableRule();
    void abortAtLine50Of200();
    void closeDuringReadStopsThenCloses();
    void closeWritesBackOnce();
    void secondReadDuringReadIsRefused();
    void cancelledFileIsNotWrittenBack_data();
    void cancelledFileIsNotWrittenBack();
    void menuCaptionsAndShortcuts_data();
    void menuCaptionsAndShortcuts();
    void menuBarOrder();
    void helpMenuStandsAtRightEnd();
    void pageShortcuts();
    void toolBarTexts();
    void statusLineAndClock();
    void minimiseWithoutTrayKeepsWindowReachable();
    void diagramIsCentred();
    void firstStartShowsThePartsWhole();
    void badSizeKeepsPreviousPicture();
};

namespace {

QAction *findAction(MainWindow &window, const QString &name)
{
    return window.findChild<QAction *>(name);
}

void dropUrls(MainWindow &window, const QList<QUrl> &urls)
{
    QMimeData mime;
    mime.setUrls(urls);
    const QPoint at(window.width() / 2, window.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
}

} // namespace

void MainWindowTest::startsWithoutFile()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.openCommandLineFile(QString());
    waitUntilIdle(program.document);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quorel"));
    QCOMPARE(window.minimumSize(), QSize(750, 500));
    QVERIFY(window.width() >= 750 && window.height() >= 500);
    QVERIFY(!action(window, "editDataAction")->isEnabled());
    QCOMPARE(measurementTable(window)->model()->rowCount(), 1);
    QCOMPARE(countLabel(window)->text(), QStringLiteral("0"));
    QCOMPARE(maxLabel(window)->text(), QStringLiteral("0"));
    for (const QLabel *value : {countLabel(window), maxLabel(window)})
        QCOMPARE(value->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    for (const DataTableView *table : {measurementTable(window), statsTable(window)})
        QCOMPARE(table->rowHeight(), 16);
    QCOMPARE(measurementTable(window)->columnWidth(0), 40);
    QCOMPARE(measurementTable(window)->columnWidth(1), 60);
    QCOMPARE(statsTable(window)->columnWidth(2), 400);
    QCOMPARE(pages(window)->tabText(0), QStringLiteral("Graph   (Ctrl+D)"));
    QCOMPARE(pages(window)->tabText(1), QStringLiteral("Statistics   (Ctrl+T)"));
    // The empty grid is drawn: the page, "Save graph...", the clipboard, the printer and the
    // preview all take that picture.
    QCOMPARE(diagramView(window)->picture().width(), 460);
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("grid.wmf"));
    diagramCommands(window)->setSaveChooser([&](const QString &, QString *) { return saved; });
    diagramCommands(window)->saveImage();
    const QByteArray wmf = readFile(saved);
    QCOMPARE(qFromLittleEndian<qint16>(wmf.constData() + 10), qint16(460)); // the box's right
}

void MainWindowTest::startsWithFile()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("a.qrl"), "12\n15\n19.2\n400\n");
    TestProgram program;
    MainWindow &window = program.window;
    program.document.setDecimalSeparator('.');
    window.openCommandLineFile(path);
    waitUntilIdle(program.document);
    QCOMPARE(program.document.currentFileName(), path);
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Quorel - ") + QFileInfo(path).absoluteFilePath());
    QCOMPARE(window.windowIconText(), QStringLiteral("a.qrl - Quorel"));
    QCOMPARE(fileCommands(window)->initialFolder(), QFileInfo(path).absolutePath());
    QAbstractItemModel *sg = measurementTable(window)->model();
    QCOMPARE(sg->rowCount(), 4);
    QCOMPARE(sg->index(3, 1).data().toString(), QStringLiteral("40.0000"));
    QAbstractItemModel *stats = statsTable(window)->model();
    QCOMPARE(stats->index(1, 1).data().toString(), QStringLiteral("3"));
    QCOMPARE(stats->index(1, 2).data().toString(), QStringLiteral("12; 15; 19.2"));
    QCOMPARE(countLabel(window)->text(), QStringLiteral("4"));
    QCOMPARE(maxLabel(window)->text(), QStringLiteral("3"));
    QCOMPARE(mainStatusBar(window)->statusText(), QStringLiteral("OK"));
    QVERIFY(action(window, "editDataAction")->isEnabled());
    QVERIFY(!diagramView(window)->picture().isEmpty());
}

void MainWindowTest::missingCommandLineFile()
{
    TestProgram program;
    MainWindow &window = program.window;
    const QList<SeenBox> boxes = collectMessageBoxes([&] {
        window.openCommandLineFile(QStringLiteral("x.qrl"));
        waitUntilIdle(program.document);
    });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].caption, QStringLiteral("Quorel"));
    QCOMPARE(boxes[0].text, QStringLiteral("File \"x.qrl\" does not exists !"));
    QCOMPARE(boxes[0].icon, QMessageBox::Warning);
    QVERIFY(program.document.currentFileName().isEmpty());
    QVERIFY(!action(window, "editDataAction")->isEnabled());
    QVERIFY(!button(window, "editDataAction")->isEnabled());
}

void MainWindowTest::unreadableCommandLineFile()
{
    // A device exists but is no data file: it is refused at once (never read forever), the
    // message names it, and the window goes on without measurements.
    QTemporaryDir dir;
    TestProgram program;
    MainWindow &window = program.window;
    window.openCommandLineFile(writeFile(dir, QStringLiteral("before.qrl"), "5\n25\n"));
    waitUntilIdle(program.document);
    const QList<SeenBox> boxes = collectMessageBoxes([&] {
        window.openCommandLineFile(QStringLiteral("/dev/zero"));
        waitUntilIdle(program.document);
    });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].caption, QStringLiteral("Quorel"));
    QVERIFY2(boxes[0].text.contains(QStringLiteral("\"/dev/zero\"")), qPrintable(boxes[0].text));
    QCOMPARE(measurementTable(window)->model()->rowCount(), 1);
    QVERIFY(!progressWindow(window)->isVisible());
    QVERIFY(!program.document.isBusy());
    // The labels and the statistics table agree: nothing of the previous file is left.
    QCOMPARE(countLabel(window)->text(), QStringLiteral("0"));
    QCOMPARE(maxLabel(window)->text(), QStringLiteral("0"));
    const QAbstractItemModel *stats = statsTable(window)->model();
    for (int row : {0, 2}) {
        QCOMPARE(stats->index(row, 1).data().toString(), QStringLiteral("0"));
        QCOMPARE(stats->index(row, 2).data().toString(), QString());
    }
}

void MainWindowTest::emptyFileKeepsSpareRow()
{
    QTemporaryDir dir;
    TestProgram program;
    MainWindow &window = program.window;
    window.openCommandLineFile(writeFile(dir, QStringLiteral("full.qrl"), "5\n25\n"));
    waitUntilIdle(program.document);
    QCOMPARE(countLabel(window)->text(), QStringLiteral("2"));
    window.openCommandLineFile(writeFile(dir, QStringLiteral("empty.qrl"), ""));
    waitUntilIdle(program.document);
    QAbstractItemModel *sg = measurementTable(window)->model();
    QCOMPARE(sg->rowCount(), 1);
    QCOMPARE(sg->index(0, 0).data().toString(), QStringLiteral("1. "));
    QCOMPARE(sg->index(0, 1).data().toString(), QString());
    // Nothing of the previous file is left in the statistics.
    QCOMPARE(countLabel(window)->text(), QStringLiteral("0"));
    QCOMPARE(maxLabel(window)->text(), QStringLiteral("0"));
    QCOMPARE(statsTable(window)->model()->index(0, 2).data().toString(), QString());
    QCOMPARE(mainStatusBar(window)->statusText(), QStringLiteral("OK"));
}

void MainWindowTest::numberColumnFollowsTheFile()
{
    QTemporaryDir dir;
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DataTableView *table = measurementTable(window);
    auto *model = qobject_cast<MeasurementModel *>(table->model());
    QVERIFY(model);
    const int panel = table->width();
    window.openCommandLineFile(writeFile(dir, QStringLiteral("long.qrl"), azimuthLines(100'000)));
    waitUntilIdle(program.document);
    const int wide = table->columnWidth(MeasurementModel::NumberColumn);
    QVERIFY(wide > 40);
    QCOMPARE(wide, model->numberColumnWidth());
    // The panel grows with the column, so the azimuths stay in view.
    QTRY_COMPARE(table->width(), panel + wide - 40);
}

void MainWindowTest::invalidLinesGoToReport()
{
    QTemporaryDir dir;
    TestProgram program;
    MainWindow &window = program.window;
    window.openCommandLineFile(writeFile(dir, QStringLiteral("bad.qrl"), "10\nabc\n20\n"));
    waitUntilIdle(program.document);
    QCOMPARE(mainStatusBar(window)->statusText(),
             QStringLiteral("Ready, but error occured ! Press F12 !"));
    QCOMPARE(mainStatusBar(window)->statusColor(), QColor(128, 0, 0));
    errorsWindow(window)->refresh();
    const QStringList lines = errorsWindow(window)->shownText().split(QLatin1Char('\n'));
    QVERIFY(lines.size() >= 6);
    QVERIFY(lines[0].startsWith(QStringLiteral("File: ")));
    QCOMPARE(lines[1], QString(38, QLatin1Char('-')));
    QCOMPARE(lines[2], QStringLiteral("Invalid data in line: 2"));
    QCOMPARE(lines[3], QStringLiteral("\"abc\" is not a number !"));
    QCOMPARE(lines[4], QString());
    QVERIFY(lines.contains(QStringLiteral("Errors: 1")));
}

void MainWindowTest::dropReadsFirstFileOnly_data()
{
    QTest::addColumn<QStringList>("names"); // "" marks the folder itself
    QTest::addColumn<QString>("read");
    QTest::addRow("three files read the first")
        << QStringList {"one.qrl", "two.qrl", "three.qrl"} << "one.qrl";
    QTest::addRow("a folder is ignored") << QStringList {""} << "";
    QTest::addRow("a missing file is ignored") << QStringList {"gone.qrl"} << "";
}

void MainWindowTest::dropReadsFirstFileOnly()
{
    QFETCH(QStringList, names);
    QFETCH(QString, read);
    QTemporaryDir dir;
    writeFile(dir, QStringLiteral("one.qrl"), "10\n");
    writeFile(dir, QStringLiteral("two.qrl"), "20\n30\n");
    writeFile(dir, QStringLiteral("three.qrl"), "40\n50\n60\n");
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QList<QUrl> urls;
    for (const QString &name : names)
        urls << QUrl::fromLocalFile(name.isEmpty() ? dir.path() : dir.filePath(name));
    dropUrls(window, urls);
    waitUntilIdle(program.document);
    QCOMPARE(program.document.currentFileName(), read.isEmpty() ? QString() : dir.filePath(read));
    // Every drop redraws, whether or not it read a file.
    QVERIFY(!diagramView(window)->picture().isEmpty());
    if (!read.isEmpty())
        QCOMPARE(countLabel(window)->text(), QStringLiteral("1"));
}

void MainWindowTest::f12OpensReportAndClosesIt()
{
    QTemporaryDir dir;
    TestProgram program;
    MainWindow &window = program.window;
    window.openCommandLineFile(writeFile(dir, QStringLiteral("r.qrl"), "x1\n"));
    waitUntilIdle(program.document);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    bool wasShown = false;
    QString shown;
    QTimer::singleShot(50, &window, [&] {
        ErrorsWindow *errors = errorsWindow(window);
        wasShown = errors->isVisible() && errors->isModal();
        shown = errors->shownText();
        QTest::keyClick(errors, Qt::Key_F12);
    });
    QTest::keyClick(&window, Qt::Key_F12);
    QVERIFY(wasShown);
    QVERIFY(shown.contains(QStringLiteral("\"x1\" is not a number !")));
    QVERIFY(!errorsWindow(window)->isVisible());
    QCOMPARE(errorsWindow(window)->windowTitle(), QStringLiteral("Errors"));
    QCOMPARE(errorsWindow(window)->findChild<QPlainTextEdit *>()->font().family(),
             QStringLiteral("Courier New"));

    // A hidden main window does not open the report.
    window.hide();
    window.showErrors();
    QVERIFY(!errorsWindow(window)->isVisible());
}

void MainWindowTest::editDataEnableRule_data()
{
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<bool>("randomGraph");
    QTest::addColumn<bool>("enabled");
    QTest::addRow("no file") << false << false << false;
    QTest::addRow("a file") << true << false << true;
    QTest::addRow("a file during a random graph") << true << true << false;
    QTest::addRow("random graph without file") << false << true << false;
}

void MainWindowTest::editDataEnableRule()
{
    QFETCH(bool, hasFile);
    QFETCH(bool, randomGraph);
    QFETCH(bool, enabled);
    TestProgram program;
    MainWindow &window = program.window;
    if (hasFile)
        program.document.setCurrentFileName(QStringLiteral("/tmp/some.qrl"));
    program.document.setRandomGraph(randomGraph);
    QCOMPARE(action(window, "editDataAction")->isEnabled(), enabled);
    QCOMPARE(button(window, "editDataAction")->isEnabled(), enabled);
}

void MainWindowTest::abortAtLine50Of200()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("long.qrl"), azimuthLines(200));
    TestProgram program;
    MainWindow &window = program.window;
    program.document.setProgressInterval(0);
    program.document.holdReadBeforeLine(50);
    window.show();
    ProgressWindow *progress = progressWindow(window);
    QString lineText;
    const QMetaObject::Connection aborter =
        connect(progress, &ProgressWindow::lineShown, &window, [&](qint64 line) {
            if (line == 50) {
                lineText = progress->lineText();
                QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
            }
        });
    window.openCommandLineFile(path);
    waitUntilIdle(program.document);
    QCOMPARE(lineText, QStringLiteral("Line 50 / 200"));
    QVERIFY(!progress->isVisible());
    QCOMPARE(measurementTable(window)->model()->rowCount(), 49);
    QCOMPARE(countLabel(window)->text(), QStringLiteral("49"));
    QCOMPARE(mainStatusBar(window)->statusText(),
             QStringLiteral("Operation cancelled by user ! Press F12 !"));
    QCOMPARE(mainStatusBar(window)->statusColor(), QColor(0, 128, 0));
    errorsWindow(window)->refresh();
    QVERIFY(errorsWindow(window)->shownText().endsWith(
        QStringLiteral("WARNING! Processed lines: 49 from 200.")));
    // The cancel flag does not outlive the read: the next read runs to the end.
    disconnect(aborter);
    window.openCommandLineFile(path);
    waitUntilIdle(program.document);
    QCOMPARE(countLabel(window)->text(), QStringLiteral("200"));
}

void MainWindowTest::closeDuringReadStopsThenCloses()
{
    QTemporaryDir dir;
    const QByteArray bytes = azimuthLines(200);
    const QString path = writeFile(dir, QStringLiteral("long.qrl"), bytes);
    TestProgram program;
    MainWindow &window = program.window;
    int writeBacks = 0;
    program.document.setWriteBack([&](const std::string &, const DiagramStyle &) {
        ++writeBacks;
        return WriteBackResult {};
    });
    program.document.setProgressInterval(0);
    program.document.holdReadBeforeLine(50);
    window.show();
    bool closedDuringRead = true;
    connect(progressWindow(window), &ProgressWindow::lineShown, &window, [&](qint64 line) {
        if (line == 50)
            closedDuringRead = window.close();
    });
    window.openCommandLineFile(path);
    waitUntilIdle(program.document);
    QVERIFY(!closedDuringRead); // the close waited for the read
    QVERIFY(!window.isVisible()); // and happened right after it
    QCOMPARE(countLabel(window)->text(), QStringLiteral("49"));
    QCOMPARE(readFile(path), bytes); // the data file is untouched
    // Nothing is written back: before the read there was no file, and the file whose read the
    // close stopped still has parameter lines the style never saw.
    QCOMPARE(writeBacks, 0);
}

void MainWindowTest::secondReadDuringReadIsRefused()
{
    QTemporaryDir dir;
    const QString first = writeFile(dir, QStringLiteral("first.qrl"), azimuthLines(200));
    const QString second = writeFile(dir, QStringLiteral("second.qrl"), "1\n2\n");
    TestProgram program;
    MainWindow &window = program.window;
    program.document.setProgressInterval(0);
    program.document.holdReadBeforeLine(50);
    window.show();
    connect(progressWindow(window), &ProgressWindow::lineShown, &window, [&](qint64 line) {
        if (line == 50) {
            dropUrls(window, {QUrl::fromLocalFile(second)});
            action(window, "refreshAction")->trigger();
            program.document.releaseRead();
        }
    });
    window.openCommandLineFile(first);
    waitUntilIdle(program.document);
    // The drop arrived while the first file was read: the first read ran to its end and the
    // second file was not read into the middle of it.
    QCOMPARE(program.document.currentFileName(), first);
    QCOMPARE(countLabel(window)->text(), QStringLiteral("200"));
    QCOMPARE(mainStatusBar(window)->statusText(), QStringLiteral("OK"));
}

void MainWindowTest::cancelledFileIsNotWrittenBack_data()
{
    QTest::addColumn<int>("abortAt"); // 0: never
    QTest::addColumn<int>("writeBacksOnClose");
    QTest::addRow("read to the end") << 0 << 1;
    QTest::addRow("aborted at line 50") << 50 << 0;
}

void MainWindowTest::cancelledFileIsNotWrittenBack()
{
    QFETCH(int, abortAt);
    QFETCH(int, writeBacksOnClose);
    QTemporaryDir dir;
    const QString path =
        writeFile(dir, QStringLiteral("p.qrl"), azimuthLines(199) + ";BgColor=255\n");
    TestProgram program;
    MainWindow &window = program.window;
    program.document.setProgressInterval(0);
    QStringList written;
    program.document.setWriteBack([&](const std::string &file, const DiagramStyle &) {
        written << QString::fromStdString(file);
        return WriteBackResult {};
    });
    if (abortAt > 0)
        program.document.holdReadBeforeLine(std::size_t(abortAt));
    window.show();
    connect(progressWindow(window), &ProgressWindow::lineShown, &window, [&](qint64 line) {
        if (line == abortAt)
            progressWindow(window)->abort();
    });
    window.openCommandLineFile(path);
    waitUntilIdle(program.document);
    QCOMPARE(program.document.style().backgroundColor == 255, abortAt == 0);
    QVERIFY(window.close());
    QCOMPARE(written.size(), writeBacksOnClose);
}

void MainWindowTest::closeWritesBackOnce()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("c.qrl"), "10\n");
    TestProgram program;
    MainWindow &window = program.window;
    QStringList calls;
    // The settings are written once when they are loaded (their defaults) and once when saved.
    struct RecordingStore : MemoryKeyValueStore
    {
        QStringList *calls = nullptr;
        Status flush() override
        {
            *calls << (calls->contains(QStringLiteral("load")) ? QStringLiteral("save")
                                                               : QStringLiteral("load"));
            return success();
        }
    } store;
    store.calls = &calls;
    WindowPersistence persistence(program.document, store);
    window.usePersistence(persistence);
    program.document.setWriteBack([&](const std::string &file, const DiagramStyle &) {
        calls << QStringLiteral("writeBack ") + QString::fromStdString(file);
        return WriteBackResult {};
    });
    window.loadSettings();
    window.openCommandLineFile(path);
    waitUntilIdle(program.document);
    window.show();
    QVERIFY(window.close());
    QVERIFY(window.close());
    QCOMPARE(calls,
             QStringList({QStringLiteral("load"), QStringLiteral("writeBack ") + path,
                          QStringLiteral("save")}));
}

void MainWindowTest::menuCaptionsAndShortcuts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addRow("new") << "newAction"
                         << "New..." << QKeySequence(QStringLiteral("Ctrl+N"));
    QTest::addRow("open") << "openAction"
                          << "Open..." << QKeySequence(QStringLiteral("Ctrl+O"));
    QTest::addRow("exit") << "exitAction"
                          << "Exit" << QKeySequence(QStringLiteral("Alt+F4"));
    QTest::addRow("edit data") << "editDataAction"
                               << "Edit data..." << QKeySequence(QStringLiteral("Ctrl+E"));
    QTest::addRow("refresh") << "refreshAction"
                             << "Refresh" << QKeySequence(Qt::Key_F5);
    QTest::addRow("errors") << "showErrorsAction"
                            << "Show errors..." << QKeySequence(Qt::Key_F12);
}

void MainWindowTest::menuCaptionsAndShortcuts()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    TestProgram program;
    MainWindow &window = program.window;
    QAction *found = findAction(window, name);
    QVERIFY(found);
    QCOMPARE(withoutMnemonic(found->text()), caption);
    QCOMPARE(found->shortcut(), shortcut);
    // Every command in a menu is reachable from the menu bar.
    bool inMenu = false;
    for (QAction *top : window.menuBar()->actions())
        if (top->menu() && top->menu()->actions().contains(found))
            inMenu = true;
    QVERIFY(inMenu);
}

void MainWindowTest::menuBarOrder()
{
    TestProgram program;
    MainWindow &window = program.window;
    QStringList shown;
    for (QAction *top : window.menuBar()->actions()) {
        if (top->isSeparator())
            shown << QStringLiteral("|");
        else if (top->isVisible())
            shown << withoutMnemonic(top->text());
    }
    // Menus without commands yet stay off the bar; Help stands behind the separator that
    // pushes it to the right end.
    QCOMPARE(shown.mid(0, 3), QStringList({"File", "Edit", "View"}));
    QVERIFY(shown.contains(QStringLiteral("|")));
    QCOMPARE(withoutMnemonic(actions(window)->menu(MenuName::Help)->title()),
             QStringLiteral("Help"));
    const QList<QAction *> file = actions(window)->menu(MenuName::File)->actions();
    QCOMPARE(withoutMnemonic(file.last()->text()), QStringLiteral("Exit"));
    QVERIFY(file.at(file.size() - 2)->isSeparator());
}

void MainWindowTest::helpMenuStandsAtRightEnd()
{
    TestProgram program;
    MainWindow &window = program.window;
    // Help holds "Help..." and "About..." and stands at the right end of the bar.
    QVERIFY(actions(window)->menu(MenuName::Help)->menuAction()->isVisible());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMenuBar *bar = window.menuBar();
    const QRect help = bar->actionGeometry(actions(window)->menu(MenuName::Help)->menuAction());
    const QRect view = bar->actionGeometry(actions(window)->menu(MenuName::View)->menuAction());
    QVERIFY2(help.right() >= bar->width() - 12, qPrintable(QString::number(help.right())));
    QVERIFY(help.left() > view.right() + 100);
}

void MainWindowTest::pageShortcuts()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(pages(window)->currentIndex(), 1);
    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(pages(window)->currentIndex(), 0);
}

void MainWindowTest::toolBarTexts()
{
    TestProgram program;
    MainWindow &window = program.window;
    struct Row
    {
        QToolButton *button;
        const char *caption;
        const char *hint;
    };
    const Row rows[] = {{button(window, "newAction"), "&New", "New data file..."},
                        {button(window, "openAction"), "&Open", "Open data file... (Ctrl+O)"},
                        {button(window, "editDataAction"), "Edit", "Edit data..."},
                        {button(window, "refreshAction"), "&Refresh", "Refresh graph (F5)"}};
    for (const Row &row : rows) {
        QCOMPARE(row.button->text(), QLatin1String(row.caption));
        QCOMPARE(row.button->toolTip(), QLatin1String(row.hint));
    }
    // Enabling the action again must not give the button the menu's caption.
    program.document.setCurrentFileName(QStringLiteral("/tmp/x.qrl"));
    QCOMPARE(button(window, "editDataAction")->text(), QStringLiteral("Edit"));
    QCOMPARE(mainToolBar(window)->windowTitle(), QStringLiteral("Main"));
}

void MainWindowTest::statusLineAndClock()
{
    TestProgram program;
    MainWindow &window = program.window;
    struct Row
    {
        Color color;
        QColor expected;
    };
    const Row rows[] = {{rgbColor(128, 0, 0), QColor(128, 0, 0)},
                        {rgbColor(0, 128, 0), QColor(0, 128, 0)},
                        {rgbColor(0, 0, 255), QColor(0, 0, 255)},
                        {clWindowText, window.palette().color(QPalette::WindowText)}};
    for (const Row &row : rows) {
        window.setStatus(QStringLiteral("text"), row.color);
        QCOMPARE(mainStatusBar(window)->statusColor(), row.expected);
    }
    QCOMPARE(mainStatusBar(window)->statusText(), QStringLiteral("text"));
    mainStatusBar(window)->updateClock();
    const QString clock = mainStatusBar(window)->clockText();
    QVERIFY2(clock.endsWith(QStringLiteral("    ")) && clock.contains(QLatin1Char(':')),
             qPrintable(clock));
}

void MainWindowTest::minimiseWithoutTrayKeepsWindowReachable()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.showMinimized();
    QCoreApplication::processEvents();
    // Offscreen has no tray: the window must not disappear.
    QVERIFY(window.isVisible());
    window.toggleVisible();
    QVERIFY(window.isVisible());
    QVERIFY(!window.isMinimized());
    window.toggleVisible();
    QVERIFY(!window.isVisible());
    window.toggleVisible();
    QVERIFY(window.isVisible());
}

// A first start opens large enough for the empty grid without scroll bars and the Options bar
// without scrolling, within the screen's free area. Screens too small for that skip; ctest runs
// this again on 1366 x 768 and 1920 x 1080 screens.
void MainWindowTest::firstStartShowsThePartsWhole()
{
    TestProgram program;
    MainWindow &window = program.window;
    const QRect available = window.screen()->availableGeometry();
    if (available.width() < 1024 || available.height() < 768)
        QSKIP("needs a screen of at least 1024 x 768");
    window.openCommandLineFile(QString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(available.contains(window.frameGeometry()));
    const DiagramView *view = diagramView(window);
    QCOMPARE(view->imageRect().size(), QSize(460, 460));
    QVERIFY(!view->horizontalScrollBar()->isVisible());
    QVERIFY(!view->verticalScrollBar()->isVisible());
    const auto *options =
        qobject_cast<QScrollArea *>(part<QDockWidget>(window, "optionsDock")->widget());
    QVERIFY(options);
    QVERIFY(!options->verticalScrollBar()->isVisible());
}

void MainWindowTest::diagramIsCentred()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DiagramView *view = diagramView(window);
    struct Row
    {
        const char *size;
        bool fits;
    };
    for (const Row row : {Row {"100", true}, Row {"2000", false}}) {
        program.document.editStyle([&row](DiagramStyle &style) { style.diagramSize = row.size; });
        redrawNow(program.document);
        const QRect image = view->imageRect();
        const QSize box = view->viewport()->size();
        QCOMPARE(image.width(), atoi(row.size));
        if (row.fits) {
            QCOMPARE(image.left(), box.width() / 2 - image.width() / 2);
            QCOMPARE(image.top(), box.height() / 2 - image.height() / 2);
        } else {
            QCOMPARE(image.topLeft(), QPoint(0, 0));
        }
    }
    // A redraw keeps the user's scroll position.
    view->horizontalScrollBar()->setValue(300);
    redrawNow(program.document);
    QCOMPARE(view->horizontalScrollBar()->value(), 300);
    QCOMPARE(view->imageRect().left(), -300);

    // Only a double click on the picture counts.
    program.document.editStyle([](DiagramStyle &style) { style.diagramSize = "100"; });
    redrawNow(program.document);
    QSignalSpy clicks(view, &DiagramView::imageDoubleClicked);
    // The double click opens the full-screen preview; leave it again as soon as it shows.
    QTimer leave;
    connect(&leave, &QTimer::timeout, &window, [] {
        if (QWidget *preview = QApplication::activeModalWidget())
            preview->close();
    });
    leave.start(10);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->imageRect().center());
    leave.stop();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(clicks.count(), 1);
}

void MainWindowTest::badSizeKeepsPreviousPicture()
{
    TestProgram program;
    MainWindow &window = program.window;
    redrawNow(program.document);
    const Picture before = diagramView(window)->picture();
    program.document.editStyle([](DiagramStyle &style) { style.diagramSize = "46x"; });
    const QList<SeenBox> boxes = collectMessageBoxes([&] { redrawNow(program.document); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].caption, QStringLiteral("Quorel"));
    QVERIFY(diagramView(window)->picture() == before);
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
