#pragma once

#include <QObject>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace quorel {

// The notification-area icon with the hint "QUOREL" and its menu. It only reports what the
// user asked for; the main window decides. Where the desktop has no tray the icon is never
// shown and isAvailable() is false, so the window must not hide itself on minimise.
class TrayController : public QObject
{
    Q_OBJECT

public:
    explicit TrayController(QObject *parent = nullptr);

    bool isAvailable() const;
    QMenu *menu() const { return m_menu; }
    QAction *showHideAction() const { return m_showHide; }
    QAction *openAction() const { return m_open; }
    QAction *exitAction() const { return m_exit; }

signals:
    void showHideRequested();
    void openRequested();
    void exitRequested();

private:
    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
    QAction *m_showHide;
    QAction *m_open;
    QAction *m_exit;
};

} // namespace quorel
