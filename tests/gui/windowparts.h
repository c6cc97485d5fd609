#pragma once

#include "gui/data/datatableview.h"
#include "gui/data/errorswindow.h"
#include "gui/data/progresswindow.h"
#include "gui/diagram/descriptionbar.h"
#include "gui/diagram/diagramcommands.h"
#include "gui/diagram/diagramview.h"
#include "gui/diagram/optionsbar.h"
#include "gui/document/document.h"
#include "gui/document/viewstate.h"
#include "gui/persist/recentfileswidget.h"
#include "gui/shell/filecommands.h"
#include "gui/shell/mainactions.h"
#include "gui/shell/mainstatusbar.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/traycontroller.h"
#include "gui/shell/viewcommands.h"
#include "gui/tools/toolcommands.h"

#include <QAction>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

// The program's parts as main() assembles them: the document and the window that shows it (the
// document outlives the window).
struct TestProgram
{
    explicit TestProgram(quorel::ProgressWindow *progress = nullptr)
        : window(document, progress)
    { }
    quorel::Document document;
    quorel::MainWindow window;
};

// The main window's parts as the tests reach them: found by type or object name, as the window
// hands none of them out.
namespace testhelpers {

template<class Part>
Part *part(const QObject &window, const char *name = nullptr)
{
    return window.findChild<Part *>(name ? QString::fromLatin1(name) : QString());
}

// A caption as it reads, without the "&" that marks its mnemonic ("&&" is a shown "&").
inline QString withoutMnemonic(QString caption)
{
    for (qsizetype i = caption.indexOf(QLatin1Char('&')); i >= 0;
         i = caption.indexOf(QLatin1Char('&'), i + 1))
        caption.remove(i, 1);
    return caption;
}

inline quorel::MainActions *actions(const QObject &w)
{
    return part<quorel::MainActions>(w);
}
inline QAction *action(const QObject &w, const char *name)
{
    return part<QAction>(w, name);
}
inline QToolButton *button(const QObject &w, const char *action)
{
    for (int id = 0; id <= int(quorel::CommandId::ShowStatistics); ++id) {
        if (QLatin1String(quorel::commandObjectName(quorel::CommandId(id)))
            == QLatin1String(action))
            return actions(w)->button(quorel::CommandId(id));
    }
    return nullptr;
}
inline QToolBar *mainToolBar(const QObject &w)
{
    return part<QToolBar>(w, "mainToolBar");
}
inline quorel::DiagramCommands *diagramCommands(const QObject &w)
{
    return part<quorel::DiagramCommands>(w);
}
inline quorel::ViewCommands *viewCommands(const QObject &w)
{
    return part<quorel::ViewCommands>(w);
}
inline quorel::ToolCommands *toolCommands(const QObject &w)
{
    return part<quorel::ToolCommands>(w);
}
inline quorel::FileCommands *fileCommands(const QObject &w)
{
    return part<quorel::FileCommands>(w);
}
inline quorel::TrayController *tray(const QObject &w)
{
    return part<quorel::TrayController>(w);
}
inline quorel::RecentFilesWidget *recentFiles(const QObject &w)
{
    return part<quorel::RecentFilesWidget>(w);
}
inline quorel::MainStatusBar *mainStatusBar(const QObject &w)
{
    return part<quorel::MainStatusBar>(w);
}
inline quorel::ProgressWindow *progressWindow(const QObject &w)
{
    return part<quorel::ProgressWindow>(w);
}
inline quorel::ErrorsWindow *errorsWindow(const QObject &w)
{
    return part<quorel::ErrorsWindow>(w);
}
inline quorel::DataTableView *measurementTable(const QObject &w)
{
    return part<quorel::DataTableView>(w, "measurementTable");
}
inline quorel::DataTableView *statsTable(const QObject &w)
{
    return part<quorel::DataTableView>(w, "statsTable");
}
inline QTabWidget *pages(const QObject &w)
{
    return part<QTabWidget>(w, "pages");
}
inline quorel::DiagramView *diagramView(const QObject &w)
{
    return part<quorel::DiagramView>(w);
}
inline QLabel *countLabel(const QObject &w)
{
    return part<QLabel>(w, "countLabel");
}
inline QLabel *maxLabel(const QObject &w)
{
    return part<QLabel>(w, "maxLabel");
}
inline quorel::OptionsBar *optionsBar(const QObject &w)
{
    return part<quorel::OptionsBar>(w);
}
inline quorel::DescriptionBar *descriptionBar(const QObject &w)
{
    return part<quorel::DescriptionBar>(w);
}
inline QDockWidget *optionsDock(const QObject &w)
{
    return part<QDockWidget>(w, "optionsDock");
}
inline QDockWidget *descriptionDock(const QObject &w)
{
    return part<QDockWidget>(w, "descriptionDock");
}

inline quorel::ViewState *viewState(const QObject &w)
{
    return part<quorel::ViewState>(w);
}

// Counts the pictures the document draws. The document draws once for every turn of the event
// loop in which something changed; the count is taken after the pending turn, and pictures
// asked for before the spy was made are not counted.
class RedrawSpy
{
public:
    explicit RedrawSpy(const quorel::Document &document)
        : m_spy(&document, &quorel::Document::pictureChanged)
    {
        QCoreApplication::processEvents();
        m_spy.clear();
    }
    qsizetype count()
    {
        QCoreApplication::processEvents();
        return m_spy.count();
    }

private:
    QSignalSpy m_spy;
};

// Draws the document's picture again and lets the views take it, as the event loop would.
inline void redrawNow(quorel::Document &document)
{
    document.redraw();
    QCoreApplication::processEvents();
}

// Waits until the document has done what it was doing: a read and what follows it.
inline void waitUntilIdle(const quorel::Document &document)
{
    QElapsedTimer waited;
    waited.start();
    while (document.isBusy() && waited.elapsed() < 120000)
        QTest::qWait(2);
}

// Reads `path` into the document and waits for the read to end; whether the file was read.
inline bool readAndWait(quorel::Document &document, const QString &path)
{
    bool read = false;
    if (!document.read(path, [&read](bool ok) { read = ok; }))
        return false;
    waitUntilIdle(document);
    return read;
}

// Changes the document's style as the bars do.
inline void editStyle(quorel::Document &document,
                      const std::function<void(quorel::DiagramStyle &style)> &change)
{
    document.editStyle(change);
}

} // namespace testhelpers
