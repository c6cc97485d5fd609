#pragma once

#include <QIcon>
#include <QKeySequence>
#include <QObject>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;

namespace quorel {

// The main window's commands as actions, its menu bar and its main tool bar. Menus are built
// here in their final order; a menu without any command yet stays off the bar, so nothing is
// shown that does nothing. Commands of other subsystems add their actions to these menus and
// call updateMenuBar().
class MainActions : public QObject
{
    Q_OBJECT

public:
    explicit MainActions(QMainWindow *window);

    // A command of the main window, named `name` when one is given. Its shortcut works
    // anywhere in the window, also while the menus are closed and inside edit boxes, which
    // would otherwise take keys such as Ctrl+E ("end of line") for themselves.
    static QAction *makeAction(QObject *parent, const QString &text,
                               const QKeySequence &shortcut = {}, const char *name = nullptr,
                               const QIcon &icon = {});

    // File
    QAction *newAction;
    QAction *openAction;
    QAction *exitAction;
    // Edit
    QAction *editDataAction;
    // View
    QAction *refreshAction;
    QAction *showErrorsAction;
    // Pages
    QAction *showDiagramAction;
    QAction *showStatisticsAction;

    QMenu *fileMenu;
    QMenu *editMenu;
    QMenu *viewMenu;
    QMenu *sizeMenu;
    QMenu *addsMenu;
    QMenu *helpMenu;

    QToolBar *mainToolBar;
    QToolButton *newButton;
    QToolButton *openButton;
    QToolButton *editDataButton;
    QToolButton *refreshButton;
    // Where the recent-files box and its Clear button go on the main tool bar.
    QAction *recentFilesAnchor;

    // Shows exactly the menus that hold at least one visible command.
    void updateMenuBar();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether `widget` is in the main window, or in one of its bars floating on its own.
    bool isInWindow(const QWidget *widget) const;
    // Whether `keys` is the shortcut of one of the window's enabled commands.
    bool isWindowShortcut(const QKeySequence &keys) const;

    QMainWindow *m_window;
};

} // namespace quorel
