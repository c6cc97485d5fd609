#pragma once

#include <QObject>

#include <functional>

class QAction;
class QDockWidget;
class QMainWindow;
class QTabWidget;
class QToolBar;
class QWidget;

namespace quorel {

class DataTableView;
class Document;

// The "View" toggles (F2 main tool bar, F3 table, F4 options bar, F6 description bar, F7 status
// bar) with their check marks, the table panel's minimum width, the recent-files box's width on
// the main tool bar, and what happens when the user picks a page by its tab.
class ViewCommands : public QObject
{
    Q_OBJECT

public:
    // The parts of the main window that the toggles show and hide.
    struct Parts
    {
        QToolBar *mainToolBar;
        DataTableView *table;
        QDockWidget *optionsDock;
        QDockWidget *descriptionDock;
        QWidget *statusBar;
        QTabWidget *pages;
    };

    ViewCommands(Document &document, QMainWindow &window, const Parts &parts);

    void toggleToolBar();
    void toggleTable();
    void toggleOptionsBar();
    void toggleDescriptionBar();
    // Shows or hides the status bar; the three bars keep their visibility.
    void toggleStatusBar();

    // The toggles' actions, whose check marks follow what is shown.
    void setToggleActions(QAction *toolBar, QAction *table, QAction *optionsBar,
                          QAction *descriptionBar, QAction *statusBar);
    void updateChecks();

    // The recent-files box on the main tool bar: stretched to the docked bar, 150 pixels wide
    // when the bar floats or stands upright. `clearButton` is the button to its right.
    void setRecentFilesBox(QWidget *box, QWidget *clearButton);

    // Called before the redraw when the user selects the diagram page by its tab.
    void setOnDiagramTab(std::function<void()> callback) { m_onDiagramTab = std::move(callback); }

    static constexpr int floatingBoxWidth = 150;
    static constexpr int boxMargin = 25;
    static constexpr int minimumTableWidth = 50;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void toggle(QWidget *target);
    void layoutRecentFilesBox();

    QMainWindow &m_window;
    Parts m_parts;
    QAction *m_checks[5] = {};
    QWidget *m_recentBox = nullptr;
    QWidget *m_clearButton = nullptr;
    std::function<void()> m_onDiagramTab;
};

} // namespace quorel
