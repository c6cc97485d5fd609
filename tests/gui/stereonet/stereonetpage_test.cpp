#include "gui/stereonet/stereonetpage.h"

#include "core/diagram/svgwriter.h"
#include "core/persist/keyvaluestore.h"
#include "core/persist/writeback.h"
#include "gui/data/datatables.h"
#include "gui/diagram/diagramexport.h"
#include "gui/diagram/pictureplayer.h"
#include "gui/diagram/previewwindow.h"
#include "gui/persist/windowpersistence.h"
#include "gui/stereonet/stereonetdocument.h"
#include "gui/stereonet/stereonetpanel.h"
#include "gui/stereonet/stereonetview.h"
#include "guitesthelpers.h"
#include "windowparts.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QtTest>

#include <cmath>

using namespace quorel;
using namespace testhelpers;

namespace {

constexpr int stereonetTab = 2;
const QString bedding = QStringLiteral(QUOREL_EXAMPLES_DIR "/gray1980-bedding.txt");

// The page with the parts it needs and no main window: a document with its decimal separator,
// the measurement table, in a widget that owns them.
struct Parts
{
    explicit Parts(char separator)
        : document(separator, nullptr)
    {
        // The holder owns every widget of the tables; only the measurement table shows.
        tables.statsTable()->setParent(&holder);
        tables.countsPanel()->setParent(&holder);
        tables.statsTable()->hide();
        tables.countsPanel()->hide();
        auto *layout = new QHBoxLayout(&holder);
        layout->addWidget(tables.measurementTable());
        layout->addWidget(page, 1);
        holder.resize(900, 600);
        holder.show();
        // The whole net in view, whatever room the page has.
        view.setFitToWindow(true);
        page->setShown(true);
    }
    // Reads a file and waits until the page has its data.
    bool read(const QString &path)
    {
        return readAndWait(document, path) && QTest::qWaitFor([this] {
                   return page->stereonet().data() && !page->stereonet().isComputing();
               });
    }

    Document document;
    ViewState view {document};
    DataTables tables {document, view};
    QWidget holder;
    StereonetPage *page = new StereonetPage(document, view, *tables.measurementTable(), &holder);
};

StereonetPage *pageOf(const MainWindow &window)
{
    return part<StereonetPage>(window);
}

// Shows the Stereonet page and waits for its data and the picture drawn from them.
void showStereonet(MainWindow &window)
{
    part<QTabWidget>(window, "pages")->setCurrentIndex(stereonetTab);
    StereonetDocument &stereonet = pageOf(window)->stereonet();
    QVERIFY(QTest::qWaitFor([&] { return stereonet.data() && !stereonet.isComputing(); }));
    QCoreApplication::processEvents();
}

// Accepts the next file dialog with `path` typed into its name box.
void answerFileDialog(QTimer &answerer, const QString &path)
{
    answerer.setInterval(10);
    QObject::connect(&answerer, &QTimer::timeout, &answerer, [path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        auto *name =
            dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name)
            return;
        name->setFocus();
        name->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    answerer.start();
}

} // namespace

// The Stereonet page: its options and their settings, the azimuth's parameter line, the pointer
// and the table, the commands that take the page's picture, the report's section, files
// without dips and files too large to be worked out on the GUI thread.
class StereonetPageTest : public QObject
{
    Q_OBJECT

private slots:
    void optionsDrawAndAreKept_data();
    void optionsDrawAndAreKept();
    void azimuthIsWrittenOnlyWhenNotTheDefault_data();
    void azimuthIsWrittenOnlyWhenNotTheDefault();
    void pointerTellsTheMeasurement_data();
    void pointerTellsTheMeasurement();
    void polesAndRowsSelectEachOther();
    void viewShowsThePictureInForce();
    void figures_data();
    void figures();
    void commandsTakeThePageShown_data();
    void commandsTakeThePageShown();
    void reportSectionOnlyWhenAsked();
    void largeFileNeverHoldsTheWindow();

private:
    QTemporaryDir m_dir;
};

namespace {

// One option of the panel: how the user switches it on, and where the settings keep it.
struct OptionRow
{
    const char *name;
    void (*switchOn)(StereonetPanel &panel);
    bool Settings::*setting;
};

void choose(QComboBox *box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

const OptionRow optionRows[] = {
    {"Wulff net", [](StereonetPanel &p) { choose(p.netBox(), 1); }, &Settings::stereonetWulff},
    {"great circles", [](StereonetPanel &p) { choose(p.showBox(), 1); },
     &Settings::stereonetGreatCircles},
    {"contours", [](StereonetPanel &p) { p.contoursBox()->click(); }, &Settings::stereonetContours},
    {"mean and cone", [](StereonetPanel &p) { p.meanBox()->click(); }, &Settings::stereonetMean},
    {"girdle and beta axis", [](StereonetPanel &p) { p.girdleBox()->click(); },
     &Settings::stereonetGirdle},
    {"10 degree net", [](StereonetPanel &p) { p.netLinesBox()->click(); },
     &Settings::stereonetNetLines},
};

} // namespace

void StereonetPageTest::optionsDrawAndAreKept_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(optionRows)); ++i)
        QTest::addRow("%s", optionRows[i].name) << i;
}

