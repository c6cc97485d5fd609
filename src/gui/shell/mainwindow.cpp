#include "gui/shell/mainwindow.h"

#include "core/diagram/renderer.h"
#include "core/util/system.h"
#include "core/util/text.h"
#include "gui/data/datatableview.h"
#include "gui/data/errorswindow.h"
#include "gui/data/measurementmodel.h"
#include "gui/data/progresswindow.h"
#include "gui/data/statsmodel.h"
#include "gui/data/tablestyle.h"
#include "gui/diagram/diagramcommands.h"
#include "gui/diagram/pictureplayer.h"
#include "gui/persist/recentfileswidget.h"
#include "gui/shell/diagramview.h"
#include "gui/shell/filecommands.h"
#include "gui/shell/mainactions.h"
#include "gui/shell/mainstatusbar.h"
#include "gui/shell/traycontroller.h"
#include "gui/shell/viewcommands.h"
#include "gui/tools/programicon.h"
#include "gui/tools/toolcommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorel {

namespace {

constexpr int windowMinWidth = 750;
constexpr int windowMinHeight = 500;

QString fromBytes(std::string_view bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

std::string toBytes(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// The start of a sector's list that the statistics table shows: a cell is a few hundred pixels
// wide, and ten million measurements would otherwise be copied into the table as UTF-16 text.
// The list is cut after a whole measurement.
std::string_view shownPart(std::string_view list)
{
    constexpr std::size_t shownBytes = 8192;
    if (list.size() <= shownBytes)
        return list;
    const std::size_t cut = list.rfind("; ", shownBytes);
    return list.substr(0, cut == std::string_view::npos ? shownBytes : cut);
}

char localeDecimalSeparator()
{
    return decimalSeparatorFromLocale(QLocale::system().decimalPoint().toStdString());
}

} // namespace

// Shows a read in the window: titles, status, progress; keeps the window live by processing
// events every few milliseconds, and stops the read when the progress window was aborted.
class MainWindow::ReadProgress : public ReadObserver
{
public:
    explicit ReadProgress(MainWindow &window)
        : m_window(window)
    { }

    void writeBackPrevious() override { m_window.writeBackDisplayParameters(); }
    void currentFileChanged(std::string_view path) override
    {
        m_window.m_currentFile = std::string(path);
        m_window.m_currentFileComplete = false;
        m_window.m_recent->setCurrentFileName(fromBytes(path));
        m_window.clearMeasurementTable();
    }
    void titlesChanged(std::string_view caption, std::string_view appTitle) override
    {
        m_window.setWindowTitle(fromBytes(caption));
        m_window.setWindowIconText(fromBytes(appTitle));
    }
    void addRecentFile(std::string_view path) override
    {
        m_window.m_recent->addFile(fromBytes(path));
        if (m_window.m_hooks.addRecentFile)
            m_window.m_hooks.addRecentFile(std::string(path));
    }
    void statusChanged(std::string_view text, Color color) override
    {
        m_window.setStatus(QString::fromStdString(std::string(text)), color);
    }
    void readingStarted(std::size_t lineCount) override
    {
        // Hidden while rows arrive; shown again only if the user had it shown.
        m_tableShown = m_window.m_measurementTable->isVisibleTo(&m_window);
        m_window.m_measurementTable->hide();
        m_window.m_progress->clearCancel();
        m_window.m_progress->begin(qint64(lineCount), m_window.isVisible() ? &m_window : nullptr);
        m_sinceUpdate.start();
    }
    ReadControl lineReached(std::size_t line, std::size_t lineCount) override
    {
        ProgressWindow *progress = m_window.m_progress;
        // The clock is read every 256th line only: read for each of ten million lines it costs
        // about a tenth of a second.
        if (m_window.m_progressInterval <= 0 || line == lineCount
            || ((line & 0xFF) == 0 && m_sinceUpdate.elapsed() >= m_window.m_progressInterval)) {
            progress->setLine(qint64(line), qint64(lineCount));
            QCoreApplication::processEvents();
            m_sinceUpdate.restart();
        }
        return progress->isCancelled() ? ReadControl::Stop : ReadControl::Continue;
    }
    void readingFinished() override
    {
        m_window.m_progress->end();
        if (m_tableShown)
            m_window.m_measurementTable->show();
    }

private:
    MainWindow &m_window;
    QElapsedTimer m_sinceUpdate;
    bool m_tableShown = true;
};

MainWindow::MainWindow(ProgressWindow *progress, QWidget *parent)
    : QMainWindow(parent)
    , m_actions(nullptr)
    , m_statusBar(new MainStatusBar(this))
    , m_progress(progress ? progress : new ProgressWindow(this))
    , m_errors(new ErrorsWindow(this))
    , m_fileCommands(new FileCommands(this))
    , m_reader(localeDecimalSeparator())
{
    setFont(tablestyle::windowFont());
    setWindowTitle(QStringLiteral("Quorel"));
    setWindowIconText(QStringLiteral("Quorel"));
    setWindowIcon(programIcon());
    setMinimumSize(windowMinWidth, windowMinHeight);
    setAcceptDrops(true);

    m_actions = new MainActions(this);
    setStatusBar(m_statusBar);
    createPages();
    createTray();
    sizeToScreen();
    createCommands();

    m_errors->setReportSource([this] { return errorReportText(); });

    connect(m_actions->newAction, &QAction::triggered, m_fileCommands, &FileCommands::newFile);
    connect(m_actions->openAction, &QAction::triggered, m_fileCommands, &FileCommands::open);
    connect(m_actions->editDataAction, &QAction::triggered, m_fileCommands,
            &FileCommands::editData);
    connect(m_actions->refreshAction, &QAction::triggered, m_fileCommands, &FileCommands::refresh);
    connect(m_actions->exitAction, &QAction::triggered, this, &QWidget::close);
    connect(m_actions->showErrorsAction, &QAction::triggered, this, &MainWindow::showErrors);
    connect(m_actions->showDiagramAction, &QAction::triggered, this,
            [this] { m_pages->setCurrentIndex(0); });
    connect(m_actions->showStatisticsAction, &QAction::triggered, this,
            [this] { m_pages->setCurrentIndex(1); });
    connect(m_progress, &ProgressWindow::aborted, this, [this] {
        if (!isVisible())
            show();
        raise();
    });

    setStatus(QString(), clWindowText);
    m_pages->setFocus();
    updateCommands();
}

MainWindow::~MainWindow()
{
    // The command objects and the style bars look at this window (its style, its tool bar) from
    // their slots and event filters; they go first, while the window is still whole.
    delete m_tools;
    delete m_views;
    delete m_diagram;
}

void MainWindow::createPages()
{
    m_measurements = new MeasurementModel(this);
    m_measurements->setSource({[this] { return m_reader.measurements().size(); },
                               [this](std::size_t i) {
                                   return m_reader.measurements().at(i);
                               }});
    m_measurements->clear();
    m_measurementTable = new DataTableView;
    m_measurementTable->setObjectName(QStringLiteral("measurementTable"));
    m_measurementTable->setAccessibleName(QStringLiteral("Measurements"));
    m_measurementTable->setModelWithWidths(
        m_measurements, {MeasurementModel::columnWidth(0), MeasurementModel::columnWidth(1)});

    m_stats = new StatsModel(this);
    m_statsTable = new DataTableView;
    m_statsTable->setObjectName(QStringLiteral("statsTable"));
    m_statsTable->setAccessibleName(QStringLiteral("Statistics"));
    m_statsTable->setFrameShape(QFrame::NoFrame);
    m_statsTable->setFont(tablestyle::labelFont());
    m_statsTable->setModelWithWidths(
        m_stats,
        {StatsModel::columnWidth(0), StatsModel::columnWidth(1), StatsModel::columnWidth(2)});
    m_statsTable->setListColumn(StatsModel::AzimuthColumn);

    m_view = new DiagramView;
    m_view->setObjectName(QStringLiteral("diagramView"));

    auto *countsPanel = new QWidget;
    auto *labels = new QGridLayout(countsPanel);
    m_countLabel = new QLabel(QStringLiteral("0"));
    m_maxLabel = new QLabel(QStringLiteral("0"));
    for (QLabel *value : {m_countLabel, m_maxLabel}) {
        QPalette palette = value->palette();
        palette.setColor(QPalette::WindowText, tablestyle::maroon());
        value->setPalette(palette);
    }
    labels->addWidget(new QLabel(QStringLiteral("All measurements :")), 0, 0);
    labels->addWidget(m_countLabel, 0, 1);
    labels->addWidget(new QLabel(QStringLiteral("Max :")), 1, 0);
    labels->addWidget(m_maxLabel, 1, 1);
    labels->setColumnStretch(2, 1);
    labels->setRowStretch(2, 1);

    auto *statsSplitter = new QSplitter(Qt::Horizontal);
    statsSplitter->addWidget(m_statsTable);
    statsSplitter->addWidget(countsPanel);
    statsSplitter->setStretchFactor(0, 1);

    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->setFocusPolicy(Qt::NoFocus);
    m_pages->addTab(m_view, QStringLiteral("Graph   (Ctrl+D)"));
    m_pages->addTab(statsSplitter, QStringLiteral("Statistics   (Ctrl+T)"));

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("mainSplitter"));
    m_splitter->addWidget(m_measurementTable);
    m_splitter->addWidget(m_pages);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setCollapsible(0, false);
    m_splitter->setSizes(
        {MeasurementModel::columnWidth(0) + MeasurementModel::columnWidth(1) + 22, 600});
    setCentralWidget(m_splitter);
}

void MainWindow::createCommands()
{
    m_diagram = new DiagramCommands(*this);

    m_recent = new RecentFilesWidget(m_actions->mainToolBar);
    m_actions->mainToolBar->addWidget(m_recent);
    connect(m_recent, &RecentFilesWidget::loadRequested, this, [this](const QString &path) {
        loadData(path);
        redrawDiagram();
        updateCommands();
    });
    connect(m_recent, &RecentFilesWidget::fileMissing, this, &MainWindow::warn);

    m_views = new ViewCommands(*this, *m_diagram);
    m_views->setRecentFilesBox(m_recent->box(), m_recent->clearButton());

    m_tools = new ToolCommands(*this, *m_diagram);
    m_tools->setOnRandomGraph([this] {
        m_recent->setCurrentFileName(QString());
        m_recent->box()->setEditText(QStringLiteral("RANDOM GRAPH"));
    });
}

void MainWindow::createTray()
{
    m_tray = new TrayController(this);
    connect(m_tray, &TrayController::showHideRequested, this, &MainWindow::toggleVisible);
    connect(m_tray, &TrayController::openRequested, m_fileCommands, &FileCommands::openFromTray);
    connect(m_tray, &TrayController::exitRequested, this, &QWidget::close);
}

void MainWindow::sizeToScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize size = screen->size();
    resize(std::max(windowMinWidth, size.width() / 5 * 3),
           std::max(windowMinHeight, size.height() / 5 * 3));
}

