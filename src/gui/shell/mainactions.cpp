#include "gui/shell/mainactions.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace quorel {

namespace {

// A menu-bar separator makes the menus after it stand at the right end of the bar (Help).
class RightHelpStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override
    {
        if (hint == QStyle::SH_DrawMenuBarSeparator)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// The widget an object belongs to: itself, or its nearest widget ancestor.
const QWidget *owningWidget(const QObject *object)
{
    while (object && !object->isWidgetType())
        object = object->parent();
    return static_cast<const QWidget *>(object);
}

// The text line of an edit box: a line edit, or the one inside a spin box or editable list.
const QLineEdit *lineOf(const QWidget *widget)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit;
    if (qobject_cast<const QComboBox *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget))
        return widget->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    return nullptr;
}

struct MenuTitle
{
    MenuName name;
    const char *title;
};

constexpr MenuTitle menuTitles[] = {
    {MenuName::File, QT_TRANSLATE_NOOP("quorel::MainActions", "&File")},
    {MenuName::Edit, QT_TRANSLATE_NOOP("quorel::MainActions", "&Edit")},
    {MenuName::View, QT_TRANSLATE_NOOP("quorel::MainActions", "&View")},
    {MenuName::Size, QT_TRANSLATE_NOOP("quorel::MainActions", "S&ize")},
    {MenuName::Adds, QT_TRANSLATE_NOOP("quorel::MainActions", "&Adds")},
    {MenuName::Help, QT_TRANSLATE_NOOP("quorel::MainActions", "&Help")}};

} // namespace

MainActions::MainActions(QMainWindow &window, const std::vector<Command> &commands)
    : QObject(&window)
    , m_window(window)
    , m_toolBar(new QToolBar(tr("Main"), &window))
{
    QMenuBar *bar = window.menuBar();
    auto *barStyle = new RightHelpStyle;
    barStyle->setParent(bar);
    bar->setStyle(barStyle);
    for (const MenuTitle &menu : menuTitles) {
        if (menu.name == MenuName::Help)
            bar->addSeparator();
        m_menus[menu.name] = bar->addMenu(tr(menu.title));
    }

    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    window.addToolBar(Qt::TopToolBarArea, m_toolBar);

    std::vector<const Command *> inOrder;
    for (const Command &command : commands)
        inOrder.push_back(&command);
    std::stable_sort(inOrder.begin(), inOrder.end(),
                     [](const Command *a, const Command *b) { return a->id < b->id; });
    for (const Command *row : inOrder) {
        const Command &command = *row;
        QAction *action = makeAction(command);
        if (command.menu == MenuName::None) {
            window.addAction(action); // its shortcut works without a menu entry
        } else {
            QMenu *menu = m_menus.at(command.menu);
            if (command.separatorBefore)
                menu->addSeparator();
            menu->addAction(action);
        }
        if (!command.buttonCaption.isEmpty()) {
            if (command.buttonSeparatorBefore)
                m_toolBar->addSeparator();
            m_buttons[command.id] = makeButton(command, action);
        }
    }

    // Edit boxes claim some keys for themselves before shortcuts are looked up (QLineEdit takes
    // Ctrl+E as "end of line"); the window's commands come first.
    qApp->installEventFilter(this);
}

QAction *MainActions::makeAction(const Command &command)
{
    auto *action =
        new QAction(command.icon ? commandIcon(*command.icon) : QIcon(), command.caption, this);
    action->setObjectName(QLatin1String(commandObjectName(command.id)));
    if (!command.shortcut.isEmpty())
        action->setShortcut(command.shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(command.checkable);
    if (command.run)
        connect(action, &QAction::triggered, this, command.run);
    if (command.toggled)
        connect(action, &QAction::triggered, this, command.toggled);
    m_actions[command.id] = action;
    return action;
}

QToolButton *MainActions::makeButton(const Command &command, QAction *action)
{
    // Tool-bar buttons carry their own captions and hints and run the same actions; they are
    // separate buttons because a button bound to an action takes the action's texts back on
    // every change of the action.
    auto *button = new QToolButton(m_toolBar);
    button->setText(command.buttonCaption);
    button->setToolTip(command.buttonHint);
    if (command.currentButtonHint)
        m_currentHints[button] = command.currentButtonHint;
    button->setIcon(action->icon());
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setEnabled(action->isEnabled());
    connect(button, &QToolButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::enabledChanged, button, &QToolButton::setEnabled);
    // "newAction" -> "newButton".
    button->setObjectName(
        action->objectName().replace(QStringLiteral("Action"), QStringLiteral("Button")));
    m_toolBar->addWidget(button);
    return button;
}

QAction *MainActions::action(CommandId id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

QToolButton *MainActions::button(CommandId id) const
{
    const auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second;
}

QMenu *MainActions::menu(MenuName name) const
{
    const auto found = m_menus.find(name);
    return found == m_menus.end() ? nullptr : found->second;
}

void MainActions::addToolBarWidget(QWidget *widget)
{
    m_toolBar->addSeparator();
    m_toolBar->addWidget(widget);
}

bool MainActions::isInWindow(const QWidget *widget) const
{
    const QWidget *window = widget->window();
    if (window == &m_window)
        return true;
    const auto *dock = qobject_cast<const QDockWidget *>(window);
    return dock && dock->parentWidget() && dock->parentWidget()->window() == &m_window;
}

bool MainActions::isWindowShortcut(const QKeySequence &keys) const
{
    // Commands of dialogs and other windows that the main window owns are theirs, not its.
    const auto actions = m_window.findChildren<QAction *>();
    return std::any_of(actions.begin(), actions.end(), [this, &keys](const QAction *action) {
        const QWidget *owner = owningWidget(action->parent());
        return action->isEnabled() && action->shortcuts().contains(keys) && owner
            && owner->window() == &m_window;
    });
}

bool MainActions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        if (const auto hint = m_currentHints.find(watched); hint != m_currentHints.end())
            static_cast<QToolButton *>(watched)->setToolTip(hint->second());
        return QObject::eventFilter(watched, event);
    }
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const auto *widget = static_cast<QWidget *>(watched);
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence keys(key->keyCombination());
    if (!isInWindow(widget) || !isWindowShortcut(keys))
        return QObject::eventFilter(watched, event);
    // Copying the text selected in an edit box stays the box's own.
    const QLineEdit *edit = lineOf(widget);
    if (edit && edit->hasSelectedText() && key->matches(QKeySequence::Copy))
        return QObject::eventFilter(watched, event);
    event->ignore(); // not overridden: the shortcut runs
    return true;
}

} // namespace quorel
