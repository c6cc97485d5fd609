#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QFileDialog;

namespace quorel {

class MainWindow;

// Open, New, Edit data and Refresh: they decide what is read and when; reading is always the
// main window's loadData() and drawing its redrawDiagram().
class FileCommands : public QObject
{
    Q_OBJECT

public:
    enum class Dialog { Open, New };
    // Asks the user for a file name; empty when cancelled. Replaceable for tests.
    using Chooser = std::function<QString(QFileDialog &dialog)>;

    explicit FileCommands(MainWindow *window);

    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }
    // Starting folder of both dialogs.
    void setInitialFolder(const QString &folder);
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

private:
    QString choose(Dialog kind);

    MainWindow *m_window;
    Chooser m_chooser;
    QString m_folder;
};

} // namespace quorel
