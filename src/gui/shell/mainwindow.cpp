#include "gui/shell/mainwindow.h"

#include "core/diagram/sizing.h"
#include "core/util/numbers.h"
#include "gui/data/circularstatspanel.h"
#include "gui/data/datatables.h"
#include "gui/data/datatableview.h"
#include "gui/data/errorswindow.h"
#include "gui/data/measurementmodel.h"
#include "gui/data/progresswindow.h"
#include "gui/data/tablestyle.h"
#include "gui/diagram/descriptionbar.h"
#include "gui/diagram/diagramcommands.h"
#include "gui/diagram/diagramview.h"
#include "gui/diagram/optionsbar.h"
#include "gui/diagram/pictureplayer.h"
#include "gui/document/document.h"
#include "gui/document/programcaption.h"
#include "gui/document/readwords.h"
#include "gui/document/viewstate.h"
#include "gui/persist/recentfileswidget.h"
#include "gui/persist/windowpersistence.h"
#include "gui/shell/filecommands.h"
#include "gui/shell/mainstatusbar.h"
#include "gui/shell/startgeometry.h"
#include "gui/shell/traycontroller.h"
#include "gui/shell/viewcommands.h"
#include "gui/stereonet/stereonetpage.h"
#include "gui/stereonet/stereonetview.h"
#include "gui/tools/programicon.h"
#include "gui/tools/toolcommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <iterator>

namespace quorel {

namespace {

constexpr int windowMinWidth = 750;
constexpr int windowMinHeight = 500;

// The table panel's width: both columns and the vertical scroll bar.
int measurementPanelWidth()
{
    return MeasurementModel::columnWidth(0) + MeasurementModel::columnWidth(1) + 22;
}

QString fromBytes(const std::string &bytes)
{
    return QString::fromStdString(bytes);
}

// The status line's words for what a read tells, in the interface's language.
} // namespace

MainWindow::MainWindow(Document &document, ProgressWindow *progress, QWidget *parent)
    : QMainWindow(parent)
    , m_document(&document)
    , m_viewState(new ViewState(document, this))
    , m_statusBar(new MainStatusBar(this))
    , m_progress(progress ? progress : new ProgressWindow(this))
    , m_errors(new ErrorsWindow(this))
{
    setFont(tablestyle::windowFont());
    setWindowTitle(programCaptionText());
    setWindowIconText(programCaptionText());
    setWindowIcon(programIcon());
    setMinimumSize(windowMinWidth, windowMinHeight);
    setAcceptDrops(true);

    setStatusBar(m_statusBar);
    createPages();
    createBars();
    createTray();
    createCommands();
    createStereonetPage();
    sizeToScreen();
    followDocument();

    setStatus(QString(), clWindowText);
    m_pages->setFocus();
}

MainWindow::~MainWindow()
{
    // The document outlives the window: what the parts do to it while they go (a box ending its
    // edit as the focus moves) must reach no part that is half gone.
    m_document->disconnect(this);
    const QList<QObject *> parts = findChildren<QObject *>();
    for (QObject *part : parts)
        m_document->disconnect(part);
}

void MainWindow::createPages()
{
    m_tables = new DataTables(*m_document, *m_viewState, this);

    m_view = new DiagramView(*m_document, *m_viewState);
    m_view->setObjectName(QStringLiteral("diagramView"));
    connect(m_view, &DiagramView::petalClicked, m_viewState, &ViewState::selectPetal);

    auto *statsSplitter = new QSplitter(Qt::Horizontal);
    statsSplitter->addWidget(m_tables->statsTable());
    statsSplitter->addWidget(m_tables->countsPanel());
    // The table takes the width of its columns, the counts and the circular statistics the
    // rest: a wider window gives the sentences room rather than the table empty space.
    statsSplitter->setStretchFactor(0, 0);
    statsSplitter->setStretchFactor(1, 1);
    statsSplitter->setSizes({m_tables->statsTableWidth(), 1});

    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->setFocusPolicy(Qt::NoFocus);
    m_pages->addTab(m_view, tr("Graph   (Ctrl+D)"));
    m_pages->addTab(statsSplitter, tr("Statistics   (Ctrl+T)"));
    m_stereonet = new StereonetPage(*m_document, *m_viewState, *m_tables->measurementTable());
    m_pages->addTab(m_stereonet, tr("Stereonet"));

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("mainSplitter"));
    m_splitter->addWidget(m_tables->measurementTable());
    m_splitter->addWidget(m_pages);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setCollapsible(0, false);
    m_splitter->setSizes({measurementPanelWidth(), 600});
    m_tables->setPanelSplitter(m_splitter);
    setCentralWidget(m_splitter);
}

