#include "gui/shell/viewcommands.h"

#include "gui/data/datatableview.h"
#include "gui/diagram/diagramcommands.h"
#include "gui/shell/mainactions.h"
#include "gui/shell/mainstatusbar.h"
#include "gui/shell/mainwindow.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

namespace quorel {

ViewCommands::ViewCommands(MainWindow &window, DiagramCommands &diagram)
    : QObject(&window)
    , m_window(window)
    , m_diagram(diagram)
{
    MainActions &menus = *window.actions();
    toggleToolBarAction = addToggle(QStringLiteral("Show/Hide main toolbar"), Qt::Key_F2,
                                    menus.mainToolBar, "toggleToolBarAction");
    toggleTableAction = addToggle(QStringLiteral("Show/Hide table"), Qt::Key_F3,
                                  window.measurementTable(), "toggleTableAction");
    toggleOptionsBarAction = addToggle(QStringLiteral("Show/Hide options bar"), Qt::Key_F4,
                                       diagram.optionsDock(), "toggleOptionsBarAction");
    toggleDescriptionBarAction = addToggle(QStringLiteral("Show/Hide description bar"), Qt::Key_F6,
                                           diagram.descriptionDock(), "toggleDescriptionBarAction");
    toggleStatusBarAction =
        MainActions::makeAction(this, QStringLiteral("Show/Hide status bar"),
                                QKeySequence(Qt::Key_F7), "toggleStatusBarAction");
    toggleStatusBarAction->setCheckable(true);
    connect(toggleStatusBarAction, &QAction::triggered, this, &ViewCommands::toggleStatusBar);

    QAction *first = menus.viewMenu->actions().value(0);
    for (QAction *toggle : {toggleToolBarAction, toggleTableAction, toggleOptionsBarAction,
                            toggleDescriptionBarAction, toggleStatusBarAction})
        menus.viewMenu->insertAction(first, toggle);
    menus.viewMenu->insertSeparator(first);
    menus.updateMenuBar();

    // A bar closed or floated by the user keeps the check marks in line.
    for (QDockWidget *dock : {diagram.optionsDock(), diagram.descriptionDock()})
        connect(dock, &QDockWidget::visibilityChanged, this, &ViewCommands::updateChecks);
    connect(menus.mainToolBar, &QToolBar::visibilityChanged, this, &ViewCommands::updateChecks);

    // The table panel is never narrower than its two columns, nor than 50 pixels, as they are
    // now: the "No." column widens for a long file.
    DataTableView *table = window.measurementTable();
    const auto keepColumnsInView = [table] {
        const int columns =
            table->horizontalHeader()->sectionSize(0) + table->horizontalHeader()->sectionSize(1);
        table->setMinimumWidth(std::max(minimumTableWidth, columns));
    };
    keepColumnsInView();
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, keepColumnsInView);

    // Choosing the diagram page: only a click on a tab; the Ctrl+D and Ctrl+T shortcuts change the
    // page quietly.
    connect(window.pages()->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index != 0 || m_window.pages()->currentIndex() == 0)
            return;
        if (m_onDiagramTab)
            m_onDiagramTab();
        m_window.redrawDiagram();
    });

    menus.mainToolBar->installEventFilter(this);
    updateChecks();
}

QAction *ViewCommands::addToggle(const QString &text, int key, QWidget *target, const char *name)
{
    QAction *action = MainActions::makeAction(this, text, QKeySequence(key), name);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, target] {
        target->setVisible(!target->isVisibleTo(&m_window));
        updateChecks();
    });
    return action;
}

void ViewCommands::toggleStatusBar()
{
    MainActions &menus = *m_window.actions();
    QWidget *bars[] = {m_diagram.descriptionDock(), menus.mainToolBar, m_diagram.optionsDock()};
    bool shown[3];
    for (int i = 0; i < 3; ++i) {
        shown[i] = bars[i]->isVisibleTo(&m_window);
        bars[i]->hide();
    }
    QWidget *status = m_window.mainStatusBar();
    status->setVisible(!status->isVisibleTo(&m_window));
    for (int i = 0; i < 3; ++i)
        bars[i]->setVisible(shown[i]);
    updateChecks();
}

void ViewCommands::updateChecks()
{
    MainActions &menus = *m_window.actions();
    const std::pair<QAction *, QWidget *> pairs[] = {
        {toggleToolBarAction, menus.mainToolBar},
        {toggleTableAction, m_window.measurementTable()},
        {toggleOptionsBarAction, m_diagram.optionsDock()},
        {toggleDescriptionBarAction, m_diagram.descriptionDock()},
        {toggleStatusBarAction, m_window.mainStatusBar()},
    };
    for (const auto &[action, widget] : pairs)
        action->setChecked(widget->isVisibleTo(&m_window));
}

void ViewCommands::setRecentFilesBox(QWidget *box, QWidget *clearButton)
{
    m_recentBox = box;
    m_clearButton = clearButton;
    layoutRecentFilesBox();
}

void ViewCommands::layoutRecentFilesBox()
{
    if (!m_recentBox)
        return;
    QToolBar *bar = m_window.actions()->mainToolBar;
    const Qt::ToolBarArea area = m_window.toolBarArea(bar);
    const bool lying =
        !bar->isFloating() && (area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea);
    int width = floatingBoxWidth;
    if (lying) {
        const int left = m_recentBox->mapTo(bar, QPoint(0, 0)).x();
        const int clear = m_clearButton ? m_clearButton->width() : 0;
        width = std::max(floatingBoxWidth, bar->width() - left - clear - boxMargin);
    }
    m_recentBox->setFixedWidth(width);
}

bool ViewCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window.actions()->mainToolBar
        && (event->type() == QEvent::Resize || event->type() == QEvent::ParentChange))
        layoutRecentFilesBox();
    return QObject::eventFilter(watched, event);
}

} // namespace quorel
