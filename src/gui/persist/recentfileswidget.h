#pragma once

#include "core/persist/recentfiles.h"
#include "core/persist/settings.h"

#include <QString>
#include <QWidget>

#include <optional>

class QAction;
class QComboBox;
class QMenu;
class QToolButton;

namespace quorel {

// The "Last opened" box of the main tool bar with its "Clear" drop-down button, over the core
// list of recent files. The box never loads or shows messages itself: it asks the window
// through loadRequested() and fileMissing().
//
// A choice is taken when an entry is picked from the drop-down or Enter is pressed in the box,
// never on each keystroke, so typing a path does not bring up a message for every partial path.
//
// The window (at the end of the main tool bar):
//   - setEntries() with the loaded settings' list, entries() for the settings at close;
//   - addFile() when a read adds its file (the document's recentFileAdded), setCurrentFileName()
//     when a read names its file (readStarted; also "" after a random graph);
//   - on loadRequested(path): the document reads the file (and draws once it is read);
//   - on fileMissing(message): the message box (caption "Quorel", exclamation icon).
class RecentFilesWidget : public QWidget
{
    Q_OBJECT

public:
    explicit RecentFilesWidget(QWidget *parent = nullptr);

    void setEntries(const std::vector<std::string> &entries);
    [[nodiscard]] const std::vector<std::string> &entries() const { return m_list.entries(); }
    [[nodiscard]] SettingsBinding settingsBinding();

    void addFile(const QString &path);
    void setCurrentFileName(const QString &path);

    QComboBox *box() const { return m_box; }
    QToolButton *clearButton() const { return m_clear; }
    QAction *removeLast10Action() const { return m_removeLast10; }
    QAction *clearListAction() const { return m_clearList; }

signals:
    void loadRequested(const QString &path);
    void fileMissing(const QString &message);

private:
    // A path picked or entered in the box.
    void choose(const QString &text);
    // Before the Clear menu opens: its commands follow the list.
    void updateMenu();
    void showList();

    RecentFiles m_list;
    QString m_currentFileName;
    QComboBox *m_box;
    QToolButton *m_clear;
    QMenu *m_menu;
    QAction *m_removeLast10;
    QAction *m_clearList;
    std::optional<QString> m_lastChoice; // the text last handled by choose()
};

} // namespace quorel
