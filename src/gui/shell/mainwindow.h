#pragma once

// The main window assembles the program around its document (gui/document): the tables, the
// diagram page and the two style bars follow the document's signals, the commands work on the
// document, and one table of commands (createCommands) makes the menus, the tool bar and the
// shortcuts. The window itself only places these parts, shows the read's titles, status and
// progress, and decides when it closes.

#include "core/diagram/color.h"
#include "core/diagram/diagramstyle.h"
#include "core/persist/settings.h"
#include "gui/shell/mainactions.h"

#include <QMainWindow>

#include <functional>
#include <string>
#include <vector>

class QDockWidget;
class QSplitter;
class QTabWidget;

namespace quorel {

class DataTables;
class DescriptionBar;
class DiagramCommands;
class DiagramView;
class Document;
class ErrorsWindow;
class FileCommands;
class MainStatusBar;
class OptionsBar;
class ProgressWindow;
class RecentFilesWidget;
class ToolCommands;
class TrayController;
class ViewCommands;
class WindowPersistence;

// The one main window of the program.
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

    Document &document() const { return *m_document; }

    void setPersistenceHooks(PersistenceHooks hooks);
    // Reads and stores the settings through `persistence`, and writes back into data files
    // with it.
    void usePersistence(WindowPersistence &persistence);
    // Restores the stored settings (through the hook); part of start-up.
    void loadSettings();
    // What the settings keep of the window, and applying them to it.
    Settings currentSettings() const;
    void applySettings(const Settings &settings);

    // The file named on the command line: read it when it exists, else say so; the diagram is
    // drawn either way (the empty grid when no file was read). Then `then`.
    void openCommandLineFile(const QString &argument, std::function<void()> then = {});

    // The status line in a colour value (system colours from the palette).
    void setStatus(const QString &text, Color color);
    // A warning message box owned by this window, caption "Quorel", OK.
    void warn(const QString &text);

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
    void createPages();
    void createBars();
    std::vector<Command> commandTable();
    void createCommands();
    void createTray();
    void followDocument();
    // Opens large enough for the table, the diagram and both bars, as the screen allows.
    void sizeToScreen();
    // The write-back and the settings; runs once.
    void saveBeforeClosing();

    Document *m_document;
    MainStatusBar *m_statusBar;
    ProgressWindow *m_progress;
    ErrorsWindow *m_errors;
    DataTables *m_tables = nullptr;
    DiagramView *m_view = nullptr;
    QTabWidget *m_pages = nullptr;
    QSplitter *m_splitter = nullptr; // the table panel | the pages
    OptionsBar *m_options = nullptr;
    DescriptionBar *m_description = nullptr;
    QDockWidget *m_optionsDock = nullptr;
    QDockWidget *m_descriptionDock = nullptr;
    FileCommands *m_fileCommands = nullptr;
    DiagramCommands *m_diagram = nullptr;
    ViewCommands *m_views = nullptr;
    ToolCommands *m_tools = nullptr;
    MainActions *m_actions = nullptr;
    RecentFilesWidget *m_recent = nullptr;
    TrayController *m_tray = nullptr;

    PersistenceHooks m_hooks;
    WindowPlacement m_startPlacement; // where a first start puts the window
    bool m_closed = false;
};

} // namespace quorel
