#include "core/diagram/color.h"
#include "gui/data/datatableview.h"
#include "gui/data/errorswindow.h"
#include "gui/diagram/descriptionbar.h"
#include "gui/diagram/diagramcommands.h"
#include "gui/diagram/diagramexport.h"
#include "gui/diagram/diagramview.h"
#include "gui/diagram/optionsbar.h"
#include "gui/diagram/previewwindow.h"
#include "gui/persist/recentfileswidget.h"
#include "gui/persist/settingsstore.h"
#include "gui/persist/windowpersistence.h"
#include "gui/shell/mainactions.h"
#include "gui/shell/mainstatusbar.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/viewcommands.h"
#include "gui/tools/interfacelanguage.h"
#include "gui/tools/toolcommands.h"

#include "guitesthelpers.h"
#include "windowparts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <cstdlib>

using namespace quorel;
using namespace testhelpers;

class CommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menusInTheirOrder_data();
    void menusInTheirOrder();
    void menusHaveMnemonics_data();
    void menusHaveMnemonics();
    void commandsWithPictures_data();
    void commandsWithPictures();
    void previewMenuHasTheWindowsPictures();
    void sizeCommandsThroughKeysAndButtons();
    void fitToWindowShowsLargerButSavesGraphSize();
    void plusAndMinusKeys_data();
    void plusAndMinusKeys();
    void badSizeTextWarnsAndKeepsTheText();
    void windowShortcutsWorkInEditBoxes_data();
    void windowShortcutsWorkInEditBoxes();
    void saveGraphProposesLowerCaseName_data();
    void saveGraphProposesLowerCaseName();
    void tableToggleAndItsCheckMark();
    void statusBarToggleKeepsTheBars();
    void tablePanelNeverNarrowerThanItsColumns();
    void diagramTabRegistersButShortcutDoesNot();
    void randomGraphStandsAlone();
    void settingsAndWriteBackRoundTrip();
    void fileThatIsNotTextIsNamedOnceAndNeverWritten();
    void longSectorListsShowTheirStart();
    void printJobIsNamedAfterTheFile();

private:
    QTemporaryDir m_home;
};

namespace {

QStringList captions(QMenu *menu)
{
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : withoutMnemonic(action->text()));
    return texts;
}

} // namespace

void CommandsTest::initTestCase()
{
    // The association and the settings must never touch the user's own folders.
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
}

void CommandsTest::menusInTheirOrder_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::addRow("File") << "File" << QStringList {"New...",
                                                    "Open...",
                                                    "Save graph...",
                                                    "Save data and graph as HTML file...",
                                                    "-",
                                                    "Print...",
                                                    "-",
                                                    "Exit"};
    QTest::addRow("Edit") << "Edit" << QStringList {"Edit data...", "Copy graph to the Clipboard"};
    QTest::addRow("View") << "View"
                          << QStringList {"Show/Hide main toolbar",
                                          "Show/Hide table",
                                          "Show/Hide options bar",
                                          "Show/Hide description bar",
                                          "Show/Hide status bar",
                                          "-",
                                          "Refresh",
                                          "-",
                                          "Show errors...",
                                          "-",
                                          "Full screen",
                                          "Fit diagram to window"};
    QTest::addRow("Size") << "Size"
                          << QStringList {"Graph size + 20    (+)", "Graph size - 20     (-)"};
    QTest::addRow("Adds") << "Adds"
                          << QStringList {"Measurement Converter...", "Random graph...", "-",
                                          "Circular statistics in the report",
                                          "Stereonet in the report"};
    QTest::addRow("Help") << "Help" << QStringList {"Help...", "-", "About..."};
}

void CommandsTest::menusInTheirOrder()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    TestProgram program;
    MainWindow &window = program.window;
    MainActions &menus = *actions(window);
    QMenu *found = nullptr;
    for (MenuName name : {MenuName::File, MenuName::Edit, MenuName::View, MenuName::Size,
                          MenuName::Adds, MenuName::Help}) {
        QMenu *m = menus.menu(name);
        if (withoutMnemonic(m->title()) == menu)
            found = m;
    }
    QVERIFY(found);
    QCOMPARE(captions(found), items);
    QVERIFY(found->menuAction()->isVisible());
}

void CommandsTest::menusHaveMnemonics_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::addRow("Polish") << QLocale(QLocale::Polish, QLocale::Poland);
}