void StereonetPageTest::optionsDrawAndAreKept()
{
    QFETCH(int, row);
    const OptionRow &option = optionRows[row];
    TestProgram program;
    MainWindow &window = program.window;
    MemoryKeyValueStore store;
    WindowPersistence persistence(program.document, store);
    window.usePersistence(persistence);
    QVERIFY(readAndWait(program.document, bedding));
    showStereonet(window);
    StereonetPage *page = pageOf(window);
    const Picture plain = page->picture();
    QVERIFY(!(persistence.currentSettings().*option.setting));

    option.switchOn(*page->panel());
    // Contours come once their density has been handed over.
    QTRY_VERIFY(page->picture() != plain);
    const Settings kept = persistence.currentSettings();
    QVERIFY(kept.*option.setting);

    TestProgram next;
    WindowPersistence nextPersistence(next.document, store);
    next.window.usePersistence(nextPersistence);
    nextPersistence.applySettings(kept);
    QCOMPARE(pageOf(next.window)->stereonet().options(), page->stereonet().options());
    QVERIFY(!(nextPersistence.currentSettings().stereonetReport));
}

void StereonetPageTest::azimuthIsWrittenOnlyWhenNotTheDefault_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("choice"); // -1: the box is left alone
    QTest::addColumn<QByteArray>("line"); // the file's parameter line afterwards, "" for none
    QTest::addRow("dip direction, the default") << QByteArray("125/40\n") << 0 << QByteArray();
    QTest::addRow("strike") << QByteArray("125/40\n") << 1 << QByteArray(";Azimuth=Strike");
    QTest::addRow("trend") << QByteArray("125/40\n") << 2 << QByteArray(";Azimuth=Trend");
    // A line the file has is rewritten in place, as every parameter line is.
    QTest::addRow("back to the default in a file that has the line")
        << QByteArray(";Azimuth=Trend\n125/40\n") << 0 << QByteArray(";Azimuth=DipDirection");
    QTest::addRow("an unknown value kept as written")
        << QByteArray(";Azimuth=Plunge\n125/40\n") << -1 << QByteArray(";Azimuth=Plunge");
}

void StereonetPageTest::azimuthIsWrittenOnlyWhenNotTheDefault()
{
    QFETCH(QByteArray, data);
    QFETCH(int, choice);
    QFETCH(QByteArray, line);
    Parts parts('.');
    parts.document.setWriteBack([](const std::string &file, const DiagramStyle &style) {
        return writeDisplayParameters(file, style, "tester");
    });
    const QString path = writeFile(m_dir, QStringLiteral("azimuth.qrl"), data);
    QVERIFY(parts.read(path));
    StereonetPanel &panel = *parts.page->panel();
    if (choice >= 0)
        choose(panel.azimuthBox(), choice);
    QCOMPARE(panel.azimuthBox()->currentIndex(), std::max(choice, 0));
    parts.document.writeBackCurrentFile();
    const QByteArray written = readFile(path);
    QCOMPARE(written.count("Azimuth"), line.isEmpty() ? 0 : 1);
    QVERIFY(written.contains(line));
}

void StereonetPageTest::pointerTellsTheMeasurement_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("tip");
    QTest::addRow("pole of a dip direction") << QByteArray("; bedding\n125/40\n") << "."
                                             << "line 2: 125/40, pole 305/50";
    QTest::addRow("pole of a strike") << QByteArray(";Azimuth=Strike\n35/40\n") << "."
                                      << "line 2: 35/40, pole 305/50";
    QTest::addRow("a line's trend") << QByteArray(";Azimuth=Trend\n125/40\n") << "."
                                    << "line 2: 125/40";
    QTest::addRow("decimal comma") << QByteArray("125,5/40,5\n") << ","
                                   << "line 1: 125,5/40,5, pole 306/50";
}

