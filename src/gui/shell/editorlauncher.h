#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QProcess;
class QProcessEnvironment;

namespace quorel {

// The external text editor that "Edit data..." runs on the current file, first found of: the
// command in QUOREL_EDITOR; $VISUAL, then $EDITOR; the desktop's default editor for plain text
// (xdg-mime, then its desktop entry); a known graphical editor on PATH. An editor that needs a
// terminal (vim, nano, "emacs -nw", a desktop entry with Terminal=true) runs inside
// x-terminal-emulator. Started directly, never through a shell, with the file as its last
// argument; editors that would hand the file to an already running instance and return at once
// get the option that makes them wait, where they have one.
class EditorLauncher
{
public:
    struct Command
    {
        QString program; // empty when no editor was found
        QStringList arguments; // the file name included
        QString name; // the editor as the user knows it: "gedit", "Vim", "Text Editor"
        // When no editor was found: the first one named (by a variable or the desktop) that
        // draws in a terminal, none of which was found to run it in ("vim"); else empty.
        QString lacksTerminal;
    };

    // The editor command for `file` under `environment` (QUOREL_EDITOR, VISUAL, EDITOR, PATH);
    // desktop entries are looked up in `applicationFolders`.
    static Command commandFor(const QString &file, const QProcessEnvironment &environment,
                              const QStringList &applicationFolders);
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
    // Whether the editor ended by itself with status 0.
    bool endedWell() const;

private:
    std::unique_ptr<QProcess> m_process;
};

} // namespace quorel
