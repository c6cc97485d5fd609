#pragma once

#include "gui/shell/commandicons.h"

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;

namespace quorel {

// The menus of the menu bar, in their order; Help stands at the right end.
enum class MenuName { None, File, Edit, View, Size, Adds, Help };

// The main window's commands. Their order is the order the menus and the tool bar show them in.
enum class CommandId {
    New,
    Open,
    SaveGraph,
    SaveHtml,
    Print,
    Exit,
    EditData,
    CopyGraph,
    ToggleToolBar,
    ToggleTable,
    ToggleOptionsBar,
    ToggleDescriptionBar,
    ToggleStatusBar,
    Refresh,
    ShowErrors,
    FullScreen,
    FitToWindow,
    Enlarge,
    Reduce,
    Converter,
    RandomGraph,
    CircularReport,
    StereonetReport,
    Help,
    About,
    ShowDiagram,
    ShowStatistics,
};

// The object name of a command's action ("openAction"), by which tests and styles find it.
[[nodiscard]] const char *commandObjectName(CommandId id);

// One command of the main window as the user meets it: caption, shortcut and picture, the menu
// that shows it (after a separator when asked), its button on the main tool bar with the
// button's own caption and hint, and what it does.
struct Command
{
    CommandId id;
    QString caption;
    QKeySequence shortcut = {};
    std::optional<CommandIcon> icon = std::nullopt;
    MenuName menu = MenuName::None;
    bool separatorBefore = false;
    bool checkable = false;
    QString buttonCaption = {}; // empty: not on the main tool bar
    QString buttonHint = {};
    // When set, the hint is made afresh each time it is about to show.
    std::function<QString()> currentButtonHint = {};
    bool buttonSeparatorBefore = false;
    std::function<void()> run = {};
};

// The main window's commands as actions, its menu bar and its main tool bar, all made from one
// table of commands: the menus and the tool bar show them in the table's order. Every shortcut
// works anywhere in the window, also inside edit boxes, which would otherwise take keys such
// as Ctrl+E ("end of line") for themselves.
class MainActions : public QObject
{
    Q_OBJECT

public:
    MainActions(QMainWindow &window, const std::vector<Command> &commands);

    QAction *action(CommandId id) const;
    // The tool-bar button of the command (nullptr when it has none).
    QToolButton *button(CommandId id) const;
    QMenu *menu(MenuName name) const;
    QToolBar *mainToolBar() const { return m_toolBar; }

    // Puts `widget` at the end of the main tool bar, after a separator.
    void addToolBarWidget(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *makeAction(const Command &command);
    QToolButton *makeButton(const Command &command, QAction *action);
    // Whether `widget` is in the main window, or in one of its bars floating on its own.
    bool isInWindow(const QWidget *widget) const;
    // Whether `keys` is the shortcut of one of the window's enabled commands.
    bool isWindowShortcut(const QKeySequence &keys) const;

    QMainWindow &m_window;
    QToolBar *m_toolBar;
    std::map<CommandId, QAction *> m_actions;
    std::map<CommandId, QToolButton *> m_buttons;
    std::map<MenuName, QMenu *> m_menus;
    std::map<const QObject *, std::function<QString()>> m_currentHints;
};

} // namespace quorel
