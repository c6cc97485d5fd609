#include "gui/shell/mainwindow.h"
#include "gui/tools/interfacelanguage.h"

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

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
