#include "core/persist/writeback.h"
#include "gui/shell/editorlauncher.h"
#include "gui/shell/filecommands.h"
#include "gui/shell/mainactions.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/traycontroller.h"

#include "guitesthelpers.h"
#include "windowparts.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QProcessEnvironment>
#include <QToolButton>
#include <QtTest>

using namespace quorel;
using namespace testhelpers;

class FileCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void editorChoice_data();
    void editorChoice();
    void editorChain_data();
    void editorChain();
    void editHintNamesEditor();
    void dialogsAsShown();
    void openReadsChosenFile_data();
    void openReadsChosenFile();
    void newWritesTemplateAndEdits_data();
    void newWritesTemplateAndEdits();
    void newFileStartsWithTheFileOptionsOff_data();
    void newFileStartsWithTheFileOptionsOff();
    void editDataRereadsAfterEditor();
    void editorThatCannotStartSaysSo_data();
    void editorThatCannotStartSaysSo();
    void editorReturningAtOnceRereadsOnSave();
    void refreshDoesNotReread();
    void trayOpenShowsWindowFirst();
};

namespace {

// A stand-in editor: a script that appends a measurement to the file it is given and records
// its arguments beside it.
QString makeEditor(const QTemporaryDir &dir, const QByteArray &body,
                   const QString &name = QStringLiteral("editor.sh"))
{
    const QString path = writeFile(dir, name, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

void FileCommandsTest::init()
{
    qunsetenv("QUOREL_EDITOR");
}

void FileCommandsTest::editorChoice_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addRow("plain program") << "myedit"
                                   << "myedit" << QStringList {"/d/my file.qrl"};
    QTest::addRow("program with options, no shell")
        << "kate --block"
        << "kate" << QStringList {"--block", "/d/my file.qrl"};
    QTest::addRow("quoted program path") << "\"/opt/my editor/ed\""
                                         << "/opt/my editor/ed" << QStringList {"/d/my file.qrl"};
    QTest::addRow("shell syntax is not interpreted")
        << "ed; rm -rf x"
        << "ed;" << QStringList {"rm", "-rf", "x", "/d/my file.qrl"};
}

void FileCommandsTest::editorChoice()
{
    QFETCH(QString, variable);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("QUOREL_EDITOR"), variable);
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/nonexistent"));
    const EditorLauncher::Command command =
        EditorLauncher::commandFor(QStringLiteral("/d/my file.qrl"), environment);
    QCOMPARE(command.program, program);
    QCOMPARE(command.arguments, arguments);
}

void FileCommandsTest::editorChain_data()
{
    // The programs on PATH ("editor>nano": a link to nano), what the desktop names as the default
    // editor of plain text, the command ("BIN/" stands for the PATH folder, FILE for the file)
    // and the name the hint shows.
    QTest::addColumn<QString>("quorelEditor");
    QTest::addColumn<QString>("visual");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<QString>("desktopDefault");
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QString>("name");
    const QString term = QStringLiteral("BIN/x-terminal-emulator");
    QTest::addRow("QUOREL_EDITOR first")
        << "kate --block"
        << "gedit"
        << "" << QStringList {"gedit"} << "" << QStringList {"kate", "--block", "FILE"} << "kate";
    QTest::addRow("graphical VISUAL waits")
        << ""
        << "gedit"
        << "vim" << QStringList {"gedit", "vim", "x-terminal-emulator"} << ""
        << QStringList {"BIN/gedit", "--wait", "FILE"} << "gedit";
    QTest::addRow("user's own options kept")
        << ""
        << "gedit -s"
        << "" << QStringList {"gedit"} << "" << QStringList {"BIN/gedit", "-s", "FILE"} << "gedit";
    QTest::addRow("terminal VISUAL in a terminal")
        << ""
        << "vim"
        << "" << QStringList {"vim", "x-terminal-emulator"} << ""
        << QStringList {term, "-e", "BIN/vim", "FILE"} << "vim";
    QTest::addRow("editor link counts as its target")
        << ""
        << ""
        << "editor" << QStringList {"editor>nano", "nano", "x-terminal-emulator"} << ""
        << QStringList {term, "-e", "BIN/editor", "FILE"} << "editor";
    QTest::addRow("emacs -nw in a terminal")
        << ""
        << ""
        << "emacs -nw" << QStringList {"emacs", "x-terminal-emulator"} << ""
        << QStringList {term, "-e", "BIN/emacs", "-nw", "FILE"} << "emacs";
    QTest::addRow("emacs in its own window")
        << ""
        << ""
        << "emacs" << QStringList {"emacs", "x-terminal-emulator"} << ""
        << QStringList {"BIN/emacs", "FILE"} << "emacs";
    QTest::addRow("terminal editor without a terminal passes on")
        << ""
        << "vim"
        << "" << QStringList {"vim", "kwrite"} << "" << QStringList {"BIN/kwrite", "FILE"}
        << "kwrite";
    QTest::addRow("missing VISUAL passes to EDITOR")
        << ""
        << "nothere"
        << "kwrite" << QStringList {"kwrite"} << "" << QStringList {"BIN/kwrite", "FILE"}
        << "kwrite";
    QTest::addRow("desktop default")
        << ""
        << ""
        << "" << QStringList {"myedit", "gedit"} << "mytext.desktop"
        << QStringList {"BIN/myedit", "--new-window", "FILE", "50%"} << "My Text";
    QTest::addRow("desktop default in a terminal")
        << ""
        << ""
        << "" << QStringList {"vim", "x-terminal-emulator"} << "vim.desktop"
        << QStringList {term, "-e", "BIN/vim", "FILE"} << "Vim";
    QTest::addRow("desktop default without its program")
        << ""
        << ""
        << "" << QStringList {"gedit"} << "gone.desktop"
        << QStringList {"BIN/gedit", "--wait", "FILE"} << "gedit";
    QTest::addRow("known editors in order") << ""
                                            << ""
                                            << "" << QStringList {"xed", "kwrite"} << ""
                                            << QStringList {"BIN/kwrite", "FILE"} << "kwrite";
    QTest::addRow("nothing") << ""
                             << ""
                             << "" << QStringList {"vim"} << "" << QStringList {} << "";
}

void FileCommandsTest::editorChain()
{
    QFETCH(QString, quorelEditor);
    QFETCH(QString, visual);
    QFETCH(QString, editor);
    QFETCH(QStringList, programs);
    QFETCH(QString, desktopDefault);
    QFETCH(QStringList, command);
    QFETCH(QString, name);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("bin"));
    QDir(dir.path()).mkdir(QStringLiteral("apps"));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const auto addProgram = [&](const QString &program, const QByteArray &body) {
        const QString path = writeFile(dir, QStringLiteral("bin/") + program, "#!/bin/sh\n" + body);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    for (const QString &program : programs) {
        if (program.contains(QLatin1Char('>')))
            QFile::link(
                program.section(QLatin1Char('>'), 1),
                dir.filePath(QStringLiteral("bin/") + program.section(QLatin1Char('>'), 0, 0)));
        else
            addProgram(program, {});
    }
    if (!desktopDefault.isEmpty())
        addProgram(QStringLiteral("xdg-mime"), "echo " + desktopDefault.toUtf8() + "\n");
    writeFile(dir, QStringLiteral("apps/mytext.desktop"),
              "[Desktop Entry]\nName=My Text\nName[pl]=Tekst\nExec=myedit --new-window %U 50%% %i\n"
              "[Desktop Action new]\nExec=other\n");
    writeFile(dir, QStringLiteral("apps/vim.desktop"),
              "[Desktop Entry]\nName=Vim\nExec=vim %F\nTerminal=true\n");
    writeFile(dir, QStringLiteral("apps/gone.desktop"), "[Desktop Entry]\nExec=notthere %f\n");
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), bin);
    for (const auto &[variable, value] :
         {std::pair {"QUOREL_EDITOR", quorelEditor}, std::pair {"VISUAL", visual},
          std::pair {"EDITOR", editor}})
        if (!value.isEmpty())
            environment.insert(QLatin1String(variable), value);
    const QString file = QStringLiteral("/d/my file.qrl");
    const EditorLauncher::Command chosen =
        EditorLauncher::commandFor(file, environment, {dir.filePath(QStringLiteral("apps"))});
    QStringList expected;
    for (QString word : command)
        expected << (word == QLatin1String("FILE") ? file
                                                   : word.replace(QLatin1String("BIN"), bin));
    QCOMPARE(QStringList(chosen.program) + chosen.arguments,
             expected.isEmpty() ? QStringList {QString()} : expected);
    QCOMPARE(chosen.name, name);
}

