#include "gui/data/elapsedtime.h"
#include "gui/data/errorswindow.h"
#include "gui/data/progresswindow.h"
#include "gui/shell/mainstatusbar.h"
#include "gui/shell/traycontroller.h"
#include "gui/tools/programicon.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

using namespace quorel;

class WindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void progressAborts_data();
    void progressAborts();
    void progressTakesEscapeWithoutAClick();
    void progressClockStartsAtZeroForEachRead();
    void progressShowsLines();
    void progressLeavesTheScreenAfterAShortRead();
    void progressIsRoundedAndDraggable();
    void errorsWindowFollowsReport();
    void errorsWindowClosesOnKeys_data();
    void errorsWindowClosesOnKeys();
    void trayMenu();
    void bannerPainted();
};

void WindowsTest::progressAborts_data()
{
    QTest::addColumn<QString>("how");
    QTest::addRow("abort button") << "button";
    QTest::addRow("escape") << "escape";
    QTest::addRow("closing the window") << "close";
}

void WindowsTest::progressAborts()
{
    QFETCH(QString, how);
    ProgressWindow progress;
    QSignalSpy aborted(&progress, &ProgressWindow::aborted);
    progress.begin(10);
    QVERIFY(QTest::qWaitForWindowExposed(&progress));
    QVERIFY(!progress.isCancelled());
    if (how == QLatin1String("button")) {
        QTest::mouseClick(progress.findChild<QPushButton *>(), Qt::LeftButton);
    } else if (how == QLatin1String("escape")) {
        progress.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&progress));
        QTest::keyClick(&progress, Qt::Key_Escape);
    } else {
        progress.close();
    }
    QVERIFY(progress.isCancelled());
    QVERIFY(!progress.isVisible());
    QCOMPARE(aborted.count(), 1);
    progress.clearCancel();
    QVERIFY(!progress.isCancelled());
}

void WindowsTest::progressTakesEscapeWithoutAClick()
{
    // The main window has the keyboard when a read starts; the progress window takes it and gives
    // it back at the end.
    QWidget host;
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    ProgressWindow progress;
    progress.begin(10, &host);
    QTRY_COMPARE(QApplication::activeWindow(), &progress);
    progress.end();
    QTRY_COMPARE(QApplication::activeWindow(), &host);
    // A window manager may keep the keyboard on the main window: Escape there aborts too.
    progress.begin(10, &host);
    host.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &host);
    QTest::keyClick(&host, Qt::Key_Escape);
    QVERIFY(progress.isCancelled());
    QTRY_COMPARE(QApplication::activeWindow(), &host);
}

void WindowsTest::progressClockStartsAtZeroForEachRead()
{
    const QString zero = elapsedTimeText(0, QLocale::system());
    ProgressWindow progress;
    progress.begin(10);
    QCOMPARE(progress.timeText(), zero);
    QTRY_COMPARE_WITH_TIMEOUT(progress.timeText(), elapsedTimeText(1000, QLocale::system()), 3000);
    progress.end();
    progress.begin(10);
    QCOMPARE(progress.timeText(), zero);
}

void WindowsTest::progressLeavesTheScreenAfterAShortRead()
{
    // A window manager maps a window some time after it is asked to: after a read shorter than
    // that, it maps the progress window that has been hidden meanwhile. Here the window is mapped
    // from outside once it is hidden, as the window manager does; it must leave the screen
    // again. Only an X server maps windows (test_gui_windows_x11); offscreen this passes as is.
    ProgressWindow progress;
    progress.begin(3);
    progress.end();
    QTest::qWait(200);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QCOMPARE(
            QProcess::execute(QStringLiteral("xdotool"),
                              {QStringLiteral("windowmap"), QString::number(progress.winId())}),
            0);
    }
    QTest::qWait(500);
    QVERIFY(!progress.isVisible());
    QVERIFY(!progress.windowHandle()->isExposed());
}

void WindowsTest::progressShowsLines()
{
    ProgressWindow progress;
    progress.begin(120);
    progress.setLine(7, 120);
    QCOMPARE(progress.lineText(), QStringLiteral("Line 7 / 120"));
    QCOMPARE(progress.findChild<QProgressBar *>()->value(), 7);
    QCOMPARE(progress.findChild<QProgressBar *>()->maximum(), 120);
    const QList<QLabel *> labels = progress.findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel *label) {
        return label->text() == QStringLiteral("Analyzing...");
    }));
    QCOMPARE(progress.findChild<QPushButton *>()->text(), QStringLiteral("&Abort"));
    // A file with more lines than the bar counts is shown to scale, never overflowing.
    const qint64 huge = 5'000'000'000LL;
    progress.begin(huge);
    progress.setLine(huge, huge);
    QVERIFY(progress.findChild<QProgressBar *>()->value() > 0);
    QCOMPARE(progress.findChild<QProgressBar *>()->value(),
             progress.findChild<QProgressBar *>()->maximum());
    progress.end();
    QVERIFY(!progress.isVisible());

    // It opens centred on the main window.
    QWidget host;
    host.setGeometry(100, 120, 400, 300);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    progress.begin(5, &host);
    const QPoint offset = progress.frameGeometry().center() - host.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
}

