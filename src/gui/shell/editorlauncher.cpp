#include "gui/shell/editorlauncher.h"

#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace quorel {

namespace {

struct KnownEditor
{
    const char *program;
    const char *waitOption; // nullptr when the editor always waits
};

constexpr KnownEditor knownEditors[] = {
    {"gedit", "--wait"},     {"gnome-text-editor", "--standalone"},
    {"kate", "--block"},     {"mousepad", "--disable-server"},
    {"pluma", nullptr},      {"xed", nullptr},
    {"featherpad", nullptr}, {"leafpad", nullptr},
    {"xedit", nullptr},
};

} // namespace

EditorLauncher::Command EditorLauncher::commandFor(const QString &file,
                                                   const QProcessEnvironment &environment)
{
    Command command;
    const QString chosen = environment.value(QStringLiteral("QUOREL_EDITOR")).trimmed();
    if (!chosen.isEmpty()) {
        // The variable may carry options ("kate --block"); quotes group words, no shell runs.
        QStringList words = QProcess::splitCommand(chosen);
        if (!words.isEmpty()) {
            command.program = words.takeFirst();
            command.arguments = words;
            command.arguments << file;
            return command;
        }
    }
    const QStringList path =
        environment.value(QStringLiteral("PATH")).split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const KnownEditor &editor : knownEditors) {
        const QString found =
            QStandardPaths::findExecutable(QString::fromLatin1(editor.program), path);
        if (found.isEmpty())
            continue;
        command.program = found;
        if (editor.waitOption)
            command.arguments << QString::fromLatin1(editor.waitOption);
        command.arguments << file;
        return command;
    }
    return command;
}

EditorLauncher::EditorLauncher() = default;

EditorLauncher::~EditorLauncher() = default;

bool EditorLauncher::start(const Command &command, const QString &workingFolder)
{
    if (command.program.isEmpty())
        return false;
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(command.program);
    m_process->setArguments(command.arguments);
    m_process->setWorkingDirectory(workingFolder);
    m_process->setProcessChannelMode(QProcess::ForwardedChannels);
    m_process->start();
    if (!m_process->waitForStarted()) {
        m_process.reset();
        return false;
    }
    return true;
}

void EditorLauncher::waitForEnd()
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return;
    QEventLoop loop;
    QObject::connect(m_process.get(), &QProcess::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace quorel