void FileCommandsTest::editHintNamesEditor()
{
    ScopedEnvironment editor("QUOREL_EDITOR", QStringLiteral("/opt/tools/myedit --wait"));
    TestProgram program;
    MainWindow &window = program.window;
    QToolButton *edit = button(window, "editDataAction");
    QHelpEvent show(QEvent::ToolTip, QPoint(1, 1), edit->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(edit, &show);
    QCOMPARE(edit->toolTip(), QStringLiteral("Edit data in myedit..."));
}

void FileCommandsTest::dialogsAsShown()
{
    QCOMPARE(FileCommands::openFilters().size(), 4);
    TestProgram program;
    MainWindow &window = program.window;
    QFileDialog open;
    fileCommands(window)->prepareDialog(open, FileCommands::Dialog::Open);
    QCOMPARE(open.fileMode(), QFileDialog::ExistingFile);
    QFileDialog created;
    fileCommands(window)->prepareDialog(created, FileCommands::Dialog::New);
    QCOMPARE(created.windowTitle(), QStringLiteral("New data file"));
    QCOMPARE(created.defaultSuffix(), QStringLiteral("qrl"));
    QCOMPARE(created.acceptMode(), QFileDialog::AcceptSave);
    // The descriptions show exactly; the patterns behind them also match upper-case names.
    QVERIFY(open.testOption(QFileDialog::HideNameFilterDetails));
    const QStringList expected {"Quorel's files (*.QRL)", "Text files (*.TXT)", "DAT files (*.DAT)",
                                "All files (*.*)"};
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY(FileCommands::openFilters().at(i).startsWith(expected.at(i) + QLatin1Char(' ')));
    QVERIFY(FileCommands::openFilters().first().contains(QStringLiteral("*.QRL *.qrl"))
            || FileCommands::openFilters().first().contains(QStringLiteral("*.qrl")));
    QVERIFY(FileCommands::openFilters().last().endsWith(QStringLiteral("(*)")));
    QVERIFY(FileCommands::newFilters().first().startsWith(QStringLiteral("Quorel's file (*.QRL)")));
}

void FileCommandsTest::openReadsChosenFile_data()
{
    QTest::addColumn<QString>("chosen"); // relative to the temporary folder; "" = cancelled
    QTest::addColumn<bool>("read");
    QTest::addRow("existing file") << "data.qrl" << true;
    QTest::addRow("cancelled") << "" << false;
    QTest::addRow("file gone when the dialog closes") << "gone.qrl" << false;
}

void FileCommandsTest::openReadsChosenFile()
{
    QFETCH(QString, chosen);
    QFETCH(bool, read);
    QTemporaryDir dir;
    writeFile(dir, QStringLiteral("data.qrl"), "10\n20\n");
    TestProgram program;
    MainWindow &window = program.window;
    program.document.setRandomGraph(true);
    fileCommands(window)->setChooser(
        [&](QFileDialog &) { return chosen.isEmpty() ? QString() : dir.filePath(chosen); });
    action(window, "openAction")->trigger();
    waitUntilIdle(program.document);
    QCOMPARE(program.document.currentFileName(), read ? dir.filePath(chosen) : QString());
    QCOMPARE(countLabel(window)->text(), read ? QStringLiteral("2") : QStringLiteral("0"));
    QCOMPARE(program.document.isRandomGraph(), !read);
}

void FileCommandsTest::newWritesTemplateAndEdits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addRow("qrl file") << "dane.qrl";
    QTest::addRow("txt file") << "notes.txt";
}

