#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QAction;

namespace quorel {

class AboutBox;
class ConverterWindow;
class DiagramCommands;
class MainWindow;

// The report and tool commands of the main window: "Save data and graph as HTML file...",
// "Measurement Converter...", "Random graph...", "Help..." and "About...". Adds their actions to
// the "File", "Adds" and "Help" menus.
class ToolCommands : public QObject
{
    Q_OBJECT

public:
    ToolCommands(MainWindow &window, DiagramCommands &diagram);

    void setReportFolder(const QString &folder) { m_reportFolder = folder; }
    QString reportFolder() const { return m_reportFolder; }

    // "Save data and graph as HTML file...".
    void saveHtml();
    // "Random graph...": asks for the count, then makes and draws a random graph of it.
    void randomGraph();
    void generateRandomGraph(int count);
    // "Measurement Converter...", "Help..." and "About...".
    void showConverter();
    void showHelp();
    void showAbout();

    // Tests answer the count prompt instead of a user.
    void setCountPrompt(std::function<std::optional<int>()> prompt)
    {
        m_askCount = std::move(prompt);
    }
    // Called when a random graph has been made, so the recent-files box forgets the current file.
    void setOnRandomGraph(std::function<void()> callback) { m_onRandom = std::move(callback); }

    ConverterWindow *converter() const { return m_converter; }
    AboutBox *about() const { return m_about; }

    QAction *saveHtmlAction = nullptr;
    QAction *converterAction = nullptr;
    QAction *randomGraphAction = nullptr;
    QAction *helpAction = nullptr;
    QAction *aboutAction = nullptr;

private:
    MainWindow &m_window;
    DiagramCommands &m_diagram;
    ConverterWindow *m_converter;
    AboutBox *m_about;
    QString m_reportFolder;
    std::function<std::optional<int>()> m_askCount;
    std::function<void()> m_onRandom;
};

} // namespace quorel
