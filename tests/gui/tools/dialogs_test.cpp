#include "gui/tools/aboutbox.h"
#include "gui/tools/helpcommand.h"
#include "gui/tools/htmlreportcommand.h"
#include "gui/tools/randomgraphprompt.h"

#include "core/data/measurementstore.h"
#include "core/data/sectorarrays.h"
#include "core/diagram/picture.h"
#include "core/tools/htmlreport.h"
#include "guitesthelpers.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using quorel::AboutBox;

namespace {

const quorel::ProjectAddresses withAddresses {"https://example.org/quorel", "quorel@example.org"};

} // namespace

// Receives the URLs the desktop is asked to open, instead of a browser.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

class ToolsDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void aboutShowsItsTexts();
    void aboutClosesOn_data();
    void aboutClosesOn();
    void aboutHoverMovesTheUnderline();
    void aboutLinks_data();
    void aboutLinks();
    void helpOpensPageInTheUserCache();
    void helpFallsBackToTempFolder();
    void helpWithoutBrowserGivesThePath();
    void randomCount_data();
    void randomCount();
    void reportDialogLooksRight();
    void reportWritesThreeFiles_data();
    void reportWritesThreeFiles();
    void reportFailureIsShown();
    void reportBareNameGetsExtension();

private:
    UrlCatcher m_catcher;
};

void ToolsDialogsTest::initTestCase()
{
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &m_catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_catcher, "open");
}

void ToolsDialogsTest::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void ToolsDialogsTest::aboutShowsItsTexts()
{
    AboutBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("About"));
    QCOMPARE(box.size(), QSize(246, 172));
    QCOMPARE(box.panel()->size(), QSize(246, 137));
    QStringList texts;
    for (auto *label : box.findChildren<QLabel *>())
        texts << label->text();
    for (const char *expected :
         {"Quorel", "Version 2.0", "September 2003", "English Version : July 2004",
          "WWW :", "click here", "Author :", "Halvorn5"})
        QVERIFY2(texts.contains(QString::fromLatin1(expected)), expected);
    QCOMPARE(box.logo()->pixmap().size(), QSize(81, 33));
    QCOMPARE(box.closeButton()->text(), QStringLiteral("&OK"));

    // A picture of the box for people to look at, when asked for.
    const QString shots = qEnvironmentVariable("QUOREL_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        box.show();
        QVERIFY(box.grab().save(QDir(shots).filePath(QStringLiteral("about.png"))));
    }
}

void ToolsDialogsTest::aboutClosesOn_data()
{
    QTest::addColumn<int>("key");
    QTest::addRow("enter") << int(Qt::Key_Return);
    QTest::addRow("keypad enter") << int(Qt::Key_Enter);
    QTest::addRow("escape") << int(Qt::Key_Escape);
    QTest::addRow("ok button") << 0;
}

void ToolsDialogsTest::aboutClosesOn()
{
    QFETCH(int, key);
    AboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    if (key == 0)
        QTest::mouseClick(box.closeButton(), Qt::LeftButton);
    else
        QTest::keyClick(&box, Qt::Key(key));
    QVERIFY(!box.isVisible());
}

void ToolsDialogsTest::aboutHoverMovesTheUnderline()
{
    AboutBox box(withAddresses);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const auto moveOver = [](QWidget *widget) {
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    };
    const auto isHighlighted = [](QLabel *label) {
        return label->font().bold() && label->font().underline();
    };
    QVERIFY(!isHighlighted(box.webLink()) && !isHighlighted(box.mailLink()));
    moveOver(box.webLink());
    QVERIFY(isHighlighted(box.webLink()));
    QVERIFY(!isHighlighted(box.mailLink()));
    moveOver(box.mailLink());
    QVERIFY(!isHighlighted(box.webLink()));
    QVERIFY(isHighlighted(box.mailLink()));
    moveOver(box.panel());
    QVERIFY(!isHighlighted(box.webLink()) && !isHighlighted(box.mailLink()));
    moveOver(box.mailLink());
    moveOver(&box); // the strip around OK
    QVERIFY(!isHighlighted(box.mailLink()));
}

void ToolsDialogsTest::aboutLinks_data()
{
    QTest::addColumn<bool>("addressesSet");
    QTest::addColumn<QList<QUrl>>("opened"); // by clicks on the web link, the mail link, the logo
    QTest::addRow("none: plain text") << false << QList<QUrl>();
    QTest::addRow("set: links")
        << true
        << QList<QUrl>({QUrl(QStringLiteral("https://example.org/quorel")),
                        QUrl(QStringLiteral("mailto:quorel@example.org?subject=Quorel 2.0.1")),
                        QUrl(QStringLiteral("https://example.org/quorel"))});
}

