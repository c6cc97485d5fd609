#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QProcess;
class QProcessEnvironment;

namespace quorel {

// The external text editor that "Edit data..." runs on the current file: the program named by
// QUOREL_EDITOR, else the first known graphical editor on PATH. Started directly, never through
// a shell, with the file as its last argument; editors that would hand the file to an already
// running instance and return at once get the option that makes them wait.
class EditorLauncher
{
public:
    struct Command
    {
        QString program; // empty when no editor was found
        QStringList arguments; // the file name included
    };

    // The editor command for `file` under `environment` (PATH and QUOREL_EDITOR).
    static Command commandFor(const QString &file, const QProcessEnvironment &environment);

    EditorLauncher();
    ~EditorLauncher();
    EditorLauncher(const EditorLauncher &) = delete;
    EditorLauncher &operator=(const EditorLauncher &) = delete;

    // Starts the editor in `workingFolder`; false when there is none or it cannot start.
    bool start(const Command &command, const QString &workingFolder);
    // Waits for the started editor to end while the event loop keeps running, so windows
    // repaint and timers tick.
    void waitForEnd();

private:
    std::unique_ptr<QProcess> m_process;
};

} // namespace quorel