// Alt and a letter reach every menu, and a letter every item of an open menu: the menu titles
// share the window's Alt keys with its buttons (the tool bar's), the items share their menu's.
void CommandsTest::menusHaveMnemonics()
{
    QFETCH(QLocale, locale);
    installTranslations(*qApp, locale);
    const auto english = qScopeGuard([] { installTranslations(*qApp, QLocale::c()); });
    TestProgram program;
    MainWindow &window = program.window;
    QStringList problems;
    const auto claim = [&problems](QMap<QKeySequence, QString> &keys, const QString &text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty())
            problems << QStringLiteral("no mnemonic: ") + text;
        else if (keys.contains(key))
            problems << text + QStringLiteral(" clashes with ") + keys.value(key);
        keys.insert(key, text);
    };
    QMap<QKeySequence, QString> windowKeys;
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        // The dialogs the window owns have Alt keys of their own.
        if (button->window() == &window && !QKeySequence::mnemonic(button->text()).isEmpty())
            claim(windowKeys, button->text());
    }
    QList<QMenu *> menus;
    for (QAction *title : window.menuBar()->actions()) {
        if (!title->menu())
            continue;
        menus << title->menu();
        claim(windowKeys, title->text());
        QMap<QKeySequence, QString> itemKeys;
        for (QAction *item : title->menu()->actions()) {
            if (!item->isSeparator())
                claim(itemKeys, item->text());
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));

    // Alt with the first title's letter opens that menu.
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QKeyCombination key = QKeySequence::mnemonic(menus.first()->title())[0];
    QTest::keyClick(&window, key.key(), key.keyboardModifiers());
    QTRY_VERIFY(menus.first()->isVisible());
}

void CommandsTest::commandsWithPictures_data()
{
    QTest::addColumn<QString>("command");
    for (const char *name :
         {"newAction", "openAction", "saveGraphAction", "saveHtmlAction", "printAction",
          "editDataAction", "copyGraphAction", "helpAction", "refreshAction"})
        QTest::addRow("%s", name) << QString::fromLatin1(name);
}

void CommandsTest::commandsWithPictures()
{
    QFETCH(QString, command);
    TestProgram program;
    MainWindow &window = program.window;
    const auto *action = window.findChild<QAction *>(command);
    QVERIFY(action);
    // Drawn from the theme or from our own pictures; the offscreen platform has no theme.
    QVERIFY(!action->icon().pixmap(16).isNull());
    QVERIFY(!action->icon().pixmap(24).isNull());
}

void CommandsTest::previewMenuHasTheWindowsPictures()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    DiagramCommands &diagram = *diagramCommands(window);
    QList<qint64> shown;
    QTimer answerer;
    answerer.setInterval(10);
    connect(&answerer, &QTimer::timeout, this, [&shown] {
        if (auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget())) {
            for (QAction *item : preview->contextMenu()->actions()) {
                if (!item->icon().isNull())
                    shown << item->icon().cacheKey();
            }
            preview->accept();
        }
    });
    answerer.start();
    diagram.preview();
    answerer.stop();
    QCOMPARE(shown,
             QList<qint64>({action(window, "copyGraphAction")->icon().cacheKey(),
                            action(window, "printAction")->icon().cacheKey()}));
}

void CommandsTest::sizeCommandsThroughKeysAndButtons()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit *size = optionsBar(window)->sizeBox();

    size->setFocus();
    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("465"));
    QTest::keyClick(size, Qt::Key_Return);
    QCOMPARE(size->text(), QStringLiteral("480"));
    QCoreApplication::processEvents(); // the picture follows the style once the loop runs
    QCOMPARE(diagramView(window)->picture().width(), 480);

    // The main block's "=" and "-" keys work wherever no edit box takes them.
    pages(window)->setFocus();
    QTest::keyClick(&window, Qt::Key_Equal);
    QCOMPARE(size->text(), QStringLiteral("500"));
    QTest::keyClick(&window, Qt::Key_Minus);
    QTest::keyClick(&window, Qt::Key_Minus);
    QCOMPARE(size->text(), QStringLiteral("460"));
    // The keypad's minus is not the size command.
    QTest::keyClick(&window, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(size->text(), QStringLiteral("460"));

    QTest::mouseClick(optionsBar(window)->plusButton(), Qt::LeftButton);
    QCOMPARE(size->text(), QStringLiteral("480"));
    QTest::mouseClick(optionsBar(window)->minusButton(), Qt::LeftButton);
    QCOMPARE(size->text(), QStringLiteral("460"));
    QCoreApplication::processEvents();
    QCOMPARE(diagramView(window)->picture().width(), 460);
}