void ToolsDialogsTest::aboutLinks()
{
    QFETCH(bool, addressesSet);
    QFETCH(QList<QUrl>, opened);
    AboutBox box(addressesSet ? withAddresses : quorel::ProjectAddresses());
    // A link looks like one only where it leads somewhere.
    const Qt::CursorShape pointer = addressesSet ? Qt::PointingHandCursor : Qt::ArrowCursor;
    for (QLabel *label : {box.webLink(), box.mailLink(), box.logo()}) {
        QCOMPARE(label->cursor().shape(), pointer);
        QCOMPARE(label->toolTip().isEmpty(), !addressesSet);
    }
    QCOMPARE(box.webLink()->palette().color(QPalette::WindowText) == QColor(Qt::blue),
             addressesSet);
    m_catcher.urls.clear();
    for (QLabel *label : {box.webLink(), box.mailLink(), box.logo()})
        QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(m_catcher.urls, opened);
}

void ToolsDialogsTest::helpOpensPageInTheUserCache()
{
    // Never beside the program: an installed program's folder is not the user's to write.
    QTemporaryDir cache;
    QTemporaryDir temp;
    const testhelpers::ScopedEnvironment cacheHome("XDG_CACHE_HOME", cache.path());
    const testhelpers::ScopedEnvironment tmpdir("TMPDIR", temp.path());
    const testhelpers::ScopedEnvironment browser("BROWSER", QStringLiteral("any-browser"));
    m_catcher.urls.clear();
    // The English interface opens the English page; the Polish one is beside it.
    const QString page = quorel::showHelpPage();
    QCOMPARE(page, cache.filePath(QStringLiteral("quorel/help-en.html")));
    QCOMPARE(m_catcher.urls, QList<QUrl>({QUrl::fromLocalFile(page)}));
    for (const auto &[name, title] :
         {std::pair {"quorel/help-en.html", "<title>Quorel - Help</title>"},
          std::pair {"quorel/help.html", "<title>Quorel - Pomoc</title>"}}) {
        const QByteArray bytes = testhelpers::readFile(cache.filePath(QLatin1String(name)));
        QVERIFY(bytes.contains("<meta charset=\"utf-8\">"));
        QVERIFY(bytes.contains(title));
    }
    QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList());
}

void ToolsDialogsTest::helpFallsBackToTempFolder()
{
    QTemporaryDir temp;
    const testhelpers::ScopedEnvironment browser("BROWSER", QStringLiteral("any-browser"));
    m_catcher.urls.clear();
    // A file where the folder should be: it can be neither made nor written into.
    QFile blocker(temp.filePath(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString page =
        quorel::showHelpPage(temp.filePath(QStringLiteral("blocked/quorel")), temp.path(), true);
    QCOMPARE(page, temp.filePath(QStringLiteral("help.html")));
    QCOMPARE(m_catcher.urls.size(), 1);
    QCOMPARE(QDir(temp.path()).entryList(QDir::Files),
             QStringList({"blocked", "help-en.html", "help.html"}));

    // Nowhere to write: nothing opened.
    m_catcher.urls.clear();
    QVERIFY(quorel::showHelpPage(temp.filePath(QStringLiteral("blocked/a")),
                                 temp.filePath(QStringLiteral("blocked/b")), true)
                .isEmpty());
    QVERIFY(m_catcher.urls.isEmpty());
}

void ToolsDialogsTest::helpWithoutBrowserGivesThePath()
{
    QTemporaryDir temp;
    const testhelpers::ScopedEnvironment browser("BROWSER", QString());
    const testhelpers::ScopedEnvironment path("PATH", temp.path());
    m_catcher.urls.clear();
    QString told;
    const QString page = quorel::showHelpPage(temp.filePath(QStringLiteral("cache")), temp.path(),
                                              false, [&](const QString &shown) { told = shown; });
    QCOMPARE(page, temp.filePath(QStringLiteral("cache/help-en.html")));
    QCOMPARE(told, page);
    QVERIFY(m_catcher.urls.isEmpty());
}

void ToolsDialogsTest::randomCount_data()
{
    QTest::addColumn<QString>("answer"); // "<cancel>" cancels, "<default>" keeps the offer
    QTest::addColumn<int>("expected"); // -1000 for none
    QTest::addColumn<QString>("message");
    QTest::addRow("default") << "<default>" << 500 << "";
    QTest::addRow("typed") << "42" << 42 << "";
    QTest::addRow("zero") << "0" << 0 << "";
    QTest::addRow("negative") << "-5" << -5 << "";
    QTest::addRow("not a number") << "12abc" << -1000 << "\"12abc\" is not a valid integer !";
    QTest::addRow("cancel") << "<cancel>" << -1000 << "";
}

void ToolsDialogsTest::randomCount()
{
    QFETCH(QString, answer);
    QFETCH(int, expected);
    QFETCH(QString, message);

    QWidget owner;
    QString offered;
    QString prompt;
    QString caption;
    bool titleFits = false;
    QStringList messages;
    QTimer answerer;
    answerer.setInterval(10);
    connect(&answerer, &QTimer::timeout, &owner, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            offered = input->textValue();
            prompt = input->labelText();
            caption = input->windowTitle();
            // A title bar shows the title whole, not cut to "RANDOM GRA...".
            titleFits = input->width() >= quorel::widthForTitle(*input, caption);
            if (answer == QLatin1String("<cancel>")) {
                input->reject();
                return;
            }
            if (answer != QLatin1String("<default>"))
                input->setTextValue(answer);
            input->accept();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->windowTitle() + QLatin1Char('|') + box->text();
            box->accept();
        }
    });
    answerer.start();
    const std::optional<int> count = quorel::askRandomGraphCount(&owner);
    answerer.stop();

    QCOMPARE(caption, QStringLiteral("RANDOM GRAPH"));
    QVERIFY(titleFits);
    QCOMPARE(prompt, QStringLiteral("Measurements :"));
    QCOMPARE(offered, QStringLiteral("500"));
    QCOMPARE(count.value_or(-1000), expected);
    if (message.isEmpty())
        QVERIFY(messages.isEmpty());
    else
        QCOMPARE(messages, QStringList({QStringLiteral("Quorel|") + message}));
}