void MainWindow::setPersistenceHooks(PersistenceHooks hooks)
{
    m_hooks = std::move(hooks);
}

void MainWindow::loadSettings()
{
    if (m_hooks.loadSettings)
        m_hooks.loadSettings(*this);
}

void MainWindow::writeBackDisplayParameters()
{
    // A file whose read was stopped early has parameter lines the style never saw; writing
    // the style back would replace them with other values, so it is left alone.
    if (m_hooks.writeBack && !m_currentFile.empty() && m_currentFileComplete && !m_randomGraph)
        m_hooks.writeBack(m_currentFile, m_style);
}

void MainWindow::openCommandLineFile(const QString &argument)
{
    if (!argument.isEmpty()) {
        const QFileInfo info(argument);
        if (info.exists() && !info.isDir()) {
            m_fileCommands->setInitialFolder(info.absolutePath());
            loadData(argument);
        } else {
            warn(QStringLiteral("File \"") + argument + QStringLiteral("\" does not exists !"));
        }
    }
    // Without a file too: the empty grid is what the page, the saved graph and the preview show.
    updateCommands();
    redrawDiagram();
}

bool MainWindow::loadData(const QString &path)
{
    if (m_busy != Busy::Idle)
        return false;
    m_busy = Busy::Reading;
    // Taken while the table is in view: the read hides it.
    const QList<int> splitterSizes = m_splitter->sizes();
    ReadProgress progress(*this);
    const Status status = m_reader.load(toBytes(path), m_style, &progress, m_randomGraph);
    m_progress->clearCancel();
    m_busy = Busy::Idle;
    m_currentFileComplete = status.ok() && !m_reader.summary().cancelled;
    if (status.ok())
        m_saveNames =
            saveNamesAfterRead(m_saveNames, m_reader.summary().path, m_reader.summary().randomGraph,
                               !m_reader.measurements().empty());

    m_measurements->reload();
    fitNumberColumn(splitterSizes);
    showStatistics();
    m_diagram->refreshBars(); // the file's parameter lines changed the style
    if (status)
        updateCommands();
    else
        warn(QString::fromStdString(status.message()));
    if (m_closeAfterRead) {
        m_closeAfterRead = false;
        close();
    }
    return status.ok();
}

