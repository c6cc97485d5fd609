#include "gui/shell/editorlauncher.h"

#include "gui/tools/desktopdefaults.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <algorithm>
#include <iterator>

namespace quorel {

namespace {

struct GraphicalEditor
{
    const char *program;
    const char *waitOption; // nullptr when the editor has none (or always waits)
    bool isFallback; // tried when nothing else names an editor
};

// The fallbacks in the order they are tried; the others only lend their wait option when a
// variable or the desktop names them.
constexpr GraphicalEditor graphicalEditors[] = {
    {"gedit", "--wait", true},
    {"gnome-text-editor", "--standalone", true},
    {"kate", "--block", true},
    {"kwrite", nullptr, true},
    {"mousepad", "--disable-server", true},
    {"pluma", nullptr, true},
    {"xed", nullptr, true},
    {"featherpad", nullptr, true},
    {"leafpad", nullptr, true},
    {"xedit", nullptr, true},
    {"gvim", "--nofork", false},
    {"code", "--wait", false},
    {"codium", "--wait", false},
    {"subl", "--wait", false},
};

// Editors that draw in the terminal they run in (Debian's alternatives such as vim.basic and
// vim.tiny count by the part before the dot).
constexpr const char *terminalEditors[] = {
    "vi",   "vim",   "nvim", "nvi",   "elvis", "view",  "ex",    "ed", "nano",   "rnano",
    "pico", "micro", "joe",  "jmacs", "jpico", "jstar", "jed",   "ne", "mcedit", "mg",
    "zile", "jove",  "kak",  "hx",    "helix", "dte",   "tilde", "e3",
};

// Options that keep Emacs (or its client) in the terminal.
constexpr const char *emacsTerminalOptions[] = {"-nw", "--no-window-system", "-t", "--tty"};

bool isOneOf(const QString &word, const auto &list)
{
    return std::any_of(std::begin(list), std::end(list),
                       [&](const char *item) { return word == QLatin1String(item); });
}

QStringList searchPath(const QProcessEnvironment &environment)
{
    return environment.value(QStringLiteral("PATH"))
        .split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

// The executable `word` names: a path as it is, a bare name looked up in `path` only.
QString findProgram(const QString &word, const QStringList &path)
{
    if (word.contains(QLatin1Char('/'))) {
        const QFileInfo info(word);
        return info.isFile() && info.isExecutable() ? word : QString();
    }
    if (path.isEmpty())
        return {}; // QStandardPaths would search the program's own PATH instead
    return QStandardPaths::findExecutable(word, path);
}

// The editor's own name, through links such as /usr/bin/editor -> /usr/bin/vim.basic.
QString editorName(const QString &found)
{
    const QString target = QFileInfo(found).canonicalFilePath();
    return QFileInfo(target.isEmpty() ? found : target).fileName();
}

bool needsTerminal(const QString &found, const QStringList &arguments)
{
    const QString name = editorName(found);
    const QString typed = QFileInfo(found).fileName();
    for (const QString &candidate : {name, typed}) {
        if (isOneOf(candidate.section(QLatin1Char('.'), 0, 0), terminalEditors))
            return true;
        if (candidate.startsWith(QLatin1String("emacs")))
            return std::any_of(arguments.begin(), arguments.end(), [](const QString &argument) {
                return isOneOf(argument, emacsTerminalOptions);
            });
    }
    return false;
}

const GraphicalEditor *graphicalEditor(const QString &found)
{
    for (const QString &candidate : {QFileInfo(found).fileName(), editorName(found)}) {
        for (const GraphicalEditor &editor : graphicalEditors) {
            if (candidate == QLatin1String(editor.program))
                return &editor;
        }
    }
    return nullptr;
}

// The command that runs `words` (the program, its options and the file): in a terminal when the
// editor needs one, with the editor's wait option added when asked. Empty when the program or
// the terminal it needs is not there; in the second case `lacksTerminal` names the editor.
EditorLauncher::Command commandFromWords(const QStringList &words, const QString &name,
                                         bool inTerminal, bool addWaitOption,
                                         const QStringList &path)
{
    if (words.isEmpty())
        return {};
    const QString program = findProgram(words.constFirst(), path);
    if (program.isEmpty())
        return {};
    QStringList arguments = words.mid(1);
    if (addWaitOption) {
        const GraphicalEditor *editor = graphicalEditor(program);
        if (editor && editor->waitOption && !arguments.contains(QLatin1String(editor->waitOption)))
            arguments.prepend(QLatin1String(editor->waitOption));
    }
    const QString shownName = name.isEmpty() ? QFileInfo(words.constFirst()).fileName() : name;
    if (inTerminal || needsTerminal(program, arguments)) {
        const QString terminal = findProgram(QStringLiteral("x-terminal-emulator"), path);
        if (terminal.isEmpty()) {
            EditorLauncher::Command none;
            none.lacksTerminal = shownName;
            return none;
        }
        return {terminal, QStringList {QStringLiteral("-e"), program} + arguments, shownName, {}};
    }
    return {program, arguments, shownName, {}};
}

// The command in a variable such as $VISUAL; quotes group words, no shell runs.
EditorLauncher::Command commandFromVariable(const QString &value, const QString &file,
                                            const QStringList &path)
{
    QStringList words = QProcess::splitCommand(value.trimmed());
    if (words.isEmpty())
        return {};
    words << file;
    return commandFromWords(words, {}, false, words.size() == 2, path);
}

// The words of a desktop entry's Exec value: blanks separate them, double quotes group them,
// and inside quotes a backslash takes the next character literally.
QStringList splitExec(const QString &exec)
{
    QStringList words;
    QString word;
    bool inQuotes = false;
    bool hasWord = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size())
                word += exec.at(++i);
            else if (c == QLatin1Char('"'))
                inQuotes = false;
            else
                word += c;
        } else if (c == QLatin1Char('"')) {
            inQuotes = true;
            hasWord = true;
        } else if (c.isSpace()) {
            if (hasWord)
                words << word;
            word.clear();
            hasWord = false;
        } else {
            word += c;
            hasWord = true;
        }
    }
    if (hasWord)
        words << word;
    return words;
}