void MainWindow::createBars()
{
    // Each window shows system colours from its own palette.
    const SystemColorTable screenColors = systemColorsFromPalette(palette());

    m_options = new OptionsBar(*m_document, screenColors);
    m_optionsDock = new QDockWidget(tr("Options"), this);
    m_optionsDock->setObjectName(QStringLiteral("optionsDock"));
    // A short window scrolls the bar instead of squeezing its controls.
    auto *scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_options);
    scroll->setMinimumWidth(m_options->sizeHint().width() + 16);
    m_optionsDock->setWidget(scroll);
    m_optionsDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::RightDockWidgetArea, m_optionsDock);

    m_description = new DescriptionBar(*m_document, screenColors);
    m_descriptionDock = new QDockWidget(tr("Description"), this);
    m_descriptionDock->setObjectName(QStringLiteral("descriptionDock"));
    m_descriptionDock->setWidget(m_description);
    m_descriptionDock->setFeatures(QDockWidget::DockWidgetMovable
                                   | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::BottomDockWidgetArea, m_descriptionDock);
}

// The commands of the window itself: closing it, its bars and pages, the error list.
std::vector<Command> MainWindow::windowCommands()
{
    return {
        {.id = CommandId::Exit,
         .caption = tr("E&xit"),
         .shortcut = QKeySequence(QStringLiteral("Alt+F4")),
         .menu = MenuName::File,
         .separatorBefore = true,
         .run =
             [this] {
                 close();
             }},
        {.id = CommandId::ToggleToolBar,
         .caption = tr("Show/Hide main &toolbar"),
         .shortcut = QKeySequence(Qt::Key_F2),
         .menu = MenuName::View,
         .checkable = true,
         .run =
             [this] {
                 m_views->toggleToolBar();
             }},
        {.id = CommandId::ToggleTable,
         .caption = tr("Show/Hide t&able"),
         .shortcut = QKeySequence(Qt::Key_F3),
         .menu = MenuName::View,
         .checkable = true,
         .run =
             [this] {
                 m_views->toggleTable();
             }},
        {.id = CommandId::ToggleOptionsBar,
         .caption = tr("Show/Hide &options bar"),
         .shortcut = QKeySequence(Qt::Key_F4),
         .menu = MenuName::View,
         .checkable = true,
         .run =
             [this] {
                 m_views->toggleOptionsBar();
             }},
        {.id = CommandId::ToggleDescriptionBar,
         .caption = tr("Show/Hide &description bar"),
         .shortcut = QKeySequence(Qt::Key_F6),
         .menu = MenuName::View,
         .checkable = true,
         .run =
             [this] {
                 m_views->toggleDescriptionBar();
             }},
        {.id = CommandId::ToggleStatusBar,
         .caption = tr("Show/Hide &status bar"),
         .shortcut = QKeySequence(Qt::Key_F7),
         .menu = MenuName::View,
         .checkable = true,
         .run =
             [this] {
                 m_views->toggleStatusBar();
             }},
        {.id = CommandId::ShowErrors,
         .caption = tr("Show &errors..."),
         .shortcut = QKeySequence(Qt::Key_F12),
         .menu = MenuName::View,
         .separatorBefore = true,
         .run =
             [this] {
                 showErrors();
             }},
        {.id = CommandId::FitToWindow,
         .caption = tr("F&it diagram to window"),
         .menu = MenuName::View,
         .checkable = true,
         .run =
             [this] {
                 m_viewState->setFitToWindow(!m_viewState->fitToWindow());
             }},
        {.id = CommandId::ShowDiagram,
         .caption = QString(),
         .shortcut = QKeySequence(QStringLiteral("Ctrl+D")),
         .run =
             [this] {
                 m_pages->setCurrentIndex(0);
             }},
        {.id = CommandId::ShowStatistics,
         .caption = QString(),
         .shortcut = QKeySequence(QStringLiteral("Ctrl+T")),
         .run =
             [this] {
                 m_pages->setCurrentIndex(1);
             }},
    };
}