namespace {

// A small data set and picture for the report commands.
struct ReportData
{
    quorel::MeasurementStore store;
    quorel::SectorArrays sectors;
    quorel::Picture picture {40, 40};

    ReportData()
    {
        store.appendText("12", '.');
        store.appendText("15", '.');
        quorel::binSectors(sectors, store);
        picture.rectangle(0, 0, 40, 40);
    }
    quorel::HtmlReportSource source(bool randomGraph = false) const
    {
        return {&picture, &store, &sectors, randomGraph, QStringLiteral("2"), QStringLiteral("2")};
    }
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void ToolsDialogsTest::reportDialogLooksRight()
{
    QTemporaryDir dir;
    QFileDialog dialog;
    quorel::prepareHtmlReportDialog(dialog, dir.path(), QString());
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("html"));
    QCOMPARE(dialog.nameFilters().size(), 1);
    QVERIFY(dialog.nameFilters().first().startsWith(QStringLiteral("HTML document (*.HTML)")));
    QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
}

void ToolsDialogsTest::reportWritesThreeFiles_data()
{
    QTest::addColumn<bool>("randomGraph");
    QTest::addColumn<QString>("title");
    QTest::addRow("data file") << false << "<title>site4</title>";
    QTest::addRow("random graph") << true << "<title>RANDOM GRAPH</title>";
}

void ToolsDialogsTest::reportWritesThreeFiles()
{
    QFETCH(bool, randomGraph);
    QFETCH(QString, title);
    QTemporaryDir dir;
    const ReportData data;
    const QString chosen = dir.filePath(QStringLiteral("site4.html"));
    QString proposed;
    const QString written =
        quorel::saveHtmlReportAs(nullptr, dir.path(), QStringLiteral("data.html"),
                                 data.source(randomGraph), [&](QFileDialog &dialog) {
                                     proposed = dialog.selectedFiles().value(0);
                                     return chosen;
                                 });
    QCOMPARE(written, chosen);
    QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("data.html"));
    QVERIFY(fileBytes(chosen).contains(title.toLatin1()));
    QVERIFY(fileBytes(dir.filePath(QStringLiteral("site4.wmf"))).startsWith("\xD7\xCD\xC6\x9A"));
    QVERIFY(fileBytes(dir.filePath(QStringLiteral("site4.svg"))).contains("<svg"));

    // Cancelling writes nothing.
    QTemporaryDir empty;
    QVERIFY(quorel::saveHtmlReportAs(nullptr, empty.path(), QString(), data.source(),
                                     [](QFileDialog &) { return QString(); })
                .isEmpty());
    QCOMPARE(QDir(empty.path()).entryList(QDir::Files), QStringList());
}

void ToolsDialogsTest::reportFailureIsShown()
{
    QTemporaryDir dir;
    const ReportData data;
    QString written = QStringLiteral("unset");
    const auto boxes = testhelpers::collectMessageBoxes([&] {
        written = quorel::saveHtmlReportAs(
            nullptr, dir.path(), QString(), data.source(),
            [&](QFileDialog &) { return dir.filePath(QStringLiteral("no/r.html")); });
    });
    QVERIFY(written.isEmpty());
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().caption, QStringLiteral("Quorel"));
    QVERIFY2(boxes.first().text.contains(QStringLiteral("r.wmf")), qPrintable(boxes.first().text));
}

void ToolsDialogsTest::reportBareNameGetsExtension()
{
    QTemporaryDir dir;
    const ReportData data;
    QTimer answerer;
    answerer.setInterval(10);
    // The name is typed into the dialog's name box, focused as a window manager leaves it:
    // selectFile() is ignored while that box has focus, which made this depend on whether
    // the platform had activated the dialog yet.
    connect(&answerer, &QTimer::timeout, this, [] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        auto *name =
            dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name)
            return;
        name->setFocus();
        name->setText(QStringLiteral("bare"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    answerer.start();
    const QString written = quorel::saveHtmlReportAs(nullptr, dir.path(), QString(), data.source());
    answerer.stop();
    QCOMPARE(written, dir.filePath(QStringLiteral("bare.html")));
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("bare.wmf"))));
}

QTEST_MAIN(ToolsDialogsTest)
#include "dialogs_test.moc"
