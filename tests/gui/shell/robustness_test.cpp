#include "core/diagram/color.h"
#include "gui/data/errorswindow.h"
#include "gui/data/progresswindow.h"
#include "gui/diagram/previewwindow.h"
#include "gui/persist/settingsstore.h"
#include "gui/persist/windowpersistence.h"
#include "gui/shell/mainwindow.h"
#include "gui/tools/aboutbox.h"
#include "gui/tools/converterwindow.h"
#include "gui/tools/toolcommands.h"

#include "../addresslimit.h"
#include "guitesthelpers.h"
#include "windowparts.h"

#include <QLabel>
#include <QProcess>
#include <QtTest>

#include <sys/resource.h>

using namespace quorel;
using namespace testhelpers;

// Every window and dialog opened and closed many times: under the sanitizer build a leak or a
// use after free shows up here.
class RobustnessTest : public QObject
{
    Q_OBJECT

private slots:
    void secondaryWindowsOpenAndClose();
    void mainWindowsComeAndGo();
    void tooManyRandomMeasurementsChangeNothing();
    void fileTooLargeForTheMemoryKeepsPreviousFileAndSettings();
    void hugeStoredWindowSizeIsHeldToTheDesktop();
};

namespace {

constexpr int rounds = 100;

// The child run of the memory test reads its files from this folder.
constexpr char childFolderVariable[] = "QUOREL_TEST_MEMORY_FOLDER";

// Bytes of address space the process uses now.
std::size_t addressSpaceInUse()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').first().toULongLong() * 1024;
    }
    return 0;
}

// Holds the process to `bytes` of address space for its scope (the soft limit only, so the old
// one can come back).
class AddressSpaceLimit
{
public:
    explicit AddressSpaceLimit(std::size_t bytes)
    {
        getrlimit(RLIMIT_AS, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_AS, &limit);
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &m_old); }
    AddressSpaceLimit(const AddressSpaceLimit &) = delete;
    AddressSpaceLimit &operator=(const AddressSpaceLimit &) = delete;

private:
    rlimit m_old {};
};

// The window as the program assembles it: its settings (under XDG_CONFIG_HOME) and write-back.
struct ProgramWindow
{
    ProgressWindow progress;
    Document document;
    MainWindow window {document, &progress};
    SettingsStore settings;
    WindowPersistence persistence {document, settings};
};

// The child's part of the memory test: reads the previous file, changes its look, then reads a
// file whose measurements do not fit in what is left of the address space, and closes.
void readUnderAddressLimit(const QString &folder)
{
    ProgramWindow program;
    MainWindow &window = program.window;
    window.usePersistence(program.persistence);
    window.loadSettings();
    // Progress is shown only at the end, so nothing but the reader asks for memory meanwhile.
    program.document.setProgressInterval(1 << 30);
    window.show();
    QVERIFY(testhelpers::readAndWait(program.document, folder + QStringLiteral("/previous.qrl")));
    program.document.editStyle([](DiagramStyle &style) { style.fillColor = clRed; });

    const QString large = folder + QStringLiteral("/large.qrl");
    QList<testhelpers::SeenBox> boxes;
    {
        AddressSpaceLimit limit(addressSpaceInUse() + (std::size_t(8) << 20));
        boxes = testhelpers::collectMessageBoxes(
            [&] { QVERIFY(!testhelpers::readAndWait(program.document, large)); });
    }
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().caption, QStringLiteral("Quorel"));
    QCOMPARE(boxes.first().text,
             QStringLiteral("Not enough memory to read file \"") + large + QStringLiteral("\"."));
    QCOMPARE(countLabel(window)->text(), QStringLiteral("0"));
    QVERIFY(window.close());
}

} // namespace

void RobustnessTest::secondaryWindowsOpenAndClose()
{
    TestProgram program;
    MainWindow &window = program.window;
    window.show();
    for (int i = 0; i < rounds; ++i) {
        errorsWindow(window)->show();
        errorsWindow(window)->close();
        toolCommands(window)->converter()->show();
        toolCommands(window)->converter()->close();
        toolCommands(window)->about()->show();
        toolCommands(window)->about()->close();
        testhelpers::progressWindow(window)->begin(10, &window);
        testhelpers::progressWindow(window)->end();

        PreviewHost host;
        host.picture = [&window] {
            return Picture(40, 40);
        };
        host.colors = [] {
            return classicSystemColors();
        };
        PreviewWindow preview(host, &window);
        preview.show();
        preview.close();
    }
    QVERIFY(window.isVisible());
    QVERIFY(!errorsWindow(window)->isVisible());
}