void CommandsTest::fitToWindowShowsLargerButSavesGraphSize()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.resize(1200, 900);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.openCommandLineFile(QString()); // the empty grid
    DiagramView &view = *diagramView(window);
    QAction *fit = action(window, "fitToWindowAction");
    QVERIFY(!fit->isChecked());
    QCOMPARE(view.imageRect().size(), QSize(460, 460));

    fit->trigger();
    QVERIFY(fit->isChecked());
    const QSize page = view.viewport()->size();
    const int side = std::min(page.width(), page.height());
    QVERIFY(side > 460);
    QCOMPARE(view.imageRect().size(), QSize(side, side));
    // Centred: an odd margin leaves half a pixel to one side.
    const QPoint offCentre = view.imageRect().center() - view.viewport()->rect().center();
    QVERIFY2(std::abs(offCentre.x()) <= 1 && std::abs(offCentre.y()) <= 1,
             qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));
    // Whatever leaves the program keeps "Graph size".
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("rose.png"));
    diagramCommands(window)->setSaveChooser([&](const QString &, QString *filter) {
        *filter = imageFilters().filter(QStringLiteral("*.PNG")).first();
        return saved;
    });
    diagramCommands(window)->saveImage();
    QCOMPARE(QImage(saved).size(), QSize(460, 460));

    // A size command shows the size it chose.
    diagramCommands(window)->enlarge();
    QCoreApplication::processEvents();
    QVERIFY(!fit->isChecked());
    QVERIFY(!viewState(window)->fitToWindow());
    QCOMPARE(view.imageRect().size(), QSize(480, 480));
}

void CommandsTest::plusAndMinusKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("where"); // "window", "options" or "description"
    QTest::addColumn<bool>("floating");
    QTest::addColumn<QString>("size");
    QTest::addRow("plus key of its own (German)")
        << int(Qt::Key_Plus) << "window" << false << "480";
    QTest::addRow("floating options bar, =") << int(Qt::Key_Equal) << "options" << true << "480";
    QTest::addRow("floating options bar, -") << int(Qt::Key_Minus) << "options" << true << "440";
    QTest::addRow("floating description bar, +")
        << int(Qt::Key_Plus) << "description" << true << "480";
    QTest::addRow("edit box in a floating bar types")
        << int(Qt::Key_Equal) << "description text" << true << "460";
}

void CommandsTest::plusAndMinusKeys()
{
    QFETCH(int, key);
    QFETCH(QString, where);
    QFETCH(bool, floating);
    QFETCH(QString, size);
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    optionsDock(window)->setFloating(floating);
    descriptionDock(window)->setFloating(floating);
    QWidget *target = pages(window);
    if (where == QLatin1String("options"))
        target = optionsBar(window)->defaultsButton();
    else if (where == QLatin1String("description"))
        target = descriptionBar(window)->boldBox();
    else if (where == QLatin1String("description text"))
        target = descriptionBar(window)->textBox();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(optionsBar(window)->sizeBox()->text(), size);
}

void CommandsTest::badSizeTextWarnsAndKeepsTheText()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QCoreApplication::processEvents(); // the first picture is drawn
    DiagramCommands &diagram = *diagramCommands(window);
    QLineEdit *size = optionsBar(window)->sizeBox();
    const int before = diagramView(window)->picture().width();
    size->setFocus();
    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("4x0"));
    const auto boxes = collectMessageBoxes([&] { QTest::keyClick(size, Qt::Key_Return); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().caption, QStringLiteral("Quorel"));
    QCOMPARE(boxes.first().text, QStringLiteral("\"4x0\" is not a valid integer !"));
    QCOMPARE(boxes.first().icon, QMessageBox::Warning);
    QCOMPARE(size->text(), QStringLiteral("4x0"));
    QCOMPARE(diagramView(window)->picture().width(), before);
    const auto enlarge = collectMessageBoxes([&] { diagram.enlarge(); });
    QCOMPARE(enlarge.size(), 1);
}

