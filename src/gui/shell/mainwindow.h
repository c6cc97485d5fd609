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
class StereonetPage;
class ToolCommands;
class TrayController;
class ViewState;
class ViewCommands;
class WindowPersistence;

// The one main window of the program.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The window shows and edits `document`, which outlives it. `progress` is the progress
    // window created before this one; without it the window makes its own.
    explicit MainWindow(Document &document, ProgressWindow *progress = nullptr,
                        QWidget *parent = nullptr);
    ~MainWindow() override;

    // Gives `persistence` what each part keeps in the settings, and stores them through it
    // when the window closes.
    void usePersistence(WindowPersistence &persistence);
    // Restores the stored settings through the persistence; part of start-up.
    void loadSettings();

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
    std::vector<Command> windowCommands();
    void createCommands();
    // The Stereonet page beside the other two, and what links it to the commands and the table.
    void createStereonetPage();
    void createTray();
    void followDocument();
    // Opens large enough for the table, the diagram and both bars, as the screen allows.
    void sizeToScreen();
    // The write-back and the settings; runs once.
    void saveBeforeClosing();
    // The window's own part of the settings: its placement and which bars show.
    SettingsBinding layoutBinding();

    Document *m_document;
    ViewState *m_viewState;
    MainStatusBar *m_statusBar;
    Color m_statusColor = clWindowText; // of the status shown
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
    StereonetPage *m_stereonet = nullptr;
    TrayController *m_tray = nullptr;

    WindowPersistence *m_persistence = nullptr;
    WindowPlacement m_startPlacement; // where a first start puts the window
    bool m_closed = false;
};

} // namespace quorel