// A string value of a desktop entry with its escapes (\s \n \t \r \\) resolved.
QString unescapeValue(const QString &value)
{
    QString result;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) != QLatin1Char('\\') || i + 1 == value.size()) {
            result += value.at(i);
            continue;
        }
        const QChar next = value.at(++i);
        if (next == QLatin1Char('s'))
            result += QLatin1Char(' ');
        else if (next == QLatin1Char('n'))
            result += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            result += QLatin1Char('\t');
        else if (next == QLatin1Char('r'))
            result += QLatin1Char('\r');
        else
            result += next;
    }
    return result;
}

// The desktop entry named `id` in `folders`, as a command on `file`.
EditorLauncher::Command commandFromDesktopEntry(const QString &id, const QString &file,
                                                const QStringList &folders, const QStringList &path)
{
    QFile entry;
    for (const QString &folder : folders) {
        entry.setFileName(QDir(folder).filePath(id));
        if (entry.exists())
            break;
    }
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString name;
    QString exec;
    bool terminal = false;
    bool inMainGroup = false;
    while (!entry.atEnd()) {
        const QString line = QString::fromUtf8(entry.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = unescapeValue(line.mid(equals + 1).trimmed());
        if (key == QLatin1String("Name"))
            name = value;
        else if (key == QLatin1String("Exec"))
            exec = value;
        else if (key == QLatin1String("Terminal"))
            terminal = value == QLatin1String("true");
    }
    // Field codes: the file takes the place of the first file or URL code; the others go.
    QStringList words;
    bool fileGiven = false;
    for (const QString &word : splitExec(exec)) {
        if (word.size() == 2 && word.at(0) == QLatin1Char('%') && word != QLatin1String("%%")) {
            if (!fileGiven && QStringLiteral("fFuU").contains(word.at(1))) {
                words << file;
                fileGiven = true;
            }
            continue;
        }
        words << QString(word).replace(QLatin1String("%%"), QLatin1String("%"));
    }
    if (!fileGiven)
        words << file;
    return commandFromWords(words, name, terminal, true, path);
}

// The desktop entry (an id such as "org.gnome.gedit.desktop") of the default editor of plain
// text, as xdg-mime tells it; empty when there is none or no xdg-mime.
QString defaultTextEditorEntry(const QProcessEnvironment &environment, const QStringList &path)
{
    const QString xdgMime = findProgram(QStringLiteral("xdg-mime"), path);
    if (xdgMime.isEmpty())
        return {};
    const QString id = defaultApplicationEntry(xdgMime, QStringLiteral("text/plain"), environment);
    // An id names a file in an applications folder, never a path of its own.
    return id.contains(QLatin1Char('/')) ? QString() : id;
}

} // namespace

EditorLauncher::Command EditorLauncher::commandFor(const QString &file,
                                                   const QProcessEnvironment &environment)
{
    return commandFor(file, environment,
                      QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation));
}

EditorLauncher::Command EditorLauncher::commandFor(const QString &file,
                                                   const QProcessEnvironment &environment,
                                                   const QStringList &applicationFolders)
{
    const QString chosen = environment.value(QStringLiteral("QUOREL_EDITOR")).trimmed();
    if (!chosen.isEmpty()) {
        // The user's own choice runs as given ("kate --block"), found or not, so that a wrong
        // name is reported rather than passed over.
        QStringList words = QProcess::splitCommand(chosen);
        if (!words.isEmpty()) {
            Command command;
            command.program = words.takeFirst();
            command.arguments = words;
            command.arguments << file;
            command.name = QFileInfo(command.program).fileName();
            return command;
        }
    }
    const QStringList path = searchPath(environment);
    // An editor that cannot run for want of a terminal gives way to the next choice; when none
    // is left, the user hears which one it was.
    QString lacksTerminal;
    const auto found = [&lacksTerminal](const Command &command) {
        if (lacksTerminal.isEmpty())
            lacksTerminal = command.lacksTerminal;
        return !command.program.isEmpty();
    };
    for (const char *variable : {"VISUAL", "EDITOR"}) {
        const Command command =
            commandFromVariable(environment.value(QLatin1String(variable)), file, path);
        if (found(command))
            return command;
    }
    if (const QString entry = defaultTextEditorEntry(environment, path); !entry.isEmpty()) {
        const Command command = commandFromDesktopEntry(entry, file, applicationFolders, path);
        if (found(command))
            return command;
    }
    for (const GraphicalEditor &editor : graphicalEditors) {
        if (!editor.isFallback)
            continue;
        const Command command =
            commandFromWords({QLatin1String(editor.program), file}, {}, false, true, path);
        if (!command.program.isEmpty())
            return command;
    }
    Command none;
    none.lacksTerminal = lacksTerminal;
    return none;
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

bool EditorLauncher::endedWell() const
{
    return m_process && m_process->state() == QProcess::NotRunning
        && m_process->exitStatus() == QProcess::NormalExit && m_process->exitCode() == 0;
}

} // namespace quorel