void CommandsTest::saveGraphProposesLowerCaseName_data()
{
    QTest::addColumn<QByteArray>("loaded"); // empty: nothing loaded
    QTest::addColumn<QString>("proposed");
    QTest::addRow("nothing loaded") << QByteArray() << "quorel.wmf";
    QTest::addRow("A.qrl loaded") << QByteArray("A.qrl") << "A.wmf";
}

void CommandsTest::saveGraphProposesLowerCaseName()
{
    QFETCH(QByteArray, loaded);
    QFETCH(QString, proposed);
    QTemporaryDir dir;
    TestProgram program;
    MainWindow &window = program.window;
    if (!loaded.isEmpty())
        readAndWait(program.document, writeFile(dir, QString::fromLatin1(loaded), "10\n20\n"));
    diagramCommands(window)->setImageFolder(dir.path());
    // The user takes the name the dialog offers, as shown.
    QString offered;
    QTimer answerer;
    answerer.setInterval(10);
    connect(&answerer, &QTimer::timeout, this, [&offered] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            offered = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    answerer.start();
    diagramCommands(window)->saveImage();
    answerer.stop();
    QCOMPARE(offered, proposed);
    QCOMPARE(QDir(dir.path())
                 .entryList({QStringLiteral("*.wmf"), QStringLiteral("*.WMF")},
                            QDir::Files | QDir::CaseSensitive),
             QStringList({proposed}));
}

void CommandsTest::windowShortcutsWorkInEditBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("floating");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("selected"); // text selected in the box
    QTest::addColumn<int>("runs");
    const QKeySequence editData(QStringLiteral("Ctrl+E"));
    const QKeySequence copy(QStringLiteral("Ctrl+C"));
    QTest::addRow("Ctrl+E in Description")
        << "descriptionBox" << false << editData << "editDataAction" << false << 1;
    QTest::addRow("Ctrl+E in recent files")
        << "recentFilesBox" << false << editData << "editDataAction" << false << 1;
    QTest::addRow("Ctrl+E in size")
        << "sizeBox" << false << editData << "editDataAction" << false << 1;
    QTest::addRow("Ctrl+E in X") << "xBox" << false << editData << "editDataAction" << false << 1;
    QTest::addRow("Ctrl+E in floating Y")
        << "yBox" << true << editData << "editDataAction" << false << 1;
    QTest::addRow("Ctrl+C copies the graph")
        << "descriptionBox" << false << copy << "copyGraphAction" << false << 1;
    QTest::addRow("Ctrl+C copies selected text")
        << "descriptionBox" << false << copy << "copyGraphAction" << true << 0;
}

void CommandsTest::windowShortcutsWorkInEditBoxes()
{
    QFETCH(QString, box);
    QFETCH(bool, floating);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, command);
    QFETCH(bool, selected);
    QFETCH(int, runs);
    TestProgram program;
    MainWindow &window = program.window;
    program.document.setCurrentFileName(QStringLiteral("/nonexistent/a.qrl"));
    program.document.editStyle([](DiagramStyle &style) { style.descriptionText = "text"; });
    descriptionDock(window)->setFloating(floating);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *action = window.findChild<QAction *>(command);
    QVERIFY(action);
    action->disconnect(); // counted, not run
    QSignalSpy triggered(action, &QAction::triggered);
    auto *target = window.findChild<QWidget *>(box);
    QVERIFY(target);
    target->activateWindow();
    target->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(target); edit && selected)
        edit->selectAll();
    QTest::keySequence(target, keys);
    QCOMPARE(triggered.count(), runs);
}

void CommandsTest::tableToggleAndItsCheckMark()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(action(window, "toggleTableAction")->isChecked());
    QTest::keyClick(&window, Qt::Key_F3);
    QVERIFY(!measurementTable(window)->isVisible());
    QVERIFY(!action(window, "toggleTableAction")->isChecked());
    QTest::keyClick(&window, Qt::Key_F3);
    QVERIFY(measurementTable(window)->isVisible());
    QVERIFY(action(window, "toggleTableAction")->isChecked());

    QTest::keyClick(&window, Qt::Key_F4);
    QVERIFY(!optionsDock(window)->isVisible());
    QVERIFY(!action(window, "toggleOptionsBarAction")->isChecked());
    QTest::keyClick(&window, Qt::Key_F2);
    QVERIFY(!mainToolBar(window)->isVisible());
    QVERIFY(!action(window, "toggleToolBarAction")->isChecked());
}

