#include "gui/tools/htmlreportcommand.h"

#include "core/diagram/color.h"
#include "core/tools/htmlreport.h"
#include "core/util/system.h"
#include "gui/document/programcaption.h"
#include "gui/document/readwords.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace quorel {

namespace {

std::string reportWord(const char *text)
{
    return QCoreApplication::translate("quorel::HtmlReportCommand", text).toStdString();
}

} // namespace

HtmlReportWords htmlReportWords()
{
    HtmlReportWords words;
    words.language = reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "en"));
    words.graph = reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "Graph"));
    words.measurements = reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "Measurements"));
    words.statistics = reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "Statistics"));
    words.circularStatistics =
        reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "Circular statistics"));
    words.stereonet = reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "Stereonet"));
    words.number = reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "No."));
    words.azimuth = reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "Azimuth"));
    words.range = reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "Range"));
    words.count = reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "Count"));
    words.allMeasurements =
        reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "All measurements: "));
    words.max = reportWord(QT_TRANSLATE_NOOP("quorel::HtmlReportCommand", "Max: "));
    words.randomGraph = randomGraphName().toStdString();
    return words;
}

void prepareHtmlReportDialog(QFileDialog &dialog, const QString &folder, const QString &defaultName)
{
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The description is shown as it is; the patterns also match on case-sensitive file systems.
    dialog.setNameFilters(
        {QCoreApplication::translate("quorel::HtmlReportCommand", "HTML document (*.HTML)")
         + QStringLiteral(" (*.html *.HTML *.Html)")});
    dialog.setDefaultSuffix(QStringLiteral("html"));
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    dialog.selectFile(defaultName.isEmpty() ? QStringLiteral("quorel.html") : defaultName);
}

QString saveHtmlReportAs(QWidget *owner, const QString &folder, const QString &defaultName,
                         const HtmlReportSource &source, const HtmlReportChooser &chooser)
{
    if (!source.picture || !source.measurements || !source.sectors)
        return {};

    QString path;
    {
        QFileDialog dialog(owner);
        prepareHtmlReportDialog(dialog, folder, defaultName);
        if (chooser)
            path = chooser(dialog);
        else if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().constFirst();
    }
    if (path.isEmpty())
        return {};

    HtmlReportRequest request;
    request.pagePath = path.toStdString();
    request.author = userName();
    request.randomGraph = source.randomGraph;
    request.allText = source.allText.toStdString();
    request.maxText = source.maxText.toStdString();
    request.circularLines = source.circularLines;
    request.stereonetPicture = source.stereonetPicture;
    request.stereonetLines = source.stereonetLines;
    request.words = htmlReportWords();
    const Status saved = saveHtmlReport(request, *source.picture, classicSystemColors(),
                                        *source.measurements, *source.sectors);
    if (!saved) {
        QMessageBox::warning(owner, programCaptionText(), errorText(saved.error()));
        return {};
    }
    return path;
}

} // namespace quorel
