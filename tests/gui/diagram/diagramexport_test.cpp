#include "core/diagram/renderer.h"
#include "core/diagram/sizing.h"
#include "core/diagram/wmfwriter.h"
#include "core/util/files.h"
#include "gui/diagram/diagramexport.h"
#include "gui/diagram/previewwindow.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorel;

namespace {

Picture diagram(const std::string &size = "460")
{
    DiagramStyle style;
    style.diagramSize = size;
    SectorCounts counts {};
    counts[0] = 10;
    counts[18] = 5;
    return renderRoseDiagram(style, counts, 10, false).value();
}

int pdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") + pdf.count("/Type /Page>")
               + pdf.count("/Type /Page/"));
}

} // namespace

class DiagramExportTest : public QObject
{
    Q_OBJECT

private slots:
    void savedFilesStartWithTheirFormatsSignature_data();
    void savedFilesStartWithTheirFormatsSignature();
    void metafileFilterWinsOverTheTypedExtension();
    void clipboardCarriesEveryFormatAndTheSavedBytes();
    void printsOnePagePerCopyAsALargeSquare();
    void printsNothingForAnEmptyPicture();
    void previewStepsFourTimesAndShowsTheNewPicture();
    void previewMenuInOrder();
    void printToFileProposesTheDataFilesName();
    void printDialogShowsTheProposedFile();
};

void DiagramExportTest::savedFilesStartWithTheirFormatsSignature_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("signature");
    QTest::addRow("wmf") << int(ImageFormat::Wmf) << QByteArray("\xD7\xCD\xC6\x9A", 4);
    QTest::addRow("emf") << int(ImageFormat::Emf) << QByteArray("\x01\x00\x00\x00", 4);
    QTest::addRow("svg") << int(ImageFormat::Svg) << QByteArray("<");
    QTest::addRow("png") << int(ImageFormat::Png) << QByteArray("\x89PNG");
    QTest::addRow("pdf") << int(ImageFormat::Pdf) << QByteArray("%PDF");
}

void DiagramExportTest::savedFilesStartWithTheirFormatsSignature()
{
    QFETCH(int, format);
    QFETCH(QByteArray, signature);
    QTemporaryDir dir;
    const std::string path = (dir.path() + QStringLiteral("/graph.out")).toStdString();
    QVERIFY(saveDiagram(diagram(), classicSystemColors(), path, ImageFormat(format)).ok());
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY2(bytes.startsWith(signature)
                 || (format == int(ImageFormat::Svg) && bytes.contains("<svg")),
             bytes.left(16).toHex().constData());
}

void DiagramExportTest::metafileFilterWinsOverTheTypedExtension()
{
    QCOMPARE(formatOfFilter(imageFilters().first()), ImageFormat::Wmf);
    QVERIFY(imageFilters().first().startsWith(QStringLiteral("Windows Meta File (*.WMF) (*.wmf ")));
    QCOMPARE(withDefaultExtension(QStringLiteral("/tmp/rose"), ImageFormat::Wmf),
             QStringLiteral("/tmp/rose.wmf"));
    QCOMPARE(withDefaultExtension(QStringLiteral("/tmp/rose.png"), ImageFormat::Wmf),
             QStringLiteral("/tmp/rose.png"));
    QTemporaryDir dir;
    const std::string path = (dir.path() + QStringLiteral("/rose.png")).toStdString();
    QVERIFY(saveDiagram(diagram(), classicSystemColors(), path, ImageFormat::Wmf).ok());
    const auto bytes = readFileBytes(path);
    QVERIFY(bytes.ok());
    QCOMPARE(bytes->substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4));
}

void DiagramExportTest::clipboardCarriesEveryFormatAndTheSavedBytes()
{
    const Picture picture = diagram();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(diagramMimeData(picture, classicSystemColors()));
    const QMimeData *data = clipboard->mimeData();
    QVERIFY(data);
    for (const char *type : {"image/svg+xml", "image/png", "image/x-wmf", "image/x-emf"})
        QVERIFY2(data->hasFormat(QLatin1String(type)), type);
    const std::string wmf = writePlaceableWmf(picture, classicSystemColors());
    QCOMPARE(data->data(QStringLiteral("image/x-wmf")),
             QByteArray(wmf.data(), qsizetype(wmf.size())));
    QVERIFY(data->hasImage());
}

