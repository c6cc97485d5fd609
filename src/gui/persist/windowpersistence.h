#pragma once

#include "core/persist/settings.h"

#include <QObject>

#include <string>

namespace quorel {

class DiagramCommands;
class KeyValueStore;
class MainWindow;
class RecentFilesWidget;
class ViewCommands;

// The folder the file dialogs fall back to where no stored or current file's folder applies: the
// program's own folder when it runs from its build folder; for an installed program, whose
// folder belongs to the system, the user's documents folder, else the home folder.
[[nodiscard]] std::string defaultDialogFolder(const std::string &programPath);

// Joins the main window to what it keeps between runs and inside data files: the write-back of
// the display parameters (before every read and at close), the stored settings (read at
// start-up, written at close, with the file association), and the recent-files box.
class WindowPersistence : public QObject
{
    Q_OBJECT

public:
    // Installs itself as the window's persistence hooks.
    WindowPersistence(MainWindow &window, KeyValueStore &store);

    // Whether the window is to be shown maximized (decided by the stored settings).
    bool startsMaximized() const { return m_maximized; }

private:
    void load();
    void save();
    Settings currentSettings() const;

    MainWindow &m_window;
    DiagramCommands &m_diagram;
    ViewCommands &m_views;
    RecentFilesWidget &m_recent;
    KeyValueStore &m_store;
    bool m_maximized = false;
};

} // namespace quorel
