#include "core/diagram/renderer.h"
#include "core/tools/randomdata.h"
#include "core/util/files.h"
#include "gui/document/readwords.h"
#include "gui/shell/mainwindow.h"
#include "gui/stereonet/stereonetdocument.h"
#include "gui/stereonet/stereonetpanel.h"
#include "gui/tools/htmlreportcommand.h"
#include "gui/tools/interfacelanguage.h"

#include "guitesthelpers.h"
#include "windowparts.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

using namespace quorel;
using namespace testhelpers;

// The windows speak the user's language: Polish under a Polish locale, today's English texts
// exactly under any other and under C.
class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { installTranslations(*qApp, QLocale::c()); }
    void captionsFollowTheLocale_data();
    void captionsFollowTheLocale();
    void readWordsFollowTheLocale_data();
    void readWordsFollowTheLocale();
};

void TranslationsTest::captionsFollowTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("polish");
    QTest::addColumn<QStringList>("captions"); // Open, Edit data, the statistics page, Help
    QTest::addColumn<QString>("newName"); // what New proposes
    QTest::addRow("C") << QLocale::c() << false
                       << QStringList {"Open...", "Edit data...", "Statistics   (Ctrl+T)",
                                       "Help..."}
                       << "data";
    QTest::addRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << false
                             << QStringList {"Open...", "Edit data...", "Statistics   (Ctrl+T)",
                                             "Help..."}
                             << "data";
    QTest::addRow("Polish") << QLocale(QLocale::Polish, QLocale::Poland) << true
                            << QStringList {"Otwórz...", "Edytuj dane...", "Statystyka   (Ctrl+T)",
                                            "Pomoc..."}
                            << "dane";
}

void TranslationsTest::captionsFollowTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(bool, polish);
    QFETCH(QStringList, captions);
    const InterfaceLanguage language =
        polish ? InterfaceLanguage::Polish : InterfaceLanguage::English;
    QCOMPARE(installTranslations(*qApp, locale), language);
    QCOMPARE(interfaceLanguage(), language);
    TestProgram program;
    MainWindow &window = program.window;
    QCOMPARE((QStringList {withoutMnemonic(action(window, "openAction")->text()),
                           withoutMnemonic(action(window, "editDataAction")->text()),
                           pages(window)->tabText(1),
                           withoutMnemonic(action(window, "helpAction")->text())}),
             captions);
    QFETCH(QString, newName);
    QFileDialog created;
    fileCommands(window)->prepareDialog(created, FileCommands::Dialog::New);
    QCOMPARE(created.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text(), newName);
}

void TranslationsTest::readWordsFollowTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("report"); // after the file's name
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("randomGraph");
    QTest::addColumn<QStringList>("reportWords"); // the HTML report's language and headings
    QTest::addColumn<QString>("openError"); // a FIFO named as a data file
    // The stereonet's legend and a sentence, as the page and the report show them.
    QTest::addColumn<QStringList>("stereonetWords");
    // The failures that are not a file's: a size, a count, the report's name, memory; and a file
    // the association could not delete (in English the core's own messages).
    QTest::addColumn<QStringList>("otherErrors");
    QTest::addRow("C") << QLocale::c()
                       << QStringList {"Invalid data in line: 2",
                                       "\"x7\" is not a number !",
                                       "",
                                       "Not a text file: NUL byte at offset 6",
                                       "The lines after it were not read !",
                                       "",
                                       QString::fromLatin1(reportDashes.data()),
                                       "Errors: 1",
                                       "Correct data and try again."}
                       << "Ready, but error occured ! Press F12 !"
                       << "RANDOM GRAPH"
                       << QStringList {"en", "Measurements", "All measurements: ", "Stereonet"}
                       << "Cannot open file \"/tmp/x.qrl\". Not a regular file"
                       << QStringList {"Contours every %1σ (exponential Kamb, σ = %2), maximum %3σ",
                                       "Too scattered for a cone of confidence."}
                       << QStringList {};
    QTest::addRow("Polish")
        << QLocale(QLocale::Polish, QLocale::Poland)
        << QStringList {"Nieprawidłowe dane w wierszu: 2",
                        "„x7” nie jest liczbą!",
                        "",
                        "To nie jest plik tekstowy: bajt NUL na pozycji 6",
                        "Wiersze za nim nie zostały wczytane!",
                        "",
                        QString::fromLatin1(reportDashes.data()),
                        "Błędy: 1",
                        "Popraw dane i spróbuj ponownie."}
        << "Gotowe, ale wystąpiły błędy! Naciśnij F12!"
        << "WYKRES LOSOWY" << QStringList {"pl", "Pomiary", "Wszystkie pomiary: ", "Stereogram"}
        << "Nie można otworzyć pliku „/tmp/x.qrl”. To nie jest zwykły plik"
        << QStringList {"Izolinie co %1σ (wykładnicza metoda Kamba, σ = %2), "
                        "maksimum %3σ",
                        "Zbyt duży rozrzut, by wyznaczyć stożek ufności."}
        << QStringList {"„12a” nie jest prawidłową liczbą całkowitą",
                        "„20000000” to za dużo: wykres losowy mieści najwyżej "
                        "10000000 pomiarów!",
                        "Raport „/tmp/x.wmf” zastąpiłby własny rysunek. Wybierz "
                        "nazwę kończącą się na „.html”.",
                        "Za mało pamięci, by wczytać plik „/tmp/x.qrl”.",
                        "Za mało pamięci, by zapisać plik „/tmp/x.html”.",
                        "Nie można usunąć pliku „/tmp/x.desktop”. To nie jest zwykły plik"};
}