void MainWindow::redrawDiagram()
{
    const SectorArrays &sectors = m_reader.sectors();
    const Result<Picture> picture =
        quorel::renderRoseDiagram(m_style, sectors.counts, sectors.maxCount, m_randomGraph);
    if (!picture) {
        // The previous picture stays.
        warn(QString::fromStdString(picture.message()));
        m_view->centerImage();
        return;
    }
    m_view->setPicture(picture.value());
}

void MainWindow::updateCommands()
{
    m_actions->editDataAction->setEnabled(!m_currentFile.empty() && !m_randomGraph);
    if (m_views)
        m_views->updateChecks();
}

void MainWindow::setStatus(const QString &text, Color color)
{
    const Rgb rgb = resolveColor(color, systemColorsFromPalette(palette()));
    m_statusBar->setStatus(text, QColor(rgb.red, rgb.green, rgb.blue));
}

void MainWindow::warn(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quorel"), text, QMessageBox::Ok, this);
    box.exec();
}

QString MainWindow::currentFileName() const
{
    return fromBytes(m_currentFile);
}

void MainWindow::setCurrentFileName(const QString &path)
{
    m_currentFile = toBytes(path);
    m_currentFileComplete = true;
}

void MainWindow::setEditing(bool on)
{
    if (on && m_busy == Busy::Idle)
        m_busy = Busy::Editing;
    else if (!on && m_busy == Busy::Editing)
        m_busy = Busy::Idle;
}

