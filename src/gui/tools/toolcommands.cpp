#include "gui/tools/toolcommands.h"

#include "core/data/circularsummary.h"
#include "core/tools/circularwording.h"
#include "core/tools/randomdata.h"
#include "core/util/system.h"
#include "gui/document/document.h"
#include "gui/document/readwords.h"
#include "gui/tools/aboutbox.h"
#include "gui/tools/converterwindow.h"
#include "gui/tools/helpcommand.h"
#include "gui/tools/htmlreportcommand.h"
#include "gui/tools/randomgraphprompt.h"

#include <QDir>

namespace quorel {

ToolCommands::ToolCommands(Document &document, QWidget &window)
    : QObject(&window)
    , m_document(document)
    , m_window(window)
    , m_converter(new ConverterWindow(&window))
    , m_about(new AboutBox(&window))
    , m_askCount([this] { return askRandomGraphCount(&m_window); })
{ }

void ToolCommands::saveHtml()
{
    // The report is made of the data of a finished read only.
    if (m_document.isReading())
        return;
    if (m_extras.prepare)
        m_extras.prepare([this] { writeHtml(); });
    else
        writeHtml();
}

void ToolCommands::writeHtml()
{
    if (m_document.isReading())
        return;
    HtmlReportSource source;
    const Picture picture = m_document.picture();
    source.picture = &picture;
    source.measurements = &m_document.measurements();
    source.sectors = &m_document.sectors();
    source.randomGraph = m_document.isRandomGraph();
    source.allText = QString::number(m_document.measurementCount());
    source.maxText = QString::number(m_document.maxCount());
    if (m_circularReport) {
        const char separator = m_document.decimalSeparator();
        if (m_circularWording) {
            for (const CircularSentence &sentence : circularPanelSentences(
                     m_document.circularStatistics(), m_document.showsSignificanceBand(),
                     m_document.showsMeanDirection()))
                source.circularLines.push_back(
                    m_circularWording(sentence, separator).toStdString());
        } else {
            source.circularLines = circularPanelLines(m_document.circularStatistics(), separator,
                                                      m_document.showsSignificanceBand(),
                                                      m_document.showsMeanDirection());
        }
    }
    if (m_extras.add)
        m_extras.add(source);
    const std::string &proposed = m_document.saveNames().html;
    const QString name =
        proposed.empty() ? QStringLiteral("quorel.html") : QString::fromStdString(proposed);
    saveHtmlReportAs(&m_window, m_reportFolder, name, source);
}

void ToolCommands::randomGraph()
{
    const std::optional<int> count = m_askCount();
    if (!count)
        return;
    generateRandomGraph(*count);
}

void ToolCommands::generateRandomGraph(int count)
{
    // The random graph replaces the file shown: not while it is read or edited.
    if (m_document.isBusy())
        return;
    // Too many is refused before anything changes: the file shown, its look and the settings.
    if (const Status allowed = checkRandomGraphCount(count); !allowed) {
        m_document.warn(errorText(allowed.error()));
        return;
    }
    // The file shown so far keeps its look; then the random graph stands alone, without a
    // description and without a current file.
    if (!m_document.currentFile().empty() && !m_document.isRandomGraph())
        m_document.writeBackCurrentFile();
    m_document.editStyle([](DiagramStyle &style) { style.descriptionText.clear(); });
    m_document.setRandomGraph(true);
    const std::string path = randomGraphPath(tempFolder());
    const Status written =
        writeRandomDataFile(path, count, m_document.decimalSeparator(), clockSeed());
    if (!written) {
        m_document.warn(errorText(written.error()));
        finishRandomGraph();
        return;
    }
    m_document.read(QString::fromStdString(path), [this, path](bool) {
        (void)deleteFile(path);
        finishRandomGraph();
    });
}

void ToolCommands::finishRandomGraph()
{
    m_document.setCurrentFileName(QString());
    m_document.setRandomGraph(false);
    emit randomGraphMade();
}

void ToolCommands::showConverter()
{
    m_converter->exec();
}

void ToolCommands::showHelp()
{
    const QString page = showHelpPage([this](const QString &shown) {
        m_document.warn(tr("No web browser was found to show the help page.\n"
                           "Open it in a browser yourself:\n%1")
                            .arg(QDir::toNativeSeparators(shown)));
    });
    if (page.isEmpty())
        m_document.warn(tr("The help page could not be written into the cache folder \"%1\" "
                           "nor into the temporary folder \"%2\".")
                            .arg(QString::fromStdString(programCacheFolder()),
                                 QString::fromStdString(tempFolder())));
}

void ToolCommands::showAbout()
{
    m_about->exec();
}

void ToolCommands::setCircularReport(bool on)
{
    if (std::exchange(m_circularReport, on) != on)
        emit circularReportChanged(on);
}

SettingsBinding ToolCommands::settingsBinding()
{
    return {[this](const Settings &settings) {
                setReportFolder(QString::fromStdString(settings.reportFolder));
                setCircularReport(settings.circularReport);
            },
            [this](Settings &settings) {
                settings.circularReport = m_circularReport;
            }};
}

std::vector<Command> ToolCommands::commands()
{
    return {
        {.id = CommandId::SaveHtml,
         .caption = tr("Save data and graph as &HTML file..."),
         .shortcut = QKeySequence(QStringLiteral("Ctrl+Shift+S")),
         .icon = CommandIcon::SaveHtml,
         .menu = MenuName::File,
         .run =
             [this] {
                 saveHtml();
             }},
        {.id = CommandId::Converter,
         .caption = tr("&Measurement Converter..."),
         .shortcut = QKeySequence(QStringLiteral("Shift+F1")),
         .menu = MenuName::Adds,
         .run =
             [this] {
                 showConverter();
             }},
        {.id = CommandId::RandomGraph,
         .caption = tr("&Random graph..."),
         .shortcut = QKeySequence(QStringLiteral("Shift+F2")),
         .menu = MenuName::Adds,
         .run =
             [this] {
                 randomGraph();
             }},
        {.id = CommandId::CircularReport,
         .caption = tr("&Circular statistics in the report"),
         .menu = MenuName::Adds,
         .separatorBefore = true,
         .checkable = true,
         .toggled =
             [this](bool on) {
                 setCircularReport(on);
             }},
        {.id = CommandId::Help,
         .caption = tr("&Help..."),
         .shortcut = QKeySequence(Qt::Key_F1),
         .icon = CommandIcon::Help,
         .menu = MenuName::Help,
         .run =
             [this] {
                 showHelp();
             }},
        {.id = CommandId::About,
         .caption = tr("&About..."),
         .shortcut = QKeySequence(QStringLiteral("Ctrl+F1")),
         .menu = MenuName::Help,
         .separatorBefore = true,
         .run =
             [this] {
                 showAbout();
             }},
    };
}

} // namespace quorel
