#include "gui/persist/windowpersistence.h"

#include "core/persist/association.h"
#include "core/persist/writeback.h"
#include "core/util/system.h"
#include "gui/data/datatableview.h"
#include "gui/diagram/diagramcommands.h"
#include "gui/diagram/optionsbar.h"
#include "gui/persist/recentfileswidget.h"
#include "gui/shell/filecommands.h"
#include "gui/shell/mainactions.h"
#include "gui/shell/mainstatusbar.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/viewcommands.h"
#include "gui/tools/toolcommands.h"

#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>

#include <algorithm>

namespace quorel {

namespace {

QString fromBytes(const std::string &bytes)
{
    return QString::fromStdString(bytes);
}

} // namespace

std::string defaultDialogFolder(const std::string &programPath)
{
    if (installedDesktopEntry(programPath).empty())
        return programPath.empty() ? std::string() : parentFolder(programPath);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents.toStdString();
    return QDir::homePath().toStdString();
}

WindowPersistence::WindowPersistence(MainWindow &window, KeyValueStore &store)
    : QObject(&window)
    , m_window(window)
    , m_diagram(*window.diagramCommands())
    , m_views(*window.viewCommands())
    , m_recent(*window.recentFiles())
    , m_store(store)
{
    MainWindow::PersistenceHooks hooks;
    hooks.writeBack = [this](const std::string &file, const DiagramStyle &style) {
        const Status written = writeDisplayParameters(file, style, userName());
        if (!written)
            m_window.warn(fromBytes(written.message()));
    };
    hooks.loadSettings = [this](MainWindow &) {
        load();
    };
    hooks.saveSettings = [this](MainWindow &) {
        save();
    };
    window.setPersistenceHooks(std::move(hooks));

    // Choosing the diagram page by its tab registers the association when it is asked for.
    m_views.setOnDiagramTab([this] {
        if (!m_diagram.optionsBar()->associate())
            return;
        const Status registered =
            registerFileAssociation(programPath(), AssociationFolders::fromEnvironment());
        if (!registered)
            m_window.warn(fromBytes(registered.message()));
    });
}

void WindowPersistence::load()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize(1280, 800);
    const QSize desktop = screen ? screen->virtualSize() : screenSize;
    StartContext context;
    context.programPath = programPath();
    context.programFolder = defaultDialogFolder(context.programPath);
    context.startPlacement = startPlacement(screenSize.width(), screenSize.height());
    // The window stands where a first run puts it before the stored placement applies.
    m_window.move(context.startPlacement.left, context.startPlacement.top);

    const LoadedSettings loaded = loadSettings(m_store, context);
    if (!loaded.runCounterMessage.empty())
        m_window.warn(fromBytes(loaded.runCounterMessage));
    const Settings &settings = loaded.settings;

    m_maximized = settings.maximized;
    if (!settings.maximized) {
        // A window's picture takes width x height x 4 bytes: a size typed into the file (two
        // thousand million pixels) is held to the desktop, which is as large as a window can use.
        m_window.resize(std::min(settings.placement.width, desktop.width()),
                        std::min(settings.placement.height, desktop.height()));
        m_window.move(settings.placement.left, settings.placement.top);
    }
    MainActions &menus = *m_window.actions();
    menus.mainToolBar->setVisible(settings.barVisible);
    m_diagram.optionsDock()->setVisible(settings.optionsBarVisible);
    m_window.measurementTable()->setVisible(settings.gridVisible);

    // The description's text and position are not stored: they keep what the style holds.
    DiagramStyle style = settings.style;
    const DiagramStyle &current = m_window.style();
    style.descText = current.descText;
    style.descX = current.descX;
    style.descY = current.descY;
    m_window.style() = style;
    m_diagram.refreshBars();

    m_diagram.setImageFolder(fromBytes(settings.saveImageDir));
    m_window.toolCommands()->setReportFolder(fromBytes(settings.saveHtmlDir));
    m_window.fileCommands()->setInitialFolder(fromBytes(settings.openDialogDir));
    m_diagram.optionsBar()->setAssociate(settings.setAssoc);

    m_diagram.descriptionDock()->setVisible(settings.descBarVisible);
    m_window.mainStatusBar()->setVisible(settings.statusBarVisible);
    m_recent.setEntries(settings.recentFiles);
    m_views.updateChecks();
    if (!loaded.storeError.empty())
        m_window.warn(fromBytes(loaded.storeError));
}

Settings WindowPersistence::currentSettings() const
{
    Settings settings;
    // A maximized window keeps its last normal placement in the store (it is not written).
    settings.placement = {m_window.width(), m_window.height(), m_window.x(), m_window.y()};
    settings.maximized = m_window.isMaximized();
    // Visibility as the user left it, also when the window itself is hidden in the tray.
    settings.barVisible = m_window.actions()->mainToolBar->isVisibleTo(&m_window);
    settings.gridVisible = m_window.measurementTable()->isVisibleTo(&m_window);
    settings.optionsBarVisible = m_diagram.optionsDock()->isVisibleTo(&m_window);
    settings.descBarVisible = m_diagram.descriptionDock()->isVisibleTo(&m_window);
    settings.statusBarVisible = m_window.mainStatusBar()->isVisibleTo(&m_window);
    settings.style = m_window.style();
    settings.setAssoc = m_diagram.optionsBar()->associate();
    settings.recentFiles = m_recent.entries();
    return settings;
}

void WindowPersistence::save()
{
    const std::string program = programPath();
    const Status saved = saveSettings(
        m_store, currentSettings(), m_window.currentFileName().toStdString(),
        defaultDialogFolder(program), [&program](bool associate) {
            return applyAssociation(associate, program, AssociationFolders::fromEnvironment());
        });
    if (!saved)
        m_window.warn(fromBytes(saved.message()));
}

} // namespace quorel
