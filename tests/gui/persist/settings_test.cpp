#include "gui/persist/settingsstore.h"
#include "gui/persist/windowpersistence.h"

#include "core/persist/settings.h"
#include "guitesthelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorel;

class PersistTest : public QObject
{
    Q_OBJECT

private slots:
    // Each test starts without settings.
    void init()
    {
        QDir(folder()).removeRecursively();
        QFile::remove(folder());
    }

    void firstRunWritesTypedValues()
    {
        {
            SettingsStore store;
            const auto loaded = loadSettings(store, context());
            QCOMPARE(loaded.storeError, "");
            QCOMPARE(loaded.runCount, 1);
            QVERIFY(loaded.runCounterMessage.empty());
            QCOMPARE(loaded.settings.style, DiagramStyle::firstRun());
        }
        const QByteArray text = fileText();
        QVERIFY(text.startsWith("[2.0]\n"));
        for (const char *line : {"RunCounter=1\n", "ImageWidth=460\n", "Maximized=0\n",
                                 "SetAssoc=1\n", "ColorBg=-16777211\n", "ColorMLine=12632256\n",
                                 "PenSLine=2\n", "DescFontName=Arial\n", "LastOpened=\n"})
            QVERIFY2(text.contains(line), line);

        // A second start reads what the first wrote, with the same types.
        SettingsStore again;
        QCOMPARE(again.readInt("ImageWidth"), std::optional<std::int32_t>(460));
        QCOMPARE(again.readBool("SetAssoc"), std::optional<bool>(true));
        QCOMPARE(again.readString("DescFontName"), std::optional<std::string>("Arial"));
        const auto second = loadSettings(again, context());
        QCOMPARE(second.storeError, "");
        QCOMPARE(second.runCount, 2);
        QCOMPARE(second.settings.style, DiagramStyle::firstRun());
    }

