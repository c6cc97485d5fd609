#include "gui/data/progresswindow.h"
#include "gui/shell/mainwindow.h"

#include <QApplication>

// Start-up order: the progress window exists before the main window, because a file named on
// the command line is read (with progress) before the main window is first shown.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Halvorn5"));
    QApplication::setApplicationName(QStringLiteral("Quorel"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));
    // The window decides when the program ends (it may hide itself to the tray).
    QApplication::setQuitOnLastWindowClosed(false);

    quorel::ProgressWindow progress;
    quorel::MainWindow window(&progress);
    window.loadSettings();
    const QStringList arguments = QApplication::arguments();
    // Only the first argument counts; the rest are ignored.
    window.openCommandLineFile(arguments.size() > 1 ? arguments.at(1) : QString());
    window.show();
    return QApplication::exec();
}
