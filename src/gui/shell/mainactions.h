#pragma once

#include "gui/document/command.h"
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

// The main window's commands as actions, its menu bar and its main tool bar, all made from the
// rows the groups of commands supply: the menus and the tool bar show them in the order of
// their CommandId. Every shortcut
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
