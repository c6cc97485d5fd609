#include "gui/tools/toolcommands.h"

#include "core/tools/randomdata.h"
#include "core/util/system.h"
#include "gui/data/datatableview.h"
#include "gui/diagram/descriptionbar.h"
#include "gui/diagram/diagramcommands.h"
#include "gui/shell/commandicons.h"
#include "gui/shell/diagramview.h"
#include "gui/shell/mainactions.h"
#include "gui/shell/mainwindow.h"
#include "gui/tools/aboutbox.h"
#include "gui/tools/converterwindow.h"
#include "gui/tools/helpcommand.h"
#include "gui/tools/htmlreportcommand.h"
#include "gui/tools/randomgraphprompt.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>

namespace quorel {

namespace { } // namespace

ToolCommands::ToolCommands(MainWindow &window, DiagramCommands &diagram)
    : QObject(&window)
    , m_window(window)
    , m_diagram(diagram)
    , m_converter(new ConverterWindow(&window))
    , m_about(new AboutBox(&window))
    , m_askCount([this] { return askRandomGraphCount(&m_window); })
{
    MainActions &menus = *window.actions();
    saveHtmlAction =
        MainActions::makeAction(this, QStringLiteral("Save data and graph as HTML file..."),
                                QKeySequence(QStringLiteral("Ctrl+Shift+S")), "saveHtmlAction",
                                commandIcon(CommandIcon::SaveHtml));
    converterAction =
        MainActions::makeAction(this, QStringLiteral("Measurement Converter..."),
                                QKeySequence(QStringLiteral("Shift+F1")), "converterAction");
    randomGraphAction =
        MainActions::makeAction(this, QStringLiteral("Random graph..."),
                                QKeySequence(QStringLiteral("Shift+F2")), "randomGraphAction");
    helpAction = MainActions::makeAction(this, QStringLiteral("Help..."), QKeySequence(Qt::Key_F1),
                                         "helpAction", commandIcon(CommandIcon::Help));
    aboutAction = MainActions::makeAction(this, QStringLiteral("About..."),
                                          QKeySequence(QStringLiteral("Ctrl+F1")), "aboutAction");

    connect(saveHtmlAction, &QAction::triggered, this, &ToolCommands::saveHtml);
    connect(converterAction, &QAction::triggered, this, &ToolCommands::showConverter);
    connect(randomGraphAction, &QAction::triggered, this, &ToolCommands::randomGraph);
    connect(helpAction, &QAction::triggered, this, &ToolCommands::showHelp);
    connect(aboutAction, &QAction::triggered, this, &ToolCommands::showAbout);

    // File: ... Save graph..., Save data and graph as HTML file..., separator, Print...
    const auto fileActions = menus.fileMenu->actions();
    const auto at = fileActions.indexOf(diagram.saveGraphAction);
    menus.fileMenu->insertAction(fileActions.value(at + 1), saveHtmlAction);
    menus.addsMenu->addAction(converterAction);
    menus.addsMenu->addAction(randomGraphAction);
    menus.helpMenu->addAction(helpAction);
    menus.helpMenu->addSeparator();
    menus.helpMenu->addAction(aboutAction);
    menus.updateMenuBar();
}

void ToolCommands::saveHtml()
{
    const DataReader &reader = m_window.reader();
    HtmlReportSource source;
    const Picture picture = m_window.diagramView()->picture();
    source.picture = &picture;
    source.measurements = &reader.measurements();
    source.sectors = &reader.sectors();
    source.randomGraph = m_window.isRandomGraph();
    source.allText = m_window.countLabel()->text();
    source.maxText = m_window.maxLabel()->text();
    const std::string &proposed = m_window.saveNames().html;
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
    // Too many is refused before anything changes: the file shown, its look and the settings.
    if (const Status allowed = checkRandomGraphCount(count); !allowed) {
        m_window.warn(QString::fromStdString(allowed.message()));
        return;
    }
    // The file shown so far keeps its look; then the random graph stands alone, without a
    // description and without a current file.
    const QString previous = m_window.currentFileName();
    if (!previous.isEmpty() && !m_window.isRandomGraph())
        m_window.writeBackCurrentFile();
    m_window.style().descText.clear();
    m_diagram.descriptionBar()->refresh();
    m_window.setRandomGraph(true);
    const std::string path = randomGraphPath(tempFolder());
    const Status written =
        writeRandomDataFile(path, count, m_window.reader().decimalSeparator(), clockSeed());
    if (written) {
        m_window.loadData(QString::fromStdString(path));
        m_window.redrawDiagram();
        (void)deleteFile(path);
    } else {
        m_window.warn(QString::fromStdString(written.message()));
    }
    m_window.setCurrentFileName(QString());
    m_window.setRandomGraph(false);
    if (m_onRandom)
        m_onRandom();
}

void ToolCommands::showConverter()
{
    m_converter->exec();
}

void ToolCommands::showHelp()
{
    (void)showHelpPage();
}

void ToolCommands::showAbout()
{
    m_about->exec();
}

} // namespace quorel