    void storedValues_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("check");
        QTest::addRow("counter 99 gives the message at 100")
            << QByteArray("RunCounter=99") << "message100";
        QTest::addRow("counter 100 gives none") << QByteArray("RunCounter=100") << "nomessage";
        QTest::addRow("text width falls back") << QByteArray("ImageWidth=wide") << "width460";
        QTest::addRow("negative width gives 500") << QByteArray("ImageWidth=-3") << "width500";
        QTest::addRow("boolean word falls back") << QByteArray("SetAssoc=maybe") << "assoc";
        QTest::addRow("boolean false word") << QByteArray("SetAssoc=false") << "noassoc";
        QTest::addRow("list of texts is not a font name")
            << QByteArray("DescFontName=a, b") << "arial";
        QTest::addRow("line position past the list") << QByteArray("PenMLine=7") << "pen0";
    }

    void storedValues()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, check);
        writeFile("[2.0]\n" + line + "\n");
        SettingsStore store;
        const auto loaded = loadSettings(store, context());
        QCOMPARE(loaded.storeError, "");
        const Settings &s = loaded.settings;
        if (check == "message100") {
            QCOMPARE(loaded.runCounterMessage, "You have run Quorel 100 times !\r\nTHANKS !");
            QCOMPARE(store.readInt("RunCounter"), std::optional<std::int32_t>(100));
        } else if (check == "nomessage") {
            QVERIFY(loaded.runCounterMessage.empty());
            QCOMPARE(loaded.runCount, 101);
        } else if (check == "width460") {
            QCOMPARE(s.style.diagramSize, "460");
        } else if (check == "width500") {
            QCOMPARE(s.style.diagramSize, "500");
        } else if (check == "assoc") {
            QVERIFY(s.associateFiles);
        } else if (check == "noassoc") {
            QVERIFY(!s.associateFiles);
        } else if (check == "arial") {
            QCOMPARE(s.style.descriptionFontName, "Arial");
        } else if (check == "pen0") {
            QCOMPARE(s.style.mainLineStyle, 0);
        }
    }

    void textsSurviveTheFile()
    {
        const std::vector<std::string> recent = {"/home/ola/łąka, las; =#x.qrl",
                                                 "/tmp/\"quoted\" [1].QRL", " lead.qrl"};
        Settings settings;
        settings.recentFiles = recent;
        settings.style.descriptionFontName = "Żółta; Sans";
        {
            SettingsStore store;
            QVERIFY(saveSettings(store, settings, "", "/opt/quorel").ok());
        }
        SettingsStore store;
        const auto loaded = loadSettings(store, context());
        QCOMPARE(loaded.storeError, "");
        // "; " inside a path splits it, as the stored form always did; everything else stays.
        const std::vector<std::string> expected = {"/home/ola/łąka, las", "=#x.qrl",
                                                   "/tmp/\"quoted\" [1].QRL", " lead.qrl"};
        QCOMPARE(loaded.settings.recentFiles, expected);
        QCOMPARE(loaded.settings.style.descriptionFontName, "Żółta; Sans");
    }

    void maximizedCloseKeepsPlacement()
    {
        Settings settings;
        settings.placement = {900, 640, 30, 40};
        {
            SettingsStore store;
            QVERIFY(saveSettings(store, settings, "", "/p").ok());
            settings.maximized = true;
            settings.placement = {1920, 1080, 0, 0};
            QVERIFY(saveSettings(store, settings, "", "/p").ok());
        }
        SettingsStore store;
        const auto loaded = loadSettings(store, context());
        QCOMPARE(loaded.storeError, "");
        QVERIFY(loaded.settings.maximized);
        QCOMPARE(loaded.settings.placement, (WindowPlacement {900, 640, 30, 40}));
    }

    void unwritableFileIsReported()
    {
        // A file where the settings' folder belongs.
        QFile blocker(folder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SettingsStore store;
        const Status saved = saveSettings(store, Settings {}, "", "/p");
        QVERIFY(!saved.ok());
        QVERIFY(QString::fromStdString(saved.message()).startsWith("Cannot create file \""));

        // Loading still gives the first-run settings, with the failure to show.
        const LoadedSettings loaded = loadSettings(store, context());
        QVERIFY(!loaded.storeError.empty());
        QCOMPARE(loaded.settings.style, DiagramStyle::firstRun());
    }

    void oldIniFileIsCarriedOverOnce()
    {
        QVERIFY(QDir().mkpath(folder()));
        const QString old = folder() + QStringLiteral("/Quorel.ini");
        const QByteArray oldText = "[2.0]\nImageWidth=700\nDescFontName=Verdana\nRunCounter=41\n";
        writeFile(old, oldText);
        {
            SettingsStore store;
            QCOMPARE(store.fileName(), ini());
            const auto loaded = loadSettings(store, context());
            QCOMPARE(loaded.runCount, 42);
            QCOMPARE(loaded.settings.style.diagramSize, "700");
            QCOMPARE(loaded.settings.style.descriptionFontName, "Verdana");
        }
        QVERIFY(fileText().contains("ImageWidth=700\n"));
        // Read once: later changes to the old file are not taken, and it stays as it was.
        writeFile(old, "[2.0]\nImageWidth=800\n");
        SettingsStore again;
        QCOMPARE(again.readInt("ImageWidth"), std::optional<std::int32_t>(700));
        QCOMPARE(readFile(old), QByteArray("[2.0]\nImageWidth=800\n"));
    }

    // An installed program's folder is the system's: its dialogs start in the user's documents.
    void defaultDialogFolder_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("hasDocuments");
        QTest::addColumn<QString>("expected");
        QTest::addRow("build folder") << "build/src/gui/quorel" << true << "build/src/gui";
        QTest::addRow("installed") << "usr/bin/quorel" << true << "home/Documents";
        QTest::addRow("installed, no documents folder") << "usr/bin/quorel" << false << "home";
    }

    void defaultDialogFolder()
    {
        QFETCH(QString, program);
        QFETCH(bool, hasDocuments);
        QFETCH(QString, expected);
        const QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(QStringLiteral("usr/share/applications")));
        writeFile(dir.filePath(QStringLiteral("usr/share/applications/org.quorel.Quorel.desktop")),
                  "[Desktop Entry]\n");
        QVERIFY(
            dir.mkpath(hasDocuments ? QStringLiteral("home/Documents") : QStringLiteral("home")));
        const testhelpers::ScopedEnvironment home("HOME", dir.filePath(QStringLiteral("home")));
        QCOMPARE(QString::fromStdString(
                     quorel::defaultDialogFolder(dir.filePath(program).toStdString())),
                 dir.filePath(expected));
    }

private:
    // Where the program keeps its settings, under the configuration folder main() chose.
    static QString folder() { return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Halvorn5"; }
    static QString ini() { return folder() + QStringLiteral("/Quorel.conf"); }
    StartContext context() const { return {"/opt/quorel/quorel", "/opt/quorel", {768, 500}}; }
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray fileText() { return readFile(ini()); }
    static void writeFile(const QString &path, const QByteArray &text)
    {
        QVERIFY(QDir().mkpath(folder()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static void writeFile(const QByteArray &text) { writeFile(ini(), text); }
};

// The settings are opened as the program opens them, under a configuration folder of the test's
// own; QSettings reads XDG_CONFIG_HOME once, so it is set before anything else.
int main(int argc, char *argv[])
{
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QCoreApplication app(argc, argv);
    PersistTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "settings_test.moc"