void MainWindow::createCommands()
{
    m_fileCommands = new FileCommands(*m_document, *this);
    m_diagram = new DiagramCommands(*m_document, *m_viewState, *this);
    m_tools = new ToolCommands(*m_document, *this);
    m_tools->setCircularWording(&CircularStatsPanel::sentenceText);
    // Each group supplies its own rows; the menus show them in the order of their CommandId.
    std::vector<Command> rows = windowCommands();
    for (std::vector<Command> group :
         {m_fileCommands->commands(), m_diagram->commands(), m_tools->commands()})
        std::move(group.begin(), group.end(), std::back_inserter(rows));
    rows.push_back(m_stereonet->reportCommand());
    m_actions = new MainActions(*this, rows);
    m_views = new ViewCommands(*m_document, *this,
                               {m_actions->mainToolBar(), m_tables->measurementTable(),
                                m_optionsDock, m_descriptionDock, m_statusBar, m_pages});
    m_views->setToggleActions(m_actions->action(CommandId::ToggleToolBar),
                              m_actions->action(CommandId::ToggleTable),
                              m_actions->action(CommandId::ToggleOptionsBar),
                              m_actions->action(CommandId::ToggleDescriptionBar),
                              m_actions->action(CommandId::ToggleStatusBar));

    m_recent = new RecentFilesWidget(m_actions->mainToolBar());
    m_actions->addToolBarWidget(m_recent);
    m_views->setRecentFilesBox(m_recent->box(), m_recent->clearButton());
    connect(m_recent, &RecentFilesWidget::loadRequested, this,
            [this](const QString &path) { m_document->read(path); });
    connect(m_recent, &RecentFilesWidget::fileMissing, this, &MainWindow::warn);
    connect(m_tools, &ToolCommands::randomGraphMade, m_recent, [this] {
        m_recent->setCurrentFileName(QString());
        m_recent->box()->setEditText(QStringLiteral("RANDOM GRAPH"));
    });

    connect(m_options, &OptionsBar::sizeEntered, m_diagram, &DiagramCommands::applyTypedSize);
    connect(m_options, &OptionsBar::enlargeRequested, m_diagram, &DiagramCommands::enlarge);
    connect(m_options, &OptionsBar::reduceRequested, m_diagram, &DiagramCommands::reduce);
    connect(m_tools, &ToolCommands::circularReportChanged,
            m_actions->action(CommandId::CircularReport), &QAction::setChecked);
    QAction *fit = m_actions->action(CommandId::FitToWindow);
    connect(m_viewState, &ViewState::fitToWindowChanged, fit, &QAction::setChecked);
    QAction *copy = m_actions->action(CommandId::CopyGraph);
    m_diagram->setPreviewIcons(copy->icon(), m_actions->action(CommandId::Print)->icon());

    // The picture's own menu and its double click.
    auto *pictureMenu = new QMenu(m_view);
    pictureMenu->setObjectName(QStringLiteral("pictureMenu"));
    pictureMenu->addAction(copy);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, pictureMenu,
            [this, pictureMenu](const QPoint &at) { pictureMenu->popup(m_view->mapToGlobal(at)); });
    connect(m_view, &DiagramView::imageDoubleClicked, m_diagram, &DiagramCommands::preview);

    m_errors->setReportSource([this]() -> std::optional<QString> {
        // The report of a read still running is the worker's.
        if (m_document->isReading())
            return std::nullopt;
        return m_document->errorReportText();
    });
}

void MainWindow::createStereonetPage()
{
    const int page = m_pages->indexOf(m_stereonet);
    // Its data are worked out only while it is shown.
    connect(m_pages, &QTabWidget::currentChanged, m_stereonet,
            [this, page](int index) { m_stereonet->setShown(index == page); });

    // Save graph, Copy, Print and the preview take the picture of the page shown.
    m_diagram->setPictureSource([this]() -> const Picture & {
        return m_pages->currentWidget() == m_stereonet ? m_stereonet->picture()
                                                       : m_document->picture();
    });
    StereonetView *view = m_stereonet->view();
    auto *pictureMenu = new QMenu(view);
    pictureMenu->setObjectName(QStringLiteral("stereonetMenu"));
    pictureMenu->addAction(m_actions->action(CommandId::CopyGraph));
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, pictureMenu,
            [view, pictureMenu](const QPoint &at) { pictureMenu->popup(view->mapToGlobal(at)); });
    connect(view, &StereonetView::imageDoubleClicked, m_diagram, &DiagramCommands::preview);
    connect(m_stereonet, &StereonetPage::inReportChanged,
            m_actions->action(CommandId::StereonetReport), &QAction::setChecked);

    m_tools->setReportExtras(
        {[this](std::function<void()> proceed) { m_stereonet->prepareReport(std::move(proceed)); },
         [this](HtmlReportSource &source) {
             m_stereonet->addReportSection(source);
         }});
}