void StereonetPageTest::pointerTellsTheMeasurement()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, separator);
    QFETCH(QString, tip);
    Parts parts(separator.at(0).toLatin1());
    QVERIFY(parts.read(writeFile(m_dir, QStringLiteral("tip.qrl"), data)));
    QTRY_VERIFY(!parts.page->view()->picture().isEmpty());
    const StereonetView &view = *parts.page->view();
    QCOMPARE(view.toolTipAt(view.pointOf(0)), tip);
    QCOMPARE(view.toolTipAt(view.pointOf(0) + QPoint(40, 40)), QString());
}

void StereonetPageTest::polesAndRowsSelectEachOther()
{
    Parts parts('.');
    // Rows 1 and 3 have no dip: the three poles stand for rows 0, 2 and 4.
    QVERIFY(parts.read(writeFile(m_dir, QStringLiteral("rows.qrl"),
                                 "10/20\n; a comment\n30\n40/50\n60/x\n70/80\n")));
    QTRY_VERIFY(!parts.page->view()->picture().isEmpty());
    StereonetView &view = *parts.page->view();
    QItemSelectionModel &selection = *parts.tables.measurementTable()->selectionModel();
    const auto selectedRows = [&selection] {
        QList<int> rows;
        for (const QModelIndex &index : selection.selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.pointOf(2));
    QCOMPARE(selectedRows(), QList<int>({4}));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, view.pointOf(0));
    QCOMPARE(selectedRows(), QList<int>({0, 4}));

    // Rows selected in the table mark their poles, on the screen only.
    const Picture picture = parts.page->picture();
    using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;
    const std::pair<int, int> rows[] = {{0, 0}, {1, 1}, {1, 4}, {0, 4}};
    const Ranges marked[] = {{{0, 1}}, {}, {{1, 3}}, {{0, 3}}};
    QAbstractItemModel *model = parts.tables.measurementTable()->model();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        selection.select(
            QItemSelection(model->index(rows[i].first, 0), model->index(rows[i].second, 1)),
            QItemSelectionModel::ClearAndSelect);
        QCOMPARE(view.marked(), marked[i]);
    }
    QCOMPARE(parts.page->picture(), picture);
}

void StereonetPageTest::viewShowsThePictureInForce()
{
    Parts parts('.');
    QVERIFY(parts.read(bedding));
    StereonetView &view = *parts.page->view();
    // The viewport against the page's picture played straight onto its background: alike but
    // for the rounding of edges.
    const auto showsPicture = [&view] {
        const QImage shown =
            view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected(shown.size(), QImage::Format_RGB32);
        expected.fill(view.viewport()->palette().color(QPalette::Window));
        QPainter painter(&expected);
        PicturePlayer(systemColorsFromPalette(view.palette()))
            .play(view.picture(), painter, QRectF(view.imageRect()));
        painter.end();
        int worst = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y);
                const QRgb b = expected.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)),
                                  std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        }
        return worst <= 2;
    };
    const std::pair<const char *, std::function<void()>> steps[] = {
        {"as read",
         [] {
         }},
        {"10 degree net",
         [&] {
             parts.page->panel()->netLinesBox()->click();
         }},
        // Tens of thousands of contour pieces: drawn and played on other threads, the image
        // before stands in until they come.
        {"contours of 30,000 measurements",
         [&] {
             QByteArray spiral;
             for (int i = 0; i < 30000; ++i)
                 spiral += QByteArray::number(std::fmod(i * 137.508, 360), 'f', 1) + '/'
                     + QByteArray::number(90 * std::sqrt(std::fmod(i * 0.618034, 1)), 'f', 1)
                     + '\n';
             QVERIFY(parts.read(writeFile(m_dir, QStringLiteral("spiral.qrl"), spiral)));
             parts.page->panel()->contoursBox()->click();
             QVERIFY(QTest::qWaitFor([&] { return view.picture().ops().size() > 10000; }));
         }},
        {"a smaller box",
         [&] {
             parts.holder.resize(700, 450);
         }},
        {"the same size again",
         [&] {
             parts.holder.resize(700, 450);
         }},
        {"Wulff net",
         [&] {
             choose(parts.page->panel()->netBox(), 1);
         }},
        {"another palette",
         [&] {
             QPalette palette = view.palette();
             palette.setColor(QPalette::WindowText, Qt::darkGreen);
             view.setPalette(palette);
         }},
    };
    for (const auto &[name, step] : steps) {
        step();
        QCoreApplication::processEvents();
        QVERIFY2(QTest::qWaitFor(showsPicture), name);
    }
}