void MainWindow::clearMeasurementTable()
{
    m_measurements->clear();
}

void MainWindow::fitNumberColumn(QList<int> sizes)
{
    const int before = m_measurementTable->columnWidth(MeasurementModel::NumberColumn);
    const int fitted = m_measurements->numberColumnWidth();
    if (fitted == before)
        return;
    m_measurementTable->setColumnWidth(MeasurementModel::NumberColumn, fitted);
    // The panel takes the difference, so the azimuths stay as much in view as before.
    if (sizes.size() == 2 && sizes[0] > 0) {
        sizes[0] += fitted - before;
        sizes[1] -= fitted - before;
        m_splitter->setSizes(sizes);
    }
}

void MainWindow::showStatistics()
{
    const SectorArrays &sectors = m_reader.sectors();
    const std::size_t count = m_reader.measurements().size();
    // After a read without measurements the table and the labels say so rather than keep the
    // last file's: a failed read leaves the previous file's sectors in the reader.
    std::array<int, StatsModel::sectorCount> counts {};
    std::array<QString, StatsModel::sectorCount> lists;
    for (std::size_t k = 0; count > 0 && k < counts.size(); ++k) {
        counts[k] = sectors.counts[k];
        lists[k] = QString::fromStdString(displayText(shownPart(sectors.lists[k])));
    }
    m_stats->setSectors(counts, lists);
    m_countLabel->setText(QString::number(count));
    m_maxLabel->setText(QString::number(count == 0 ? 0 : sectors.maxCount));
}

QString MainWindow::errorReportText() const
{
    QStringList lines;
    for (const std::string &line : m_reader.errorReportLines())
        lines << QString::fromStdString(displayText(line));
    return lines.join(QLatin1Char('\n'));
}

void MainWindow::showErrors()
{
    if (isVisible())
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
    writeBackDisplayParameters();
    if (m_hooks.saveSettings)
        m_hooks.saveSettings(*this);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_busy == Busy::Reading) {
        // Stop the read first; the window closes as soon as the read has returned, so nothing
        // the read still uses goes away under it.
        m_closeAfterRead = true;
        m_progress->abort();
        event->ignore();
        return;
    }
    if (m_busy == Busy::Editing) {
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
            loadData(name);
    }
    redrawDiagram();
}

} // namespace quorel
