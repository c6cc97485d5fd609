#include "gui/shell/mainwindow.h"

namespace quorel {

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Quorel"));
    setMinimumSize(750, 500);
}

} // namespace quorel