void StereonetPageTest::figures_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("expected"); // the first lines of the panel
    QByteArray sixty;
    for (int i = 0; i < 60; ++i)
        sixty += "10\n";
    QStringList fifty;
    for (int i = 1; i <= 50; ++i)
        fifty << QString::number(i);
    QTest::addRow("no dips: an empty net that says why")
        << QByteArray("10\n20\n")
        << QStringList {"No measurement has a valid dip: the net is empty.",
                        "2 measurements have no valid dip: lines 1, 2"};
    QTest::addRow("dips out of range, a quadrant, a lone azimuth left off")
        << QByteArray("125/40\n10/95\n20/61S\n30\n")
        << QStringList {"Poles of planes: 1, lower hemisphere, equal-area (Schmidt) net.",
                        "3 measurements have no valid dip: lines 2, 3, 4",
                        "Mean pole 305/50 (trend/plunge)"};
    QTest::addRow("a long list is cut")
        << sixty
        << QStringList {"No measurement has a valid dip: the net is empty.",
                        "60 measurements have no valid dip: lines " + fifty.join(", ") + ", …"};
}

void StereonetPageTest::figures()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, expected);
    Parts parts('.');
    const auto boxes = collectMessageBoxes(
        [&] { QVERIFY(parts.read(writeFile(m_dir, QStringLiteral("dips.qrl"), data))); });
    QVERIFY(boxes.isEmpty());
    const QStringList lines = parts.page->panel()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(0, expected.size()), expected);
    QVERIFY(!parts.page->panel()->saysComputing());
}

void StereonetPageTest::commandsTakeThePageShown_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("stereonet"); // which page is shown
    for (const char *command : {"save", "copy", "print", "preview"}) {
        QTest::addRow("%s, Graph shown", command) << command << false;
        QTest::addRow("%s, Stereonet shown", command) << command << true;
    }
}

void StereonetPageTest::commandsTakeThePageShown()
{
    QFETCH(QString, command);
    QFETCH(bool, stereonet);
    TestProgram program;
    MainWindow &window = program.window;
    QVERIFY(readAndWait(program.document, bedding));
    if (stereonet)
        showStereonet(window);
    const Picture expected = stereonet ? pageOf(window)->picture() : program.document.picture();
    QVERIFY(expected != (stereonet ? program.document.picture() : pageOf(window)->picture()));
    DiagramCommands &commands = *diagramCommands(window);
    Picture taken;
    if (command == QLatin1String("save")) {
        const QString path = m_dir.filePath(QStringLiteral("shown.svg"));
        commands.setSaveChooser([&](const QString &, QString *filter) {
            *filter = imageFilters().filter(QStringLiteral("*.SVG")).first();
            return path;
        });
        commands.saveImage();
        QCOMPARE(readFile(path), QByteArray::fromStdString(pictureToSvg(expected, fileColors())));
        return;
    }
    if (command == QLatin1String("copy")) {
        commands.copyImage();
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied->data(QStringLiteral("image/svg+xml")),
                 QByteArray::fromStdString(pictureToSvg(expected, fileColors())));
        return;
    }
    if (command == QLatin1String("print")) {
        // The same job printed from the expected picture gives the same pages; only the time
        // of printing differs.
        const auto printed = [](const QString &path, auto print) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            print(printer);
            QByteArray pdf = readFile(path);
            const qsizetype date = pdf.indexOf("/CreationDate (");
            if (date >= 0)
                pdf.remove(date, pdf.indexOf(')', date) + 1 - date);
            return pdf;
        };
        const QByteArray byCommand =
            printed(m_dir.filePath(QStringLiteral("command.pdf")), [&](QPrinter &) {
                commands.setPrintChooser([&](QPrinter &printer) {
                    printer.setOutputFormat(QPrinter::PdfFormat);
                    printer.setOutputFileName(m_dir.filePath(QStringLiteral("command.pdf")));
                    return true;
                });
                commands.print();
            });
        const QByteArray direct =
            printed(m_dir.filePath(QStringLiteral("direct.pdf")), [&](QPrinter &printer) {
                printer.setDocName(window.windowIconText().prepend(QStringLiteral("Printing: ")));
                QVERIFY(printDiagram(expected, fileColors(), printer, 1).ok());
            });
        QVERIFY(!direct.isEmpty());
        QCOMPARE(byCommand, direct);
        return;
    }
    // The preview shows the page's picture, and its size commands draw it anew.
    QTimer look;
    Picture enlarged;
    connect(&look, &QTimer::timeout, &look, [&] {
        if (auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget())) {
            taken = preview->shownPicture();
            preview->enlarge();
            enlarged = preview->shownPicture();
            preview->close();
        }
    });
    look.start(10);
    commands.preview();
    QCOMPARE(taken, expected);
    QCOMPARE(enlarged.width(), expected.width() + 80);
    QCOMPARE(stereonet ? pageOf(window)->picture() : program.document.picture(), expected);
}

