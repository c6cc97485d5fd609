#include "gui/shell/viewcommands.h"

#include "gui/data/datatableview.h"
#include "gui/document/document.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QHeaderView>
#include <QMainWindow>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

namespace quorel {

ViewCommands::ViewCommands(Document &document, QMainWindow &window, const Parts &parts)
    : QObject(&window)
    , m_window(window)
    , m_parts(parts)
{
    // A bar closed or floated by the user keeps the check marks in line; a read hides the
    // table while rows arrive.
    for (QDockWidget *dock : {parts.optionsDock, parts.descriptionDock})
        connect(dock, &QDockWidget::visibilityChanged, this, &ViewCommands::updateChecks);
    connect(parts.mainToolBar, &QToolBar::visibilityChanged, this, &ViewCommands::updateChecks);
    connect(&document, &Document::readFinished, this, &ViewCommands::updateChecks);

    // The table panel is never narrower than its two columns, nor than 50 pixels, as they are
    // now: the "No." column widens for a long file.
    DataTableView *table = parts.table;
    const auto keepColumnsInView = [table] {
        const int columns =
            table->horizontalHeader()->sectionSize(0) + table->horizontalHeader()->sectionSize(1);
        table->setMinimumWidth(std::max(minimumTableWidth, columns));
    };
    keepColumnsInView();
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, keepColumnsInView);

    // Choosing the diagram page: only a click on a tab; the Ctrl+D and Ctrl+T shortcuts change the
    // page quietly.
    connect(parts.pages->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index != 0 || m_parts.pages->currentIndex() == 0)
            return;
        if (m_onDiagramTab)
            m_onDiagramTab();
    });

    parts.mainToolBar->installEventFilter(this);
}

void ViewCommands::toggle(QWidget *target)
{
    target->setVisible(!target->isVisibleTo(&m_window));
    updateChecks();
}

void ViewCommands::toggleToolBar()
{
    toggle(m_parts.mainToolBar);
}

void ViewCommands::toggleTable()
{
    toggle(m_parts.table);
}

void ViewCommands::toggleOptionsBar()
{
    toggle(m_parts.optionsDock);
}

void ViewCommands::toggleDescriptionBar()
{
    toggle(m_parts.descriptionDock);
}

void ViewCommands::toggleStatusBar()
{
    QWidget *bars[] = {m_parts.descriptionDock, m_parts.mainToolBar, m_parts.optionsDock};
    bool shown[3];
    for (int i = 0; i < 3; ++i) {
        shown[i] = bars[i]->isVisibleTo(&m_window);
        bars[i]->hide();
    }
    QWidget *status = m_parts.statusBar;
    status->setVisible(!status->isVisibleTo(&m_window));
    for (int i = 0; i < 3; ++i)
        bars[i]->setVisible(shown[i]);
    updateChecks();
}

void ViewCommands::setToggleActions(QAction *toolBar, QAction *table, QAction *optionsBar,
                                    QAction *descriptionBar, QAction *statusBar)
{
    QAction *actions[] = {toolBar, table, optionsBar, descriptionBar, statusBar};
    std::copy(std::begin(actions), std::end(actions), m_checks);
    updateChecks();
}

void ViewCommands::updateChecks()
{
    const QWidget *shown[] = {m_parts.mainToolBar, m_parts.table, m_parts.optionsDock,
                              m_parts.descriptionDock, m_parts.statusBar};
    for (std::size_t i = 0; i < std::size(m_checks); ++i) {
        if (m_checks[i])
            m_checks[i]->setChecked(shown[i]->isVisibleTo(&m_window));
    }
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
    QToolBar *bar = m_parts.mainToolBar;
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
    if (watched == m_parts.mainToolBar
        && (event->type() == QEvent::Resize || event->type() == QEvent::ParentChange))
        layoutRecentFilesBox();
    return QObject::eventFilter(watched, event);
}

} // namespace quorel
