#include "gui/diagram/diagramexport.h"

#include "core/diagram/emfwriter.h"
#include "core/diagram/sizing.h"
#include "core/diagram/svgwriter.h"
#include "core/diagram/wmfwriter.h"
#include "core/util/files.h"
#include "gui/diagram/pictureplayer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace quorel {

namespace {

struct FormatInfo
{
    ImageFormat format;
    const char *description; // what the dialog shows
    const char *extension; // lower case: the dialog gives a proposed name this extension
};

constexpr FormatInfo formats[] = {
    {ImageFormat::Wmf, QT_TRANSLATE_NOOP("quorel::DiagramExport", "Windows Meta File (*.WMF)"),
     "wmf"},
    {ImageFormat::Emf, QT_TRANSLATE_NOOP("quorel::DiagramExport", "Enhanced Meta File (*.EMF)"),
     "emf"},
    {ImageFormat::Svg, QT_TRANSLATE_NOOP("quorel::DiagramExport", "SVG image (*.SVG)"), "svg"},
    {ImageFormat::Png, QT_TRANSLATE_NOOP("quorel::DiagramExport", "PNG image (*.PNG)"), "png"},
    {ImageFormat::Pdf, QT_TRANSLATE_NOOP("quorel::DiagramExport", "PDF document (*.PDF)"), "pdf"},
};

// The description, then the patterns the dialog matches and takes its extension from. The dialog
// hides this last group and puts the first pattern's extension on the proposed name, so it is
// the lower-case one; the others find files on case-sensitive file systems.
// What the dialog shows of the format, in the interface's language.
QString description(const FormatInfo &info)
{
    return QCoreApplication::translate("quorel::DiagramExport", info.description);
}

QString filterOf(const FormatInfo &info)
{
    const QString lower = QLatin1String(info.extension);
    const QString capital = lower.left(1).toUpper() + lower.mid(1);
    return description(info) + QStringLiteral(" (*.") + lower + QStringLiteral(" *.")
        + lower.toUpper() + QStringLiteral(" *.") + capital + QLatin1Char(')');
}

QByteArray toBytes(const std::string &bytes)
{
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

QStringList imageFilters()
{
    QStringList filters;
    for (const FormatInfo &info : formats)
        filters << filterOf(info);
    return filters;
}

ImageFormat formatOfFilter(const QString &filter)
{
    for (const FormatInfo &info : formats) {
        if (filter == filterOf(info) || filter == description(info))
            return info.format;
    }
    return ImageFormat::Wmf;
}

QString extensionOf(ImageFormat format)
{
    for (const FormatInfo &info : formats) {
        if (info.format == format)
            return QLatin1String(info.extension);
    }
    return QStringLiteral("wmf");
}

QString withDefaultExtension(const QString &path, ImageFormat format)
{
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + extensionOf(format);
}

Status saveDiagram(const Picture &picture, const SystemColorTable &colors, const std::string &path,
                   ImageFormat format)
{
    switch (format) {
    case ImageFormat::Wmf:
        return writeFile(path, writePlaceableWmf(picture, colors));
    case ImageFormat::Emf:
        return writeFile(path, writeEmf(picture, colors, qtTextMeasure()));
    case ImageFormat::Svg:
        return writeFile(path, pictureToSvg(picture, colors));
    case ImageFormat::Png:
        return writePng(picture, colors, path);
    case ImageFormat::Pdf:
        return writePdf(picture, colors, path);
    }
    return Error {"Unknown image format"};
}

QMimeData *diagramMimeData(const Picture &picture, const SystemColorTable &colors)
{
    auto *data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), toBytes(pictureToSvg(picture, colors)));
    const QImage image = renderToImage(picture, colors);
    if (!image.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        data->setData(QStringLiteral("image/png"), png);
        data->setImageData(image);
    }
    data->setData(QStringLiteral("image/x-wmf"), toBytes(writePlaceableWmf(picture, colors)));
    data->setData(QStringLiteral("image/x-emf"),
                  toBytes(writeEmf(picture, colors, qtTextMeasure())));
    return data;
}

Status printDiagram(const Picture &picture, const SystemColorTable &colors, QPrinter &printer,
                    int copies)
{
    if (picture.isEmpty() || copies < 1)
        return success();
    printer.setCopyCount(1); // the copies are ours, one job each
    const PicturePlayer player(colors);
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    QPainter painter;
    for (int copy = 0; copy < copies; ++copy) {
        if (copy == 0 || !toFile) {
            if (!painter.begin(&printer))
                return Error {"The printer could not start the job."};
        } else if (!printer.newPage()) {
            painter.end();
            return Error {"The printer could not start a new page."};
        }
        const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
        const auto size = printSize(picture.width(), picture.height(), page.width(), page.height());
        if (size)
            player.play(picture, painter, QRectF(0, 0, size->width, size->height));
        if (!toFile)
            painter.end();
    }
    if (painter.isActive())
        painter.end();
    return success();
}

QString proposedPdfPath(const QString &dataFile, const QString &pictureName,
                        const QString &saveFolder, const QString &homeFolder,
                        const std::function<bool(const QString &)> &isWritableFolder)
{
    const QString pdf = QStringLiteral(".pdf");
    QString name = pictureName.isEmpty() ? QStringLiteral("quorel.wmf") : pictureName;
    QString folder;
    if (!dataFile.isEmpty()) {
        const QFileInfo data(dataFile);
        name = data.fileName();
        folder = data.absolutePath();
    }
    // The extension goes: "joints.qrl" -> "joints.pdf", "site.2024.qrl" -> "site.2024.pdf".
    const QFileInfo named(name);
    name = named.suffix().isEmpty() ? name + pdf : named.completeBaseName() + pdf;
    for (const QString &candidate : {folder, saveFolder}) {
        if (!candidate.isEmpty() && isWritableFolder(candidate))
            return QDir(candidate).filePath(name);
    }
    return QDir(homeFolder).filePath(name);
}

void proposeOutputFile(QPrintDialog &dialog, const QString &path)
{
    // The box of the dialog's "Print to File (PDF)" choice; the printer is left as it is, since
    // naming a file on the printer would make printing to a file the choice.
    if (auto *box = dialog.findChild<QLineEdit *>(QStringLiteral("filename")))
        box->setText(QDir::toNativeSeparators(path));
}

} // namespace quorel
