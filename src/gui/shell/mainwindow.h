#pragma once

// The main window drives the road of a data file: a command (open, new, edit, drop, command
// line) names a file -> loadData() runs the core reader, which fills the measurement list, the
// sector arrays and the error report and applies the file's display parameters to the style ->
// the tables show the store in place -> redrawDiagram() asks the renderer for the picture -> the
// diagram page shows it centred.

#include "core/data/datareader.h"
#include "core/diagram/diagramstyle.h"

#include <QMainWindow>

#include <functional>
#include <string>

class QLabel;
class QSplitter;
class QTabWidget;

namespace quorel {

class DataTableView;
class DiagramCommands;
class DiagramView;
class ErrorsWindow;
class FileCommands;
class MainActions;
class MainStatusBar;
class MeasurementModel;
class ProgressWindow;
class RecentFilesWidget;
class StatsModel;
class ToolCommands;
class TrayController;
class ViewCommands;

// The one main window: owns the current file, the reader with its measurement store, sector
// arrays and error report, and the diagram style; everything else is a view or a command on them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Where persistence plugs in: each hook is called at its one place when set.
    struct PersistenceHooks
    {
        // Write the display parameters in force into `file` (first step of every read, and
        // the first step of closing). Not called for an empty file name, a random graph, or a
        // file whose read was cancelled or failed.
        std::function<void(const std::string &file, const DiagramStyle &style)> writeBack;
        // Restore the stored settings (window, style, bars) at start-up, before any file is read.
        std::function<void(MainWindow &window)> loadSettings;
        // Put a file that is being read first in the recent-files list.
        std::function<void(const std::string &file)> addRecentFile;
        // Store the settings when the window closes.
        std::function<void(MainWindow &window)> saveSettings;
    };

    // `progress` is the progress window created before this one; without it the window makes
    // its own.
    explicit MainWindow(ProgressWindow *progress = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    void setPersistenceHooks(PersistenceHooks hooks);
    // Restores the stored settings (through the hook); part of start-up.
    void loadSettings();

    // The file named on the command line: read it when it exists, else say so; then draw (the
    // empty grid when no file was read).
    void openCommandLineFile(const QString &argument);

    // Makes `path` the current file and reads it (no redraw). Ignored while a read
    // or an edit is in progress. Returns false when the file could not be read; the message box
    // has been shown then.
    bool loadData(const QString &path);
    // Draws the diagram from the style and the sector arrays in memory.
    void redrawDiagram();
    // Edit data is enabled exactly while there is a current file and no random graph.
    void updateCommands();
    // The status line in a colour value (system colours from the palette).
    void setStatus(const QString &text, Color color);

    // A warning message box owned by this window, caption "Quorel", OK.
    void warn(const QString &text);

    QString currentFileName() const;
    void setCurrentFileName(const QString &path);
    bool isRandomGraph() const { return m_randomGraph; }
    void setRandomGraph(bool on) { m_randomGraph = on; }
    bool isBusy() const { return m_busy != Busy::Idle; }
    bool isReading() const { return m_busy == Busy::Reading; }
    void setEditing(bool on);

    DiagramStyle &style() { return m_style; }
    const DataReader &reader() const { return m_reader; }
    const SaveNames &saveNames() const { return m_saveNames; }
    void setDecimalSeparator(char separator) { m_reader.setDecimalSeparator(separator); }
    // UI updates during a read at most every `msecs` (0: every line).
    void setProgressInterval(int msecs) { m_progressInterval = msecs; }

    MainActions *actions() const { return m_actions; }
    DiagramCommands *diagramCommands() const { return m_diagram; }
    ViewCommands *viewCommands() const { return m_views; }
    ToolCommands *toolCommands() const { return m_tools; }
    RecentFilesWidget *recentFiles() const { return m_recent; }
    MainStatusBar *mainStatusBar() const { return m_statusBar; }
    ProgressWindow *progressWindow() const { return m_progress; }
    ErrorsWindow *errorsWindow() const { return m_errors; }
    FileCommands *fileCommands() const { return m_fileCommands; }
    TrayController *tray() const { return m_tray; }
    DataTableView *measurementTable() const { return m_measurementTable; }
    DataTableView *statsTable() const { return m_statsTable; }
    QTabWidget *pages() const { return m_pages; }
    DiagramView *diagramView() const { return m_view; }
    QLabel *countLabel() const { return m_countLabel; }
    QLabel *maxLabel() const { return m_maxLabel; }
    QString appTitle() const { return windowIconText(); }

    // Writes the display parameters into the current file (nothing for no file or a random
    // graph), e.g. before a random graph replaces it.
    void writeBackCurrentFile() { writeBackDisplayParameters(); }

    // Shows the error report, modal, when this window is visible.
    void showErrors();
    // Hides a visible window, shows and raises a hidden one.
    void toggleVisible();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    class ReadProgress;
    enum class Busy { Idle, Reading, Editing };

    void createPages();
    void createCommands();
    void createTray();
    void sizeToScreen();
    // Empties the measurement table when a new file becomes current; fills the statistics table
    // and the two count labels after a read.
    void clearMeasurementTable();
    void showStatistics();
    // Fits the "No." column to the largest row number and widens the table panel by as much,
    // from the splitter's `sizes` before the read.
    void fitNumberColumn(QList<int> sizes);
    void writeBackDisplayParameters();
    // The write-back and the settings; runs once.
    void saveBeforeClosing();
    QString errorReportText() const;

    MainActions *m_actions;
    MainStatusBar *m_statusBar;
    ProgressWindow *m_progress;
    ErrorsWindow *m_errors;
    FileCommands *m_fileCommands;
    TrayController *m_tray = nullptr;
    DiagramCommands *m_diagram = nullptr;
    ViewCommands *m_views = nullptr;
    ToolCommands *m_tools = nullptr;
    RecentFilesWidget *m_recent = nullptr;
    QTabWidget *m_pages = nullptr;
    QSplitter *m_splitter = nullptr; // the table panel | the pages
    DiagramView *m_view = nullptr;
    DataTableView *m_measurementTable = nullptr;
    DataTableView *m_statsTable = nullptr;
    MeasurementModel *m_measurements = nullptr;
    StatsModel *m_stats = nullptr;
    QLabel *m_countLabel = nullptr;
    QLabel *m_maxLabel = nullptr;

    DataReader m_reader;
    SaveNames m_saveNames;
    DiagramStyle m_style;
    PersistenceHooks m_hooks;
    std::string m_currentFile; // bytes of the path as the system takes them
    bool m_currentFileComplete = false; // read to its end (or named by New): safe to write back
    bool m_randomGraph = false;
    Busy m_busy = Busy::Idle;
    bool m_closeAfterRead = false;
    bool m_closed = false;
    int m_progressInterval = 40;
};

} // namespace quorel