void CommandsTest::statusBarToggleKeepsTheBars()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F6);
    QVERIFY(!descriptionDock(window)->isVisible());
    QTest::keyClick(&window, Qt::Key_F7);
    QVERIFY(!mainStatusBar(window)->isVisible());
    QVERIFY(!descriptionDock(window)->isVisible());
    QVERIFY(optionsDock(window)->isVisible());
    QVERIFY(mainToolBar(window)->isVisible());
    QVERIFY(!action(window, "toggleStatusBarAction")->isChecked());
    QTest::keyClick(&window, Qt::Key_F7);
    QVERIFY(mainStatusBar(window)->isVisible());
}

void CommandsTest::tablePanelNeverNarrowerThanItsColumns()
{
    TestProgram program;
    MainWindow &window = program.window;
    QHeaderView *header = measurementTable(window)->horizontalHeader();
    const int columns = header->sectionSize(0) + header->sectionSize(1);
    QCOMPARE(measurementTable(window)->minimumWidth(), std::max(50, columns));
}

void CommandsTest::diagramTabRegistersButShortcutDoesNot()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    int registrations = 0;
    viewCommands(window)->setOnDiagramTab([&] { ++registrations; });
    QTabWidget *pages = testhelpers::pages(window);
    pages->setCurrentIndex(1);
    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(registrations, 0);
    pages->setCurrentIndex(1);
    emit pages->tabBar()->tabBarClicked(0);
    QCOMPARE(registrations, 1);
}

void CommandsTest::randomGraphStandsAlone()
{
    QTemporaryDir dir;
    qputenv("TMPDIR", dir.path().toUtf8());
    const QString data = writeFile(dir, QStringLiteral("before.qrl"), "10\n20\n");
    TestProgram program;
    MainWindow &window = program.window;
    readAndWait(program.document, data);
    program.document.editStyle(
        [](DiagramStyle &style) { style.descriptionText = "kept out of the random graph"; });
    toolCommands(window)->generateRandomGraph(500);
    waitUntilIdle(program.document);
    QCOMPARE(countLabel(window)->text(), QStringLiteral("500"));
    QVERIFY(program.document.currentFileName().isEmpty());
    QVERIFY(!program.document.isRandomGraph());
    QVERIFY(!action(window, "editDataAction")->isEnabled());
    QCOMPARE(window.windowTitle(), QStringLiteral("Quorel - RANDOM GRAPH"));
    QVERIFY(program.document.style().descriptionText.empty());
    QCOMPARE(recentFiles(window)->box()->currentText(), QStringLiteral("RANDOM GRAPH"));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("__QUOREL_RANDOM_GRAPH__.qrl"))));
    errorsWindow(window)->refresh();
    QCOMPARE(errorsWindow(window)->shownText(), QStringLiteral("RANDOM GRAPH"));
    qunsetenv("TMPDIR");

    toolCommands(window)->generateRandomGraph(0);

    waitUntilIdle(program.document);
    QCOMPARE(countLabel(window)->text(), QStringLiteral("0"));
}

void CommandsTest::settingsAndWriteBackRoundTrip()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Quorel.conf"));
    const QString first = writeFile(dir, QStringLiteral("first.qrl"), "10\n20\n");
    const QString second = writeFile(dir, QStringLiteral("second.txt"), "30\n");
    {
        TestProgram program;
        MainWindow &window = program.window;
        SettingsStore store(ini);
        WindowPersistence persistence(program.document, store);
        window.usePersistence(persistence);
        window.loadSettings();
        QCOMPARE(optionsBar(window)->sizeBox()->text(), QStringLiteral("460"));
        QCOMPARE(program.document.style().mainLineColor, clSilver);
        window.show();
        readAndWait(program.document, first);
        program.document.editStyle([](DiagramStyle &style) { style.fillColor = clRed; });
        diagramCommands(window)->enlarge();
        action(window, "toggleTableAction")->trigger(); // hide the table
        action(window, "fitToWindowAction")->trigger();
        // Opening another file writes the look into the .qrl file being left.
        readAndWait(program.document, second);
        const QByteArray written = readFile(first);
        QVERIFY(written.contains(";DiagWidth=480\n"));
        QVERIFY(written.contains(";FillColor=255\n"));
        QVERIFY(written.startsWith("10\n20\n")); // in the file's own line ends
        QCOMPARE(readFile(second), QByteArray("30\n")); // other extensions stay as they are
        window.close();
    }
    {
        TestProgram program;
        MainWindow &window = program.window;
        SettingsStore store(ini);
        WindowPersistence persistence(program.document, store);
        window.usePersistence(persistence);
        window.loadSettings();
        QCOMPARE(optionsBar(window)->sizeBox()->text(), QStringLiteral("480"));
        QCOMPARE(program.document.style().fillColor, clRed);
        QVERIFY(!measurementTable(window)->isVisibleTo(&window));
        QVERIFY(!action(window, "toggleTableAction")->isChecked());
        QVERIFY(viewState(window)->fitToWindow());
        QVERIFY(action(window, "fitToWindowAction")->isChecked());
        const auto &recent = recentFiles(window)->entries();
        QCOMPARE(recent.size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(recent.front()), second);
    }
}

