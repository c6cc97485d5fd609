#pragma once

#include <QMainWindow>

namespace quorel {

// The program's main window: menus, tool bars, the diagram and statistics pages, status bar.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
};

} // namespace quorel
