#include "gui/shell/mainwindow.h"

#include <QtTest>

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void opensAndClosesCleanly();
};

void MainWindowTest::opensAndClosesCleanly()
{
    quorel::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quorel"));
    QVERIFY(window.minimumWidth() >= 750);
    QVERIFY(window.close());
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
