// The window while a file is read: clicks, options and other files reach only finished results,
// and a read can be stopped or the window closed from the first moment, also while the lines
// are still counted. Run in the sanitizer build too, where a view touching the store a read
// fills shows up at once.
#include "gui/data/progresswindow.h"
#include "gui/diagram/diagramview.h"
#include "gui/document/document.h"
#include "gui/shell/mainwindow.h"
#include "guitesthelpers.h"
#include "windowparts.h"

#include <QAction>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <numeric>

#include <sys/stat.h>

using namespace quorel;
using namespace testhelpers;

class ReadConcurrencyTest : public QObject
{
    Q_OBJECT

private slots:
    void signalsComeInTheOrderOfARead_data();
    void signalsComeInTheOrderOfARead();
    void viewsAndCommandsDuringReadsSeeFinishedResults();
    void stopDuringTheLineCount_data();
    void stopDuringTheLineCount();
    void fifoIsRefusedWithAMessage();
};

namespace {

// The counts drawn, the tables and the store agree: one finished result.
void checkConsistent(TestProgram &program)
{
    const MainWindow &window = program.window;
    const Document &document = program.document;
    const SectorArrays &sectors = document.sectors();
    const int binned = std::accumulate(sectors.counts.begin(), sectors.counts.end(), 0);
    QCOMPARE(std::size_t(binned), document.measurementCount());
    QCOMPARE(countLabel(window)->text(), QString::number(document.measurementCount()));
}

} // namespace

void ReadConcurrencyTest::signalsComeInTheOrderOfARead_data()
{
    QTest::addColumn<bool>("randomGraph");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("a data file")
        << false << QStringList {"writeBack first.qrl", "file b.qrl", "titles",  "recent b.qrl",
                                 "status Analyzing",    "status OK",  "finished"};
    // A random graph leaves the file shown before alone and is no recent file.
    QTest::addRow("a random graph")
        << true
        << QStringList {"file b.qrl", "titles", "status Analyzing", "status OK", "finished"};
}

void ReadConcurrencyTest::signalsComeInTheOrderOfARead()
{
    QFETCH(bool, randomGraph);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString first = writeFile(dir, QStringLiteral("first.qrl"), "5\n");
    const QString second = writeFile(dir, QStringLiteral("b.qrl"), "10\n20\n");
    Document document('.', nullptr);
    QStringList calls;
    const auto name = [](const QString &path) {
        return QFileInfo(path).fileName();
    };
    document.setWriteBack([&](const std::string &file, const DiagramStyle &) {
        calls << "writeBack " + name(QString::fromStdString(file));
        return WriteBackResult {};
    });
    QVERIFY(readAndWait(document, first));
    calls.clear();
    connect(&document, &Document::readStarted, &document,
            [&](const QString &path) { calls << "file " + name(path); });
    connect(&document, &Document::titlesChanged, &document, [&] { calls << "titles"; });
    connect(&document, &Document::recentFileAdded, &document,
            [&](const QString &path) { calls << "recent " + name(path); });
    connect(&document, &Document::statusChanged, &document, [&](ReadStatus status) {
        calls << QStringLiteral("status ")
                + (status == ReadStatus::Analyzing ? QStringLiteral("Analyzing")
                                                   : QStringLiteral("OK"));
    });
    connect(&document, &Document::readFinished, &document, [&] { calls << "finished"; });
    document.setRandomGraph(randomGraph);
    QVERIFY(readAndWait(document, second));
    QCOMPARE(calls, expected);
}

void ReadConcurrencyTest::viewsAndCommandsDuringReadsSeeFinishedResults()
{
    QTemporaryDir dir;
    const QString large = writeFile(dir, QStringLiteral("large.qrl"), azimuthLines(200000));
    const QString small = writeFile(dir, QStringLiteral("small.qrl"), "10\n20\n30\n");
    TestProgram program;
    MainWindow &window = program.window;
    program.document.setProgressInterval(1);
    program.document.setProgressDelay(0);
    window.resize(1000, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DiagramView *view = diagramView(window);
    QAction *refresh = window.findChild<QAction *>(QStringLiteral("refreshAction"));
    QVERIFY(refresh);

    for (int round = 0; round < 12; ++round) {
        const QString path = round % 3 == 2 ? small : large;
        QVERIFY(program.document.read(path));
        int turns = 0;
        while (program.document.isBusy()) {
            ++turns;
            const QPoint centre = view->viewport()->rect().center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton,
                              turns % 2 ? Qt::ControlModifier : Qt::NoModifier,
                              centre + QPoint(turns % 40 - 20, -(turns % 30)));
            viewState(window)->selectPetal(1 + turns % 36, turns % 3 == 0);
            program.document.setShowSignificanceBand(turns % 2 == 0);
            program.document.setShowMeanDirection(turns % 3 == 0);
            program.document.setRingLabels(turns % 5 == 0);
            editStyle(program.document,
                      [turns](DiagramStyle &style) { style.axial = turns % 4 == 0; });
            measurementTable(window)->selectAll();
            view->viewport()->repaint();
            // Another file while this one is read is refused, whichever way it comes.
            QVERIFY(!program.document.read(small));
            refresh->trigger();
            QTest::qWait(1);
        }
        checkConsistent(program);
        QCOMPARE(program.document.currentFileName(), path);
    }
}

void ReadConcurrencyTest::stopDuringTheLineCount_data()
{
    QTest::addColumn<bool>("closeWindow");
    QTest::addRow("escape") << false;
    QTest::addRow("close the window") << true;
}

void ReadConcurrencyTest::stopDuringTheLineCount()
{
    QFETCH(bool, closeWindow);
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("slow.qrl"), azimuthLines(500));
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The file reads as slowly as a disk that does not answer: its count never ends by itself.
    program.document.holdReadBeforeLine(0);
    QSignalSpy progress(&program.document, &Document::progressChanged);
    QVERIFY(program.document.read(path));
    QTRY_VERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().at(0).value<ReadProgress::Phase>(), ReadProgress::Phase::Counting);
    QTRY_VERIFY(progressWindow(window)->isVisible());
    QCOMPARE(progressWindow(window)->lineText(), QStringLiteral("Counting lines..."));

    if (closeWindow) {
        QVERIFY(!window.close()); // the close waits for the read to stop
        QTRY_VERIFY(!window.isVisible());
    } else {
        QTest::keyClick(QApplication::activeWindow() ? QApplication::activeWindow() : &window,
                        Qt::Key_Escape);
        QTRY_VERIFY(program.document.isIdle());
        QVERIFY(window.isVisible());
    }
    waitUntilIdle(program.document);
    QVERIFY(program.document.result().summary.cancelled);
    QCOMPARE(program.document.measurementCount(), std::size_t(0));
    QVERIFY(!progressWindow(window)->isVisible());
}

void ReadConcurrencyTest::fifoIsRefusedWithAMessage()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.qrl"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    TestProgram program;
    MainWindow &window = program.window;
    bool shownFirst = false;
    const QList<SeenBox> boxes = collectMessageBoxes([&] {
        window.openCommandLineFile(fifo, [&] {
            window.show();
            shownFirst = true;
        });
        waitUntilIdle(program.document);
    });
    QVERIFY(shownFirst);
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.first().text.contains(QStringLiteral("not a regular file"), Qt::CaseInsensitive),
             qPrintable(boxes.first().text));
    QCOMPARE(mainStatusBar(window)->statusText(), QString()); // not "Analyzing..." any more
    QVERIFY(window.close());
}

QTEST_MAIN(ReadConcurrencyTest)
#include "readconcurrency_test.moc"
