#include "gui/data/progresswindow.h"
#include "gui/document/document.h"
#include "gui/document/programcaption.h"
#include "gui/persist/settingsstore.h"
#include "gui/persist/windowpersistence.h"
#include "gui/shell/mainwindow.h"
#include "gui/tools/interfacelanguage.h"
#include "gui/tools/programicon.h"

#include <QApplication>

// Start-up order: the progress window exists before the main window, because a file named on
// the command line is read (with progress) before the main window is first shown; the stored
// settings apply before that file is read.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Halvorn5"));
    QApplication::setApplicationName(quorel::programCaptionText());
    QApplication::setApplicationVersion(QStringLiteral("2.0"));
    // Before any window exists, so every caption is made in the user's language.
    quorel::installTranslations(app);
    // Every window shows the rose; the desktop matches the windows to the installed entry.
    QApplication::setWindowIcon(quorel::programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quorel.Quorel"));
    // The window decides when the program ends (it may hide itself to the tray).
    QApplication::setQuitOnLastWindowClosed(false);

    quorel::ProgressWindow progress;
    // The document outlives the window that shows it and the persistence that writes it back.
    quorel::Document document;
    quorel::MainWindow window(document, &progress);
    quorel::SettingsStore settings;
    quorel::WindowPersistence persistence(document, settings);
    window.usePersistence(persistence);
    window.loadSettings();
    const QStringList arguments = QApplication::arguments();
    // Only the first argument counts; the rest are ignored. The window shows itself once that
    // file has been read.
    window.openCommandLineFile(arguments.size() > 1 ? arguments.at(1) : QString(), [&] {
        if (persistence.startsMaximized())
            window.showMaximized();
        else
            window.show();
    });
    return QApplication::exec();
}