void RobustnessTest::mainWindowsComeAndGo()
{
    ProgressWindow progress;
    for (int i = 0; i < rounds; ++i) {
        TestProgram program(&progress);
        MainWindow &window = program.window;
        window.show();
        redrawNow(program.document);
        QVERIFY(window.close());
    }
}

void RobustnessTest::tooManyRandomMeasurementsChangeNothing()
{
    QTemporaryDir dir;
    const QString file = testhelpers::writeFile(dir, QStringLiteral("a.qrl"), "10\r\n20\r\n");
    TestProgram program;
    MainWindow &window = program.window;
    int writeBacks = 0;
    program.document.setWriteBack([&writeBacks](const std::string &, const DiagramStyle &) {
        ++writeBacks;
        return WriteBackResult {};
    });
    window.show();
    QVERIFY(testhelpers::readAndWait(program.document, file));
    writeBacks = 0;
    program.document.editStyle([](DiagramStyle &style) { style.descriptionText = "Joints"; });
    const DiagramStyle before = program.document.style();

    const auto boxes = testhelpers::collectMessageBoxes(
        [&] { toolCommands(window)->generateRandomGraph(2000000000); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().caption, QStringLiteral("Quorel"));
    QCOMPARE(boxes.first().text,
             QStringLiteral("\"2000000000\" is too many: a random graph takes "
                            "at most 10000000 measurements !"));
    QCOMPARE(program.document.currentFileName(), file);
    QCOMPARE(countLabel(window)->text(), QStringLiteral("2"));
    QVERIFY(program.document.style() == before);
    QVERIFY(!program.document.isRandomGraph());
    QCOMPARE(writeBacks, 0);
}

// The read runs in a child process of this test under an address-space limit, so the limit
// cannot starve the test itself.
void RobustnessTest::fileTooLargeForTheMemoryKeepsPreviousFileAndSettings()
{
    const QString childFolder = qEnvironmentVariable(childFolderVariable);
    if (!childFolder.isEmpty()) {
        readUnderAddressLimit(childFolder);
        return;
    }
    if (!quorel::test::addressLimitWorks)
        QSKIP("the sanitizers reserve more address space than any limit allows");

    QTemporaryDir dir;
    const QString previous =
        testhelpers::writeFile(dir, QStringLiteral("previous.qrl"), "10\r\n20\r\n");
    const QByteArray lines = QByteArray("7\n").repeated(4'000'000);
    const QString large = testhelpers::writeFile(dir, QStringLiteral("large.qrl"), lines);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(childFolderVariable), dir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // One malloc arena for all threads: the reader's thread would otherwise take its memory from
    // an arena of its own, reserved (and counted as in use) before the limit is set.
    environment.insert(QStringLiteral("MALLOC_ARENA_MAX"), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(QTest::currentTestFunction())});
    QVERIFY(child.waitForFinished(120000));
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output);
    QVERIFY2(
        output.contains("PASS   : RobustnessTest::" + QByteArray(QTest::currentTestFunction())),
        output);

    // The file left before the failed read has its measurements and the look it was left with;
    // the large file is untouched; the settings were saved on closing.
    const QByteArray left = testhelpers::readFile(previous);
    QVERIFY2(left.startsWith("10\r\n20\r\n") && left.contains(";FillColor=255\r\n"), left);
    QCOMPARE(testhelpers::readFile(large), lines);
    const QByteArray settings =
        testhelpers::readFile(dir.filePath(QStringLiteral("config/Halvorn5/Quorel.conf")));
    QVERIFY2(settings.contains("ColorFill=255\n") && settings.contains("RunCounter=1\n"), settings);
}

void RobustnessTest::hugeStoredWindowSizeIsHeldToTheDesktop()
{
    QTemporaryDir dir;
    const QString ini = testhelpers::writeFile(dir, QStringLiteral("Quorel.conf"),
                                               "[2.0]\nWidth=2000000000\nHeight=2000000000\n");
    TestProgram program;
    MainWindow &window = program.window;
    SettingsStore settings(ini);
    WindowPersistence persistence(program.document, settings);
    window.usePersistence(persistence);
    window.loadSettings();
    const QSize desktop = QGuiApplication::primaryScreen()->virtualSize();
    QVERIFY(window.width() <= desktop.width());
    QVERIFY(window.height() <= desktop.height());
}

QTEST_MAIN(RobustnessTest)
#include "robustness_test.moc"