void FileCommandsTest::newWritesTemplateAndEdits()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("editor.log"));
    qputenv("QUOREL_EDITOR", makeEditor(dir, "echo \"$@\" > '" + log.toUtf8() + "'\n").toUtf8());
    const QString path = writeFile(dir, name, "old content 1\n2\n");
    TestProgram program;
    MainWindow &window = program.window;
    int writeBacks = 0;
    QString writtenFile;
    program.document.setWriteBack([&](const std::string &file, const DiagramStyle &) {
        writtenFile = QString::fromStdString(file);
        ++writeBacks;
        return WriteBackResult {};
    });
    fileCommands(window)->setChooser([&](QFileDialog &) { return path; });
    action(window, "newAction")->trigger();
    waitUntilIdle(program.document);
    // CR LF whatever the name ends in.
    const QByteArray expected = ";-----------------------------------------------------\r\n"
                                ";Enter measurements below.\r\n"
                                ";One line - one azimuth.\r\n"
                                ";-----------------------------------------------------\r\n";
    // The write-back into the new file is the persistence layer's; here the hook ran on it and
    // the old content is gone.
    QCOMPARE(readFile(path), expected);
    QVERIFY(writeBacks >= 1);
    QCOMPARE(writtenFile, path);
    QCOMPARE(program.document.currentFileName(), path);
    QVERIFY(action(window, "editDataAction")->isEnabled());
    // The editor ran on the new file.
    QCOMPARE(readFile(log).trimmed(), path.toUtf8());
    QVERIFY(window.isVisible());
}

