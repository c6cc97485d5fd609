#pragma once

#include <QObject>

#include <functional>

class QAction;
class QWidget;

namespace quorel {

class DiagramCommands;
class MainWindow;

// The "View" toggles (F2 main tool bar, F3 table, F4 options bar, F6 description bar, F7 status
// bar) with their check marks, the table panel's minimum width, the recent-files box's width on
// the main tool bar, and what happens when the user picks a page by its tab.
class ViewCommands : public QObject
{
    Q_OBJECT

public:
    ViewCommands(MainWindow &window, DiagramCommands &diagram);

    // Check marks follow what is shown (part of `updateCommands`).
    void updateChecks();

    // Shows or hides the status bar; the three bars keep their visibility.
    void toggleStatusBar();

    // The recent-files box on the main tool bar: stretched to the docked bar, 150 pixels wide
    // when the bar floats or stands upright. `clearButton` is the button to its right.
    void setRecentFilesBox(QWidget *box, QWidget *clearButton);

    // Called before the redraw when the user selects the diagram page by its tab.
    void setOnDiagramTab(std::function<void()> callback) { m_onDiagramTab = std::move(callback); }

    QAction *toggleToolBarAction = nullptr;
    QAction *toggleTableAction = nullptr;
    QAction *toggleOptionsBarAction = nullptr;
    QAction *toggleDescriptionBarAction = nullptr;
    QAction *toggleStatusBarAction = nullptr;

    static constexpr int floatingBoxWidth = 150;
    static constexpr int boxMargin = 25;
    static constexpr int minimumTableWidth = 50;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *addToggle(const QString &text, int key, QWidget *target, const char *name);
    void layoutRecentFilesBox();

    MainWindow &m_window;
    DiagramCommands &m_diagram;
    QWidget *m_recentBox = nullptr;
    QWidget *m_clearButton = nullptr;
    std::function<void()> m_onDiagramTab;
};

} // namespace quorel