void WindowsTest::progressIsRoundedAndDraggable()
{
    ProgressWindow progress;
    progress.begin(1);
    QVERIFY(QTest::qWaitForWindowExposed(&progress));
    QVERIFY(progress.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(progress.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(progress.size(), QSize(310, 85));
    const QRegion mask = progress.mask();
    QVERIFY(!mask.contains(QPoint(0, 0))); // corners cut
    QVERIFY(mask.contains(QPoint(155, 40)));
    const QPoint before = progress.pos();
    QTest::mousePress(&progress, Qt::LeftButton, {}, QPoint(20, 70));
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 90), progress.mapToGlobal(QPointF(60, 90)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&progress, &move);
    QTest::mouseRelease(&progress, Qt::LeftButton, {}, QPoint(60, 90));
    QCOMPARE(progress.pos() - before, QPoint(40, 20));
}

void WindowsTest::errorsWindowFollowsReport()
{
    ErrorsWindow errors;
    QCOMPARE(errors.shownText(), QString()); // before any read: empty
    QString report = QStringLiteral("RANDOM GRAPH");
    errors.setReportSource([&] { return report; });
    errors.show();
    QVERIFY(QTest::qWaitForWindowExposed(&errors));
    QCOMPARE(errors.shownText(), QStringLiteral("RANDOM GRAPH"));
    report = QStringLiteral("File: a\nNo errors.");
    errors.hide();
    errors.show();
    QCOMPARE(errors.shownText(), report);
    QCOMPARE(errors.minimumSize(), QSize(100, 100));
    QVERIFY(errors.findChild<QPlainTextEdit *>()->isReadOnly());
}

void WindowsTest::errorsWindowClosesOnKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addRow("F12") << int(Qt::Key_F12);
    QTest::addRow("Escape") << int(Qt::Key_Escape);
}

void WindowsTest::errorsWindowClosesOnKeys()
{
    QFETCH(int, key);
    ErrorsWindow errors;
    errors.show();
    QVERIFY(QTest::qWaitForWindowActive(&errors));
    QTest::keyClick(errors.findChild<QPlainTextEdit *>(), Qt::Key(key));
    QVERIFY(!errors.isVisible());
}

void WindowsTest::trayMenu()
{
    TrayController tray;
    QStringList texts;
    for (QAction *action : tray.menu()->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(texts, QStringList({"&Show/Hide main window", "-", "&Open...", "-", "Exit"}));
    QSignalSpy open(&tray, &TrayController::openRequested);
    QSignalSpy exit(&tray, &TrayController::exitRequested);
    tray.openAction()->trigger();
    tray.exitAction()->trigger();
    QCOMPARE(open.count(), 1);
    QCOMPARE(exit.count(), 1);
    // The tray shows the program's rose: drawn, not an empty picture of the right size.
    const QImage rose = programIcon().pixmap(64, 64).toImage();
    QCOMPARE(rose.size(), QSize(64, 64));
    QCOMPARE(rose.pixelColor(32, 32), QColor(0x5c, 0x0c, 0x0c));
    QCOMPARE(rose.pixelColor(0, 0).alpha(), 0);
    // Offscreen has no tray: the controller must say so, so the window never hides itself.
    QVERIFY(!tray.isAvailable());

    // The menu carries its "Quorel" band on the left; the items start right of it.
    QMenu *menu = tray.menu();
    menu->popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QImage image = menu->grab().toImage();
    QCOMPARE(image.pixelColor(3, image.height() - 3), QColor(0, 0, 128));
    QVERIFY(menu->actionGeometry(tray.exitAction()).left() >= 18);
    int light = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < 18; ++x)
            if (image.pixelColor(x, y).red() > 200)
                ++light;
    QVERIFY(light > 5); // the band's text
    menu->hide();
}

void WindowsTest::bannerPainted()
{
    MainStatusBar bar;
    bar.resize(600, 22);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const QImage image = bar.grab().toImage();
    // The banner's panel is black with red text somewhere in its top half.
    QWidget *banner = bar.findChild<QWidget *>(QStringLiteral("banner"));
    QVERIFY(banner);
    const QRect area = banner->geometry();
    QCOMPARE(area.width(), 100);
    int red = 0;
    int black = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == Qt::black)
                ++black;
            else if (c.red() > 150 && c.green() < 80 && c.blue() < 80)
                ++red;
        }
    QVERIFY(black > area.width() * area.height() / 2);
    QVERIFY(red > 10);
}

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