void DiagramExportTest::printsOnePagePerCopyAsALargeSquare()
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/print.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(QStringLiteral("Printing: a.qrl - Quorel"));
    QVERIFY(printDiagram(diagram(), classicSystemColors(), printer, 2).ok());
    QCOMPARE(printer.docName(), QStringLiteral("Printing: a.qrl - Quorel"));
    QCOMPARE(pdfPageCount(path), 2);
}

void DiagramExportTest::printsNothingForAnEmptyPicture()
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/none.pdf");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QVERIFY(printDiagram(Picture(), classicSystemColors(), printer, 3).ok());
    QVERIFY(!QFile::exists(path));
}

void DiagramExportTest::previewStepsFourTimesAndShowsTheNewPicture()
{
    std::string size = "460";
    PreviewHost host;
    host.enlarge = [&] {
        size = std::to_string(enlargedSize(size).value());
    };
    host.reduce = [&] {
        size = std::to_string(reducedSize(size).value());
    };
    host.copyToClipboard = [] {
    };
    host.print = [] {
    };
    host.picture = [&] {
        return diagram(size);
    };
    host.colors = [] {
        return classicSystemColors();
    };
    PreviewWindow preview(host);
    preview.refresh();
    QCOMPARE(preview.shownPicture().width(), 460);
    preview.enlarge();
    preview.enlarge();
    QCOMPARE(size, std::string("620"));
    QCOMPARE(preview.shownPicture().width(), 620);
    size = "3960";
    preview.enlarge();
    QCOMPARE(size, std::string("4000"));
    preview.reduce();
    QCOMPARE(size, std::string("3920"));
}

void DiagramExportTest::previewMenuInOrder()
{
    PreviewHost host;
    host.picture = [] {
        return Picture();
    };
    host.colors = [] {
        return classicSystemColors();
    };
    PreviewWindow preview(host);
    QStringList texts;
    for (QAction *action : preview.contextMenu()->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(
        texts,
        QStringList({QStringLiteral("Size +20   (+)"), QStringLiteral("Size -20    (-)"),
                     QStringLiteral("Refresh"), QStringLiteral("-"),
                     QStringLiteral("Copy graph to the Clipboard"), QStringLiteral("-"),
                     QStringLiteral("Print..."), QStringLiteral("-"), QStringLiteral("Close")}));
}

// "/data" and "/saves" writable unless a case says otherwise; "Save graph..." saves in /saves.
void DiagramExportTest::printToFileProposesTheDataFilesName()
{
    struct Case
    {
        const char *dataFile, *pictureName;
        QStringList writable;
        const char *expected;
    };
    const QStringList all {"/data", "/saves"};
    const Case cases[] = {
        {"/data/joints.qrl", "joints.wmf", all, "/data/joints.pdf"},
        {"/data/joints.qrl", "joints.wmf", {"/saves"}, "/saves/joints.pdf"},
        {"/data/joints.qrl", "joints.wmf", {}, "/home/student/joints.pdf"},
        {"/data/site.2024.txt", "quorel.wmf", all, "/data/site.2024.pdf"},
        {"", "RANDOM GRAPH.wmf", all, "/saves/RANDOM GRAPH.pdf"},
        {"", "", all, "/saves/quorel.pdf"},
    };
    for (const Case &c : cases) {
        const QString proposed =
            proposedPdfPath(QString::fromUtf8(c.dataFile), QString::fromUtf8(c.pictureName),
                            QStringLiteral("/saves"), QStringLiteral("/home/student"),
                            [&c](const QString &folder) { return c.writable.contains(folder); });
        QCOMPARE(proposed, QString::fromUtf8(c.expected));
    }
}

void DiagramExportTest::printDialogShowsTheProposedFile()
{
    QPrinter printer;
    printer.setDocName(QStringLiteral("Printing: joints"));
    const QPrinter::OutputFormat format = printer.outputFormat();
    QPrintDialog dialog(&printer);
    proposeOutputFile(dialog, QStringLiteral("/data/joints.pdf"));
    const auto *box = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
    QVERIFY(box);
    QCOMPARE(box->text(), QStringLiteral("/data/joints.pdf"));
    QCOMPARE(printer.outputFormat(), format);
}

QTEST_MAIN(DiagramExportTest)
#include "diagramexport_test.moc"