void StereonetPageTest::reportSectionOnlyWhenAsked()
{
    TestProgram program;
    MainWindow &window = program.window;
    MemoryKeyValueStore store;
    WindowPersistence persistence(program.document, store);
    window.usePersistence(persistence);
    QVERIFY(readAndWait(program.document, bedding));
    const QString page = m_dir.filePath(QStringLiteral("fold.html"));
    const auto report = [&] {
        QTimer answerer;
        answerFileDialog(answerer, page);
        toolCommands(window)->saveHtml();
        // The section's data are worked out first, off the GUI thread.
        if (!QTest::qWaitFor([&] { return QFileInfo::exists(page); }, 30000))
            return QByteArray("no report written");
        const QByteArray text = readFile(page);
        QFile::remove(page);
        return text;
    };
    const QByteArray plain = report();
    QVERIFY(!plain.contains("Stereonet"));
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("fold-stereonet.svg"))));

    // Asked for while the page was never shown.
    action(window, "stereonetReportAction")->trigger();
    QVERIFY(persistence.currentSettings().stereonetReport);
    const QByteArray withNet = report();
    QVERIFY(withNet.contains(R"(<a name="stereonet">)"));
    QVERIFY(withNet.contains("<tr><td>Poles of planes: 8, lower hemisphere, equal-area (Schmidt) "
                             "net.</td></tr>"));
    QVERIFY(readFile(m_dir.filePath(QStringLiteral("fold-stereonet.svg"))).contains("<svg"));

    action(window, "stereonetReportAction")->trigger();
    QCOMPARE(report(), plain);
}

void StereonetPageTest::largeFileNeverHoldsTheWindow()
{
    // Enough lines that the dips take a while on the page's thread.
    QByteArray large;
    for (int i = 0; i < 400000; ++i)
        large += QByteArray::number(i % 360) + '/' + QByteArray::number(i % 91) + '\n';
    const QString big = writeFile(m_dir, QStringLiteral("big.qrl"), large);
    const QString small = writeFile(m_dir, QStringLiteral("small.qrl"), "125/40\n300/20\n");
    TestProgram program;
    MainWindow &window = program.window;
    StereonetDocument &stereonet = pageOf(window)->stereonet();
    QVERIFY(readAndWait(program.document, big));
    // Never shown, nothing is worked out.
    QVERIFY(!stereonet.isComputing() && !stereonet.data());

    part<QTabWidget>(window, "pages")->setCurrentIndex(stereonetTab);
    // The GUI thread went on at once: the page says it works, and the event loop turns.
    QVERIFY(stereonet.isComputing() && !stereonet.data());
    QCoreApplication::processEvents();
    QVERIFY(pageOf(window)->panel()->saysComputing());

    // A newer read drops what the older computation hands over.
    QVERIFY(readAndWait(program.document, small));
    QVERIFY(QTest::qWaitFor([&] { return stereonet.data() && !stereonet.isComputing(); }, 60000));
    QCOMPARE(stereonet.data()->plotted.size(), std::size_t(2));
    QVERIFY(!pageOf(window)->panel()->saysComputing());
}

QTEST_MAIN(StereonetPageTest)
#include "stereonetpage_test.moc"
