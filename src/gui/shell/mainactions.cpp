#include "gui/shell/mainactions.h"

#include "gui/shell/commandicons.h"

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

bool hasVisibleCommand(const QMenu *menu)
{
    const auto actions = menu->actions();
    return std::any_of(actions.begin(), actions.end(),
                       [](const QAction *a) { return !a->isSeparator() && a->isVisible(); });
}

} // namespace

QAction *MainActions::makeAction(QObject *parent, const QString &text, const QKeySequence &shortcut,
                                 const char *name, const QIcon &icon)
{
    auto *action = new QAction(icon, text, parent);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    if (name)
        action->setObjectName(QLatin1String(name));
    return action;
}

MainActions::MainActions(QMainWindow *window)
    : QObject(window)
    , m_window(window)
{
    newAction = makeAction(this, QStringLiteral("New..."), QKeySequence(QStringLiteral("Ctrl+N")),
                           nullptr, commandIcon(CommandIcon::New));
    openAction = makeAction(this, QStringLiteral("Open..."), QKeySequence(QStringLiteral("Ctrl+O")),
                            nullptr, commandIcon(CommandIcon::Open));
    exitAction = makeAction(this, QStringLiteral("Exit"), QKeySequence(QStringLiteral("Alt+F4")));
    editDataAction =
        makeAction(this, QStringLiteral("Edit data..."), QKeySequence(QStringLiteral("Ctrl+E")),
                   nullptr, commandIcon(CommandIcon::EditData));
    refreshAction = makeAction(this, QStringLiteral("Refresh"), QKeySequence(Qt::Key_F5), nullptr,
                               commandIcon(CommandIcon::Refresh));
    showErrorsAction =
        makeAction(this, QStringLiteral("Show errors..."), QKeySequence(Qt::Key_F12));
    showDiagramAction = makeAction(this, QString(), QKeySequence(QStringLiteral("Ctrl+D")));
    showStatisticsAction = makeAction(this, QString(), QKeySequence(QStringLiteral("Ctrl+T")));
    const std::pair<QAction *, const char *> names[] = {
        {newAction, "newAction"},
        {openAction, "openAction"},
        {exitAction, "exitAction"},
        {editDataAction, "editDataAction"},
        {refreshAction, "refreshAction"},
        {showErrorsAction, "showErrorsAction"},
        {showDiagramAction, "showDiagramAction"},
        {showStatisticsAction, "showStatisticsAction"}};
    for (const auto &[action, name] : names)
        action->setObjectName(QLatin1String(name));
    window->addAction(showDiagramAction);
    window->addAction(showStatisticsAction);

    QMenuBar *bar = window->menuBar();
    auto *barStyle = new RightHelpStyle;
    barStyle->setParent(bar);
    bar->setStyle(barStyle);

    fileMenu = bar->addMenu(QStringLiteral("File"));
    fileMenu->addAction(newAction);
    fileMenu->addAction(openAction);
    fileMenu->addSeparator();
    fileMenu->addAction(exitAction);

    editMenu = bar->addMenu(QStringLiteral("Edit"));
    editMenu->addAction(editDataAction);

    viewMenu = bar->addMenu(QStringLiteral("View"));
    viewMenu->addAction(refreshAction);
    viewMenu->addSeparator();
    viewMenu->addAction(showErrorsAction);

    sizeMenu = bar->addMenu(QStringLiteral("Size"));
    addsMenu = bar->addMenu(QStringLiteral("Adds"));
    bar->addSeparator();
    helpMenu = bar->addMenu(QStringLiteral("Help"));

    // Edit boxes claim some keys for themselves before shortcuts are looked up (QLineEdit takes
    // Ctrl+E as "end of line"); the window's commands come first.
    qApp->installEventFilter(this);

    mainToolBar = new QToolBar(QStringLiteral("Main"), window);
    mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    mainToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    window->addToolBar(Qt::TopToolBarArea, mainToolBar);
    // Tool-bar buttons carry their own captions and hints and run the same actions; they are
    // separate buttons because a button bound to an action takes the action's texts back on
    // every change of the action.
    auto addButton = [this](QAction *action, const QString &caption, const QString &hint) {
        auto *button = new QToolButton(mainToolBar);
        button->setText(caption);
        button->setToolTip(hint);
        button->setIcon(action->icon());
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setEnabled(action->isEnabled());
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::enabledChanged, button, &QToolButton::setEnabled);
        // "newAction" -> "newButton".
        button->setObjectName(
            action->objectName().replace(QStringLiteral("Action"), QStringLiteral("Button")));
        mainToolBar->addWidget(button);
        return button;
    };
    newButton = addButton(newAction, QStringLiteral("&New"), QStringLiteral("New data file..."));
    openButton = addButton(openAction, QStringLiteral("&Open"),
                           QStringLiteral("Open data file... (Ctrl+O)"));
    mainToolBar->addSeparator();
    editDataButton = addButton(editDataAction, QStringLiteral("Edit"),
                               QStringLiteral("Edit data in Notepad..."));
    refreshButton =
        addButton(refreshAction, QStringLiteral("&Refresh"), QStringLiteral("Refresh graph (F5)"));
    recentFilesAnchor = mainToolBar->addSeparator();

    updateMenuBar();
}

bool MainActions::isInWindow(const QWidget *widget) const
{
    const QWidget *window = widget->window();
    if (window == m_window)
        return true;
    const auto *dock = qobject_cast<const QDockWidget *>(window);
    return dock && dock->parentWidget() && dock->parentWidget()->window() == m_window;
}

bool MainActions::isWindowShortcut(const QKeySequence &keys) const
{
    // Commands of dialogs and other windows that the main window owns are theirs, not its.
    const auto actions = m_window->findChildren<QAction *>();
    return std::any_of(actions.begin(), actions.end(), [this, &keys](const QAction *action) {
        const QWidget *owner = owningWidget(action->parent());
        return action->isEnabled() && action->shortcuts().contains(keys) && owner
            && owner->window() == m_window;
    });
}

bool MainActions::eventFilter(QObject *watched, QEvent *event)
{
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

void MainActions::updateMenuBar()
{
    for (QMenu *menu : {fileMenu, editMenu, viewMenu, sizeMenu, addsMenu, helpMenu})
        menu->menuAction()->setVisible(hasVisibleCommand(menu));
}

} // namespace quorel