// The error list, the status line and the random graph's name in the interface's language;
// the file's own bytes (its name, the invalid text) as they are.
void TranslationsTest::readWordsFollowTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, report);
    installTranslations(*qApp, locale);
    QTemporaryDir dir;
    const QString path =
        writeFile(dir, QStringLiteral("joints.qrl"), QByteArray("10\nx7\n\0rest", 11));
    TestProgram program;
    QVERIFY(readAndWait(program.document, path));
    QCOMPARE(program.document.errorReportText().split(QLatin1Char('\n')).mid(2), report);
    QFETCH(QString, status);
    QCOMPARE(mainStatusBar(program.window)->statusText(), status);
    QFETCH(QString, randomGraph);
    QCOMPARE(readTitlesText("", true).caption, "Quorel - " + randomGraph.toStdString());
    QFETCH(QStringList, reportWords);
    const HtmlReportWords words = htmlReportWords();
    QCOMPARE((QStringList {QString::fromStdString(words.language),
                           QString::fromStdString(words.measurements),
                           QString::fromStdString(words.allMeasurements),
                           QString::fromStdString(words.stereonet)}),
             reportWords);
    QCOMPARE(words.randomGraph, randomGraph.toStdString());
    QFETCH(QString, openError);
    const Error error = fileError(ErrorKind::CannotOpen, "/tmp/x.qrl", notRegularFileReason);
    QCOMPARE(errorText(error), openError);
    QCOMPARE(error.message, "Cannot open file \"/tmp/x.qrl\". Not a regular file");
    QFETCH(QStringList, stereonetWords);
    SphericalSentence scattered;
    scattered.kind = SphericalSentenceKind::TooScattered;
    QCOMPARE(
        (QStringList {QString::fromStdString(StereonetDocument::screenWords(true).contourLegend),
                      StereonetPanel::sentenceText(scattered, true, '.')}),
        stereonetWords);
    QFETCH(QStringList, otherErrors);
    DiagramStyle noNumber;
    noNumber.diagramSize = "12a";
    const std::vector<Error> others {
        renderRoseDiagram(noNumber, SectorCounts {}, 1, false).error(),
        checkRandomGraphCount(20000000).error(),
        Error {"The report \"/tmp/x.wmf\" would replace its own picture. Choose a name ending in "
               "\".html\".",
               ErrorKind::ReportReplacesPicture, "/tmp/x.wmf", 0},
        Error {"Not enough memory to read file \"/tmp/x.qrl\".", ErrorKind::NoMemoryToRead,
               "/tmp/x.qrl", 0},
        Error {"Not enough memory to write file \"/tmp/x.html\".", ErrorKind::NoMemoryToWrite,
               "/tmp/x.html", 0},
        fileError(ErrorKind::CannotDelete, "/tmp/x.desktop", notRegularFileReason)};
    QStringList shown;
    for (const Error &other : others) {
        shown << errorText(other);
        if (otherErrors.isEmpty())
            QCOMPARE(shown.back(), QString::fromStdString(other.message));
    }
    if (!otherErrors.isEmpty())
        QCOMPARE(shown, otherErrors);
}

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