// Leaving a file that is not text writes nothing into it and says so on the status line, after
// the next file's own status, once for as long as the file stays as it is; never in a box.
void CommandsTest::fileThatIsNotTextIsNamedOnceAndNeverWritten()
{
    QTemporaryDir dir;
    QByteArray utf16("\xFF\xFE"
                     "1\0"
                     "0\0\r\0\n\0",
                     10);
    const QString textless = writeFile(dir, QStringLiteral("utf16.qrl"), utf16);
    const QString other = writeFile(dir, QStringLiteral("other.qrl"), "30\r\n");
    TestProgram program;
    MainWindow &window = program.window;
    SettingsStore store(dir.filePath(QStringLiteral("Quorel.conf")));
    WindowPersistence persistence(program.document, store);
    Document &document = program.document;
    const QString note = QStringLiteral(
        "OK \u2014 utf16.qrl is not a text file (NUL byte at offset 3): nothing written");
    const QStringList expected = {note, QStringLiteral("OK"), note};
    QStringList shown;
    const QList<SeenBox> boxes = collectMessageBoxes([&] {
        for (int round = 0; round < 3; ++round) {
            if (round == 2) {
                utf16 += QByteArray("2\0", 2); // touched: worth saying again
                writeFile(dir, QStringLiteral("utf16.qrl"), utf16);
            }
            QVERIFY(readAndWait(document, textless));
            editStyle(document, [round](DiagramStyle &style) { style.fillColor = round; });
            QVERIFY(readAndWait(document, other));
            shown << mainStatusBar(window)->statusText();
        }
    });
    QCOMPARE(shown, expected);
    QVERIFY(boxes.isEmpty());
    QCOMPARE(readFile(textless), utf16);
}

void CommandsTest::longSectorListsShowTheirStart()
{
    QTemporaryDir dir;
    QByteArray lines;
    for (int i = 0; i < 5000; ++i)
        lines += "5.25\n";
    TestProgram program;
    MainWindow &window = program.window;
    readAndWait(program.document, writeFile(dir, QStringLiteral("one-sector.qrl"), lines));
    QCOMPARE(countLabel(window)->text(), QStringLiteral("5000"));
    const QAbstractItemModel *stats = statsTable(window)->model();
    const QString shown = stats->data(stats->index(0, 2)).toString();
    QVERIFY(shown.size() <= 8192);
    QVERIFY(shown.size() > 8000);
    QVERIFY(shown.startsWith(QStringLiteral("5.25; 5.25")));
    QVERIFY(shown.endsWith(QStringLiteral("; 5.25"))); // cut after a whole measurement
    QCOMPARE(stats->data(stats->index(0, 1)).toString(), QStringLiteral("5000"));
}

void CommandsTest::printJobIsNamedAfterTheFile()
{
    QTemporaryDir dir;
    TestProgram program;
    MainWindow &window = program.window;
    QString jobName;
    diagramCommands(window)->setPrintChooser([&](QPrinter &printer) {
        jobName = printer.docName();
        return false;
    });
    diagramCommands(window)->print();
    QCOMPARE(jobName, QStringLiteral("Printing: Quorel"));
    readAndWait(program.document, writeFile(dir, QStringLiteral("A.qrl"), "10\n"));
    diagramCommands(window)->print();
    QCOMPARE(jobName, QStringLiteral("Printing: A.qrl - Quorel"));
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
