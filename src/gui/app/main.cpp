#include "gui/shell/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Halvorn5"));
    QApplication::setApplicationName(QStringLiteral("Quorel"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));

    quorel::MainWindow window;
    window.show();
    return QApplication::exec();
}
