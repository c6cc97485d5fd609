#include "gui/data/circularstatspanel.h"

#include "core/data/circularsummary.h"
#include "core/persist/writeback.h"
#include "core/tools/circularwording.h"
#include "guitesthelpers.h"
#include "windowparts.h"

#include "core/persist/keyvaluestore.h"
#include "gui/persist/windowpersistence.h"

#include <QCheckBox>
#include <QtTest>

#include <atomic>
#include <memory>

using namespace quorel;
using namespace testhelpers;

// The circular statistics in the window: the panel of the statistics page, the Options bar's
// boxes, what they draw, what the data file and the settings keep of them, and the report's
// menu entry.
class CircularStatsTest : public QObject
{
    Q_OBJECT

private slots:
    void panelTexts_data();
    void panelTexts();
    void axialBoxIsAParameterOfTheFile();
    void marksAreDrawnExplainedAndKept();

private:
    QTemporaryDir m_dir;
};

// The panel's first lines and how many there are; numbers with the document's decimal comma.
void CircularStatsTest::panelTexts_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("lineCount");
    QTest::addRow("no measurements")
        << QByteArray("; nothing\n") << QStringList {"No measurements, no circular statistics."}
        << 1;
    QTest::addRow("one measurement")
        << QByteArray("47\n")
        << QStringList {"One direction, 047,0°: no test with one measurement."} << 1;
    QTest::addRow("directions that cancel out: no mean, no interval")
        << QByteArray("0\n120\n240\n")
        << QStringList {"No preferred direction can be shown (Rayleigh p = 1,000).",
                        "The Rayleigh test looks for one preferred direction: two opposite "
                        "clusters "
                        "cancel out, so treat orientations as axial data.",
                        "Mean resultant length 0,000 (1 = all directions identical, 0 = no common "
                        "direction).",
                        "Circular variance 1,000 (0 = no spread, 1 = maximal spread).",
                        "No mean direction: the directions cancel out (angular deviation ±81,0°).",
                        "Too scattered for a confidence interval of the mean.",
                        "Concentration κ = 0,00 (von Mises model): the larger κ, the tighter the "
                        "cluster.",
                        "Band of chance: 0 to 2 measurements per petal; with random directions all "
                        "36 "
                        "petals stay inside it at least 95 times in 100."}
        << 8;
    QTest::addRow("clustered directions")
        << QByteArray("40,5\n45\n50\n42\n48\n44\n46\n43\n47\n45\n51\n39\n")
        << QStringList {"The directions are significantly clustered around 045,0° (Rayleigh test, "
                        "p < 0,001)."}
        << 8;
    QTest::addRow("two opposite groups")
        << QByteArray("40\n220\n42\n222\n38\n218\n41\n221\n39\n219\n")
        << QStringList {"No preferred direction can be shown (Rayleigh p = 1,000).",
                        "The Rayleigh test looks for one preferred direction: two opposite "
                        "clusters cancel out, so treat orientations as axial data.",
                        "The directions form two opposite groups: switch on Axial data."}
        << 9;
    QFile joints(QStringLiteral(QUOREL_EXAMPLES_DIR "/joints.qrl"));
    QVERIFY(joints.open(QIODevice::ReadOnly));
    // Sets about 040° and 130°: their mean lies in an empty sector and says nothing.
    QTest::addRow("joints: two sets at right angles")
        << joints.readAll()
        << QStringList {"The directions are not spread at random (Rayleigh test, p < 0,001).",
                        "The Rayleigh test looks for one preferred direction: two opposite "
                        "clusters cancel out, so treat orientations as axial data.",
                        "The directions form separate groups: their mean direction, 077,6°, falls "
                        "where few of them lie and describes none of them."}
        << 9;
    QTest::addRow("orientations of the file's ;Axial=1")
        << QByteArray(";Axial=1\n10\n190\n12\n188\n11\n191\n9\n")
        << QStringList {"The orientations cluster around the 010,1°–190,1° axis (p < 0,001).",
                        "Mean resultant length 0,999 of the doubled angles (1 = all orientations "
                        "identical, 0 = no common orientation)."}
        << 7;
}

void CircularStatsTest::panelTexts()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, expected);
    QFETCH(int, lineCount);
    Document document(',', nullptr);
    CircularStatsPanel panel(document);
    QVERIFY(readAndWait(document, writeFile(m_dir, QStringLiteral("panel.qrl"), data)));
    const QStringList lines = panel.text().split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(0, expected.size()), expected);
    QCOMPARE(lines.size(), lineCount);
    // In English the panel says word for word what the command line and the report say.
    QStringList english;
    for (const CircularSentence &sentence :
         circularPanelSentences(document.circularStatistics(), document.showsSignificanceBand(),
                                document.showsMeanDirection()))
        english << QString::fromStdString(englishSentence(sentence, ','));
    QCOMPARE(lines, english);
}