void FileCommandsTest::newFileStartsWithTheFileOptionsOff_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("randomGraphFirst");
    QTest::addRow("after a file of axial data") << QByteArray("10\n;Axial=1\n") << false;
    QTest::addRow("after a file of equal areas") << QByteArray("10\n;PetalScale=Area\n") << false;
    QTest::addRow("after a random graph shown as axial") << QByteArray("10\n") << true;
}

// The look and the description carry over into a new file; the options that belong to one
// file (axial data, equal-area petals) do not.
void FileCommandsTest::newFileStartsWithTheFileOptionsOff()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, randomGraphFirst);
    QTemporaryDir dir;
    qputenv("QUOREL_EDITOR", makeEditor(dir, "exit 0\n").toUtf8());
    TestProgram program;
    MainWindow &window = program.window;
    Document &document = program.document;
    document.setWriteBack([](const std::string &file, const DiagramStyle &style) {
        return writeDisplayParameters(file, style, "tester");
    });
    QVERIFY(readAndWait(document, writeFile(dir, QStringLiteral("old.qrl"), before)));
    if (randomGraphFirst) {
        toolCommands(window)->generateRandomGraph(20);
        waitUntilIdle(document);
        editStyle(document, [](DiagramStyle &style) { style.axial = true; });
    }
    QVERIFY(document.style().axial || document.style().petalScale == PetalScale::Area);
    editStyle(document, [](DiagramStyle &style) {
        style.descriptionText = "Quarry";
        style.fillColor = clRed;
    });

    const QString path = dir.filePath(QStringLiteral("new.qrl"));
    fileCommands(window)->setChooser([&](QFileDialog &) { return path; });
    action(window, "newAction")->trigger();
    waitUntilIdle(document);
    const QByteArray written = readFile(path);
    QVERIFY2(!written.contains("Axial") && !written.contains("PetalScale"), written.constData());
    QVERIFY(written.contains(";DescText=Quarry\r\n;"));
    QVERIFY(written.contains(";FillColor=255\r\n"));
    QVERIFY(!document.style().axial);
    QCOMPARE(document.style().petalScale, PetalScale::Count);
}

void FileCommandsTest::editDataRereadsAfterEditor()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("with blank.qrl"), "10\n");
    qputenv("QUOREL_EDITOR", makeEditor(dir, "sleep 0.2; echo 20 >> \"$1\"\n").toUtf8());
    TestProgram program;
    MainWindow &window = program.window;
    window.openCommandLineFile(path);
    waitUntilIdle(program.document);
    window.show();
    QCOMPARE(countLabel(window)->text(), QStringLiteral("1"));
    bool hiddenWhileEditing = false;
    int ticks = 0;
    QTimer probe;
    connect(&probe, &QTimer::timeout, &window, [&] {
        ++ticks;
        if (program.document.isBusy())
            hiddenWhileEditing = !window.isVisible();
    });
    probe.start(20);
    action(window, "editDataAction")->trigger();
    waitUntilIdle(program.document);
    probe.stop();
    QVERIFY(ticks > 0); // events kept flowing while the editor ran
    QVERIFY(hiddenWhileEditing);
    QVERIFY(window.isVisible());
    QCOMPARE(countLabel(window)->text(), QStringLiteral("2"));
}

