#pragma once

#include "core/persist/settings.h"
#include "gui/document/command.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace quorel {

class AboutBox;
class ConverterWindow;
class Document;
struct HtmlReportSource;
struct CircularSentence;

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
    // What the report adds of another page (the stereonet): before the dialog, `prepare` is
    // given the rest of the command, to run once its section is at hand (or never, when a newer
    // read comes first); `add` then puts the section into the report.
    struct ReportExtras
    {
        std::function<void(std::function<void()> proceed)> prepare;
        std::function<void(HtmlReportSource &source)> add;
    };
    void setReportExtras(ReportExtras extras) { m_extras = std::move(extras); }

    // "Save data and graph as HTML file...".
    void saveHtml();
    // "Random graph...": asks for the count, then makes and draws a random graph of it.
    void randomGraph();
    void generateRandomGraph(int count);
    // "Measurement Converter...", "Help..." and "About...".
    void showConverter();
    void showHelp();
    void showAbout();
    // The rows of the main window's commands these are.
    std::vector<Command> commands();

    // Tests answer the count prompt instead of a user.
    // Words the circular statistics' sentences for the report as the window's panel does (in
    // the interface's language); without it the report's are English.
    using CircularWording =
        std::function<QString(const CircularSentence &sentence, char separator)>;
    void setCircularWording(CircularWording wording) { m_circularWording = std::move(wording); }

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
    // The report's dialog and files, with every section at hand.
    void writeHtml();

    Document &m_document;
    QWidget &m_window;
    ConverterWindow *m_converter;
    AboutBox *m_about;
    QString m_reportFolder;
    bool m_circularReport = false;
    ReportExtras m_extras;
    CircularWording m_circularWording;
    std::function<std::optional<int>()> m_askCount;
};

} // namespace quorel