void MainWindow::createTray()
{
    m_tray = new TrayController(this);
    connect(m_tray, &TrayController::showHideRequested, this, &MainWindow::toggleVisible);
    connect(m_tray, &TrayController::openRequested, this,
            [this] { m_fileCommands->openFromTray(); });
    connect(m_tray, &TrayController::exitRequested, this, &QWidget::close);
}

void MainWindow::followDocument()
{
    Document *document = m_document;
    connect(document, &Document::titlesChanged, this,
            [this](const QString &caption, const QString &appTitle) {
                setWindowTitle(caption);
                setWindowIconText(appTitle);
            });
    connect(document, &Document::statusChanged, this,
            [this](ReadStatus status, Color color) { setStatus(statusText(status), color); });
    connect(document, &Document::statusNoted, this, [this](const QString &note) {
        setStatus(m_statusBar->statusText() + QStringLiteral(" \u2014 ") + note, m_statusColor);
    });
    connect(document, &Document::progressChanged, this,
            [this](ReadProgress::Phase phase, qint64 line, qint64 lineCount) {
                m_progress->setProgress(phase, line, lineCount, isVisible() ? this : nullptr);
            });
    connect(document, &Document::progressFinished, m_progress, &ProgressWindow::end);
    // Escape stops a read also before the progress window shows (a file that is slow to count)
    // and while it is hidden; while it shows, its own Escape does (two would cancel out).
    auto *stopReading = new QAction(this);
    stopReading->setObjectName(QStringLiteral("stopReadingAction"));
    stopReading->setShortcut(Qt::Key_Escape);
    stopReading->setEnabled(false);
    connect(stopReading, &QAction::triggered, m_progress, &ProgressWindow::abort);
    addAction(stopReading);
    const auto updateStopReading = [this, stopReading] {
        stopReading->setEnabled(m_document->isReading() && m_progress->isHidden());
    };
    connect(document, &Document::stateChanged, stopReading, updateStopReading);
    connect(document, &Document::progressChanged, stopReading, updateStopReading);
    connect(document, &Document::progressFinished, stopReading, updateStopReading);
    connect(m_progress, &ProgressWindow::aborted, stopReading, updateStopReading);
    connect(document, &Document::readFinished, m_progress, &ProgressWindow::clearCancel);
    // A file that could not be read at all has no final status; "Analyzing..." must not stay
    // on the status line beside its message.
    connect(document, &Document::readFinished, this, [this](bool ok) {
        if (!ok)
            setStatus(QString(), clWindowText);
    });
    connect(m_progress, &ProgressWindow::aborted, this, [this] {
        m_document->stopRead();
        if (!isVisible())
            show();
        raise();
    });
    connect(document, &Document::readStarted, m_recent, &RecentFilesWidget::setCurrentFileName);
    connect(document, &Document::recentFileAdded, m_recent, &RecentFilesWidget::addFile);
    connect(document, &Document::closeRequested, this, &QWidget::close);
    connect(document, &Document::warning, this, &MainWindow::warn);

    // Edit data is enabled exactly while there is a current file and no random graph; a read
    // changes it when it has finished.
    const auto updateEditData = [this] {
        if (!m_document->isReading())
            m_actions->action(CommandId::EditData)->setEnabled(m_document->canEditData());
    };
    connect(document, &Document::fileChanged, this, updateEditData);
    connect(document, &Document::stateChanged, this, updateEditData);
    updateEditData();
}

void MainWindow::sizeToScreen()
{
    WholeParts parts;
    parts.table = m_tables->measurementTable();
    parts.tableWidth = measurementPanelWidth();
    parts.pictureBox = m_view;
    parts.pictureSide =
        std::clamp(toInteger(m_document->style().diagramSize).value_or(0), 0, maxDiagramSize);
    parts.optionsBox = qobject_cast<QScrollArea *>(m_optionsDock->widget());
    m_startPlacement = firstStartPlacement(*this, parts);
    resize(m_startPlacement.width, m_startPlacement.height);
}

void MainWindow::usePersistence(WindowPersistence &persistence)
{
    m_persistence = &persistence;
    persistence.addBinding(m_viewState->settingsBinding());
    persistence.addBinding(m_diagram->settingsBinding());
    persistence.addBinding(m_tools->settingsBinding());
    persistence.addBinding(m_fileCommands->settingsBinding());
    persistence.addBinding(m_options->settingsBinding());
    persistence.addBinding(m_recent->settingsBinding());
    persistence.addBinding(m_stereonet->settingsBinding());
    persistence.addBinding(layoutBinding());
    // Choosing the diagram page by its tab registers the association when it is asked for.
    m_views->setOnDiagramTab(
        [this, &persistence] { persistence.registerAssociation(m_options->associate()); });
}