void CircularStatsTest::axialBoxIsAParameterOfTheFile()
{
    TestProgram program;
    MainWindow &window = program.window;
    Document &document = program.document;
    // The write-back runs on the document's thread: its failures are counted, and checked here.
    auto failures = std::make_shared<std::atomic<int>>(0);
    document.setWriteBack([failures](const std::string &file, const DiagramStyle &style) {
        if (!writeDisplayParameters(file, style, "tester").ok())
            ++*failures;
        return WriteBackResult {};
    });
    OptionsBar *bar = optionsBar(window);
    // CR LF files: the lines written are then CR LF too.
    const QString joints = writeFile(m_dir, QStringLiteral("joints.qrl"), "10\r\n20\r\n190\r\n");
    const QString other = writeFile(m_dir, QStringLiteral("other.qrl"), "30\r\n");
    QVERIFY(readAndWait(document, joints));
    QVERIFY(!bar->axialBox()->isChecked());
    const Picture directions = document.picture();
    // Off, the write-back leaves the file without the line, as files were before it existed.
    document.writeBackCurrentFile();
    QVERIFY(!readFile(joints).contains("Axial"));

    bar->axialBox()->click();
    QVERIFY(document.style().axial);
    QVERIFY(document.picture() != directions);
    QVERIFY(document.circularStatistics().axial);
    document.writeBackCurrentFile();
    QCOMPARE(readFile(joints).count(";Axial=1\r\n"), 1);

    // A file without the line holds directions, whatever the file before it held; the line
    // turns the box on again.
    QVERIFY(readAndWait(document, other));
    QVERIFY(!bar->axialBox()->isChecked());
    QVERIFY(!readFile(other).contains("Axial"));
    QVERIFY(readAndWait(document, joints));
    QVERIFY(bar->axialBox()->isChecked());
    QCOMPARE(readFile(joints).count(";Axial=1\r\n"), 1);
    QCOMPARE(failures->load(), 0);
}

void CircularStatsTest::marksAreDrawnExplainedAndKept()
{
    TestProgram program;
    MainWindow &window = program.window;
    Document &document = program.document;
    OptionsBar *bar = optionsBar(window);
    auto *panel = part<CircularStatsPanel>(window);
    QVERIFY(panel);
    QVERIFY(readAndWait(document,
                        writeFile(m_dir, QStringLiteral("marks.qrl"), "40\n45\n50\n42\n48\n")));
    const Picture plain = document.picture();
    const QString plainText = panel->text();

    bar->bandBox()->click();
    const Picture banded = document.picture();
    QVERIFY(banded != plain);
    QVERIFY(panel->text().startsWith(plainText + QLatin1Char('\n')));
    QVERIFY(panel->text().endsWith(QStringLiteral(
        "The shaded ring is the band of chance: with random directions all 36 petals stay "
        "inside it at least 95 times in 100.")));
    bar->meanDirectionBox()->click();
    QVERIFY(document.picture() != banded);
    QVERIFY(panel->text().endsWith(QStringLiteral(
        "The red line shows the mean direction, the red arc its 95% confidence interval.")));

    MemoryKeyValueStore store;
    WindowPersistence persistence(document, store);
    window.usePersistence(persistence);
    Settings kept = persistence.currentSettings();
    QVERIFY(kept.significanceBand && kept.meanDirection && !kept.circularReport);
    action(window, "circularReportAction")->trigger();
    QVERIFY(toolCommands(window)->circularReport());
    QVERIFY(persistence.currentSettings().circularReport);

    // Off again, the picture is the plain rose once more.
    bar->bandBox()->click();
    bar->meanDirectionBox()->click();
    QCOMPARE(document.picture(), plain);
    QCOMPARE(panel->text(), plainText);

    // The settings of the last run turn them on again.
    persistence.applySettings(kept);
    QVERIFY(bar->bandBox()->isChecked() && bar->meanDirectionBox()->isChecked());
    QVERIFY(!action(window, "circularReportAction")->isChecked());
    QVERIFY(!toolCommands(window)->circularReport());
}

QTEST_MAIN(CircularStatsTest)
#include "circularstats_test.moc"
