#pragma once

#include "core/persist/settings.h"
#include "gui/document/command.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QFileDialog;
class QWidget;

namespace quorel {

class Document;
class EditedFileWatcher;

// Open, New, Edit data and Refresh: they decide what the document reads and when; `window` is
// the main window, which owns the dialogs and steps aside while the editor runs.
class FileCommands : public QObject
{
    Q_OBJECT

public:
    enum class Dialog { Open, New };
    // Asks the user for a file name; empty when cancelled. Replaceable for tests.
    using Chooser = std::function<QString(QFileDialog &dialog)>;

    FileCommands(Document &document, QWidget &window);

    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }
    // Starting folder of both dialogs.
    void setInitialFolder(const QString &folder);
    // The settings start Open in the folder it opened from last.
    [[nodiscard]] SettingsBinding settingsBinding();
    QString initialFolder() const { return m_folder; }

    // The dialogs as the commands show them (not run).
    void prepareDialog(QFileDialog &dialog, Dialog kind) const;
    static QStringList openFilters();
    static QStringList newFilters();

    // The four lines a new data file ends with.
    static QStringList templateLines();

    // "Open...", "New...", "Edit data..." and "Refresh"; the tray's Open first shows a hidden
    // window.
    void open();
    void openFromTray();
    void newFile();
    void editData();
    void refresh();
    // The hint of the Edit button: it names the editor Edit data would start now.
    QString editDataHint() const;
    // The rows of the main window's commands these are.
    std::vector<Command> commands();

private:
    QString choose(Dialog kind);
    // New's second step, once the new file has been read: the template lines, then the editor.
    void addTemplateAndEdit(const QString &path);

    Document &m_document;
    QWidget &m_window;
    Chooser m_chooser;
    QString m_folder;
    EditedFileWatcher *m_watcher;
};

} // namespace quorel