void FileCommandsTest::editorThatCannotStartSaysSo_data()
{
    QTest::addColumn<QString>("quorelEditor"); // "": none, nor any other editor on PATH
    QTest::addColumn<QString>("editor"); // EDITOR, a program put on PATH
    QTest::addColumn<QStringList>("told"); // what the message says
    QTest::addRow("QUOREL_EDITOR cannot start") << "/nonexistent/editor"
                                                << "" << QStringList {"QUOREL_EDITOR"};
    QTest::addRow("no editor at all") << ""
                                      << "" << QStringList {"QUOREL_EDITOR"};
    QTest::addRow("terminal editor without a terminal")
        << ""
        << "vim"
        << QStringList {"\"vim\" needs a terminal", "x-terminal-emulator", "QUOREL_EDITOR"};
}

void FileCommandsTest::editorThatCannotStartSaysSo()
{
    QFETCH(QString, quorelEditor);
    QFETCH(QString, editor);
    QFETCH(QStringList, told);
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("d.qrl"), "10\n");
    if (!editor.isEmpty())
        makeEditor(dir, {}, editor);
    ScopedEnvironment quorel("QUOREL_EDITOR", quorelEditor);
    ScopedEnvironment visual("VISUAL", QString());
    ScopedEnvironment editorVariable("EDITOR", editor);
    ScopedEnvironment searchPath("PATH", dir.path());
    TestProgram program;
    MainWindow &window = program.window;
    int writeBacks = 0;
    window.openCommandLineFile(path);
    waitUntilIdle(program.document);
    program.document.setWriteBack([&](const std::string &, const DiagramStyle &) {
        ++writeBacks;
        return WriteBackResult {};
    });
    window.show();
    const QList<SeenBox> boxes =
        collectMessageBoxes([&] { action(window, "editDataAction")->trigger(); });
    QCOMPARE(boxes.size(), 1);
    for (const QString &words : told)
        QVERIFY2(boxes.first().text.contains(words), qPrintable(boxes.first().text));
    QVERIFY(window.isVisible());
    QVERIFY(program.document.isIdle());
    QCOMPARE(writeBacks, 0);
    QCOMPARE(readFile(path), QByteArray("10\n"));
}

void FileCommandsTest::editorReturningAtOnceRereadsOnSave()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("w.qrl"), "10\n");
    // Hands the file to a "running instance" that saves it a moment later.
    ScopedEnvironment editor("QUOREL_EDITOR",
                             makeEditor(dir, "(sleep 0.5; echo 20 >> \"$1\") &\n"));
    TestProgram program;
    MainWindow &window = program.window;
    window.openCommandLineFile(path);
    waitUntilIdle(program.document);
    window.show();
    action(window, "editDataAction")->trigger();
    waitUntilIdle(program.document);
    QVERIFY(window.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(countLabel(window)->text(), QStringLiteral("2"), 5000);
    // Another file ends the watch: changes to the old one are not read.
    const QString other = writeFile(dir, QStringLiteral("o.qrl"), "10\n");
    window.openCommandLineFile(other);
    waitUntilIdle(program.document);
    writeFile(dir, QStringLiteral("w.qrl"), "10\n20\n30\n40\n");
    QTest::qWait(800);
    QCOMPARE(program.document.currentFileName(), other);
    QCOMPARE(countLabel(window)->text(), QStringLiteral("1"));
}

void FileCommandsTest::refreshDoesNotReread()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("r.qrl"), "10\n");
    TestProgram program;
    MainWindow &window = program.window;
    window.openCommandLineFile(path);
    waitUntilIdle(program.document);
    writeFile(dir, QStringLiteral("r.qrl"), "10\n20\n30\n");
    action(window, "refreshAction")->trigger();
    QCOMPARE(countLabel(window)->text(), QStringLiteral("1"));
}

void FileCommandsTest::trayOpenShowsWindowFirst()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("t.qrl"), "10\n20\n");
    TestProgram program;
    MainWindow &window = program.window;
    bool visibleWhenAsked = false;
    fileCommands(window)->setChooser([&](QFileDialog &) {
        visibleWhenAsked = window.isVisible();
        return path;
    });
    window.hide();
    tray(window)->openAction()->trigger();
    waitUntilIdle(program.document);
    QVERIFY(visibleWhenAsked);
    QCOMPARE(program.document.currentFileName(), path);
    QCOMPARE(countLabel(window)->text(), QStringLiteral("2"));
}

QTEST_MAIN(FileCommandsTest)
#include "filecommands_test.moc"
