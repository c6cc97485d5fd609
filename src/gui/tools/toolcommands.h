#pragma once

#include "core/persist/settings.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace quorel {

class AboutBox;
class ConverterWindow;
class Document;

// The report and tool commands of the main window: "Save data and graph as HTML file...",
// "Measurement Converter...", "Random graph...", "Help..." and "About...". They work on the
// document; `window` is the main window, which owns their dialogs.
class ToolCommands : public QObject
{
    Q_OBJECT

public:
    ToolCommands(Document &document, QWidget &window);

    void setReportFolder(const QString &folder) { m_reportFolder = folder; }
    QString reportFolder() const { return m_reportFolder; }
    // "Circular statistics in the report": the report gains the statistics page's panel.
    void setCircularReport(bool on);
    // The report's folder and whether it carries the circular statistics.
    [[nodiscard]] SettingsBinding settingsBinding();
    bool circularReport() const { return m_circularReport; }

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

    ConverterWindow *converter() const { return m_converter; }
    AboutBox *about() const { return m_about; }

signals:
    void circularReportChanged(bool on);
    // A random graph has been made and stands without a current file.
    void randomGraphMade();

private:
    // The random graph's end: no current file, no random-graph flag.
    void finishRandomGraph();

    Document &m_document;
    QWidget &m_window;
    ConverterWindow *m_converter;
    AboutBox *m_about;
    QString m_reportFolder;
    bool m_circularReport = false;
    std::function<std::optional<int>()> m_askCount;
};

} // namespace quorel
