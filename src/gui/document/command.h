#pragma once

// The main window's commands as their groups (files, the diagram, the tools, the pages) supply
// them: the main window's shell makes the actions, menus and tool bar of them.

#include <QKeySequence>
#include <QString>

#include <functional>
#include <optional>

namespace quorel {

// The commands that the menus show with a picture (and Refresh, whose tool button has one).
enum class CommandIcon { New, Open, SaveGraph, SaveHtml, Print, EditData, Copy, Help, Refresh };

// The menus of the menu bar, in their order; Help stands at the right end.
enum class MenuName { None, File, Edit, View, Size, Adds, Help };

// The main window's commands. Their order is the order the menus and the tool bar show them in,
// whichever group supplies them.
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

// One command of the main window as the user meets it (each group of commands supplies its own):
// caption, shortcut and picture, the menu that shows it (after a separator when asked), its button
// on the main tool bar with the button's own caption and hint, and what it does.
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
    // A checkable command's work, with the state it is switched to.
    std::function<void(bool)> toggled = {};
};

} // namespace quorel