void MainWindow::loadSettings()
{
    if (!m_persistence)
        return;
    // The window stands where a first run puts it before the stored placement applies.
    m_persistence->setStartPlacement(m_startPlacement);
    move(m_startPlacement.left, m_startPlacement.top);
    for (const std::string &message : m_persistence->restore())
        warn(fromBytes(message));
}

SettingsBinding MainWindow::layoutBinding()
{
    const auto apply = [this](const Settings &settings) {
        if (!settings.maximized) {
            // A window's picture takes width x height x 4 bytes: a size typed into the file
            // (two thousand million pixels) is held to the desktop, which is as large as a
            // window can use.
            const QScreen *screen = QGuiApplication::primaryScreen();
            const QSize desktop = screen ? screen->virtualSize() : QSize(1280, 800);
            resize(std::min(settings.placement.width, desktop.width()),
                   std::min(settings.placement.height, desktop.height()));
            move(settings.placement.left, settings.placement.top);
        }
        m_actions->mainToolBar()->setVisible(settings.toolBarVisible);
        m_optionsDock->setVisible(settings.optionsBarVisible);
        m_tables->measurementTable()->setVisible(settings.tableVisible);
        m_descriptionDock->setVisible(settings.descriptionBarVisible);
        m_statusBar->setVisible(settings.statusBarVisible);
        m_views->updateChecks();
    };
    const auto store = [this](Settings &settings) {
        // A maximized window keeps its last normal placement in the store (it is not written).
        settings.placement = {width(), height(), x(), y()};
        settings.maximized = isMaximized();
        // Visibility as the user left it, also when the window itself is hidden in the tray.
        settings.toolBarVisible = m_actions->mainToolBar()->isVisibleTo(this);
        settings.tableVisible = m_tables->measurementTable()->isVisibleTo(this);
        settings.optionsBarVisible = m_optionsDock->isVisibleTo(this);
        settings.descriptionBarVisible = m_descriptionDock->isVisibleTo(this);
        settings.statusBarVisible = m_statusBar->isVisibleTo(this);
    };
    return {apply, store};
}

void MainWindow::openCommandLineFile(const QString &argument, std::function<void()> then)
{
    const auto finish = [this, then = std::move(then)] {
        if (then && !m_closed)
            then();
    };
    if (!argument.isEmpty()) {
        const QFileInfo info(argument);
        if (info.exists() && !info.isDir()) {
            m_fileCommands->setInitialFolder(info.absolutePath());
            if (m_document->read(argument, [finish](bool) { finish(); }))
                return;
        } else {
            warn(tr("File \"%1\" does not exists !").arg(argument));
        }
    }
    finish();
}

void MainWindow::setStatus(const QString &text, Color color)
{
    m_statusColor = color;
    const Rgb rgb = resolveColor(color, systemColorsFromPalette(palette()));
    m_statusBar->setStatus(text, QColor(rgb.red, rgb.green, rgb.blue));
}

void MainWindow::warn(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, programCaptionText(), text, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::showErrors()
{
    // A read still running has no report yet.
    if (isVisible() && !m_document->isReading())
        m_errors->exec();
}

void MainWindow::toggleVisible()
{
    if (isVisible() && !isMinimized()) {
        hide();
        return;
    }
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::saveBeforeClosing()
{
    if (m_closed)
        return;
    m_closed = true;
    m_document->writeBackCurrentFile();
    if (m_persistence)
        m_persistence->save();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_document->isReading()) {
        // The read stops first; the window closes as soon as it has returned (closeRequested).
        m_document->requestClose();
        m_progress->abort();
        event->ignore();
        return;
    }
    if (!m_document->requestClose()) {
        // The file is open in the editor; it is read again when the editor ends.
        event->ignore();
        return;
    }
    saveBeforeClosing();
    m_progress->hide();
    m_errors->hide();
    event->accept();
    QApplication::quit();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_tray->isAvailable()) {
        // Only where a tray icon can bring the window back.
        hide();
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    if (!urls.isEmpty() && urls.constFirst().isLocalFile()) {
        const QString name = urls.constFirst().toLocalFile();
        if (!name.isEmpty() && QFileInfo(name).isFile())
            m_document->read(name);
    }
}

} // namespace quorel
