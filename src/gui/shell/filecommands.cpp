#include "gui/shell/filecommands.h"

#include "core/data/displayparameters.h"
#include "core/util/files.h"
#include "core/util/result.h"
#include "gui/document/document.h"
#include "gui/document/readwords.h"
#include "gui/shell/editedfilewatcher.h"
#include "gui/shell/editorlauncher.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace quorel {

namespace {

// Each filter shows its description exactly (the dialog hides the trailing pattern group) and
// matches with patterns that work on a case-sensitive file system.
QString filter(const QString &description, const char *patterns)
{
    return description + QStringLiteral(" (") + QString::fromLatin1(patterns) + QLatin1Char(')');
}

QString dashLine()
{
    return QStringLiteral(";") + QString(53, QLatin1Char('-'));
}

// An editor that ends sooner than this after its start has most likely handed the file to an
// instance already running rather than let the user edit it.
constexpr qint64 handOverMsecs = 2000;

// The bytes of `path` as the system takes them.
std::string localPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

FileCommands::FileCommands(Document &document, QWidget &window)
    : QObject(&window)
    , m_document(document)
    , m_window(window)
    , m_watcher(new EditedFileWatcher(document, this))
{ }

void FileCommands::setInitialFolder(const QString &folder)
{
    m_folder = folder;
}

QStringList FileCommands::openFilters()
{
    return {filter(tr("Quorel's files (*.QRL)"), "*.qrl *.QRL *.Qrl"),
            filter(tr("Text files (*.TXT)"), "*.txt *.TXT *.Txt"),
            filter(tr("DAT files (*.DAT)"), "*.dat *.DAT *.Dat"),
            filter(tr("All files (*.*)"), "*")};
}

QStringList FileCommands::newFilters()
{
    return {filter(tr("Quorel's file (*.QRL)"), "*.qrl *.QRL *.Qrl")};
}

QStringList FileCommands::templateLines()
{
    return {dashLine(), QStringLiteral(";Enter measurements below."),
            QStringLiteral(";One line - one azimuth."), dashLine()};
}

void FileCommands::prepareDialog(QFileDialog &dialog, Dialog kind) const
{
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!m_folder.isEmpty())
        dialog.setDirectory(m_folder);
    if (kind == Dialog::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(openFilters());
    } else {
        dialog.setWindowTitle(tr("New data file"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(newFilters());
        dialog.setDefaultSuffix(QStringLiteral("qrl"));
        dialog.selectFile(tr("data", "the name proposed for a new data file"));
    }
}

QString FileCommands::choose(Dialog kind)
{
    QFileDialog dialog(&m_window);
    prepareDialog(dialog, kind);
    if (m_chooser)
        return m_chooser(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void FileCommands::open()
{
    if (m_document.isBusy())
        return;
    const QString path = choose(Dialog::Open);
    if (path.isEmpty())
        return;
    // A name that no longer denotes a file when the dialog closes is ignored.
    if (!QFileInfo(path).isFile())
        return;
    m_document.setRandomGraph(false);
    m_document.read(path);
}

void FileCommands::openFromTray()
{
    if (!m_window.isVisible()) {
        m_window.show();
        m_window.raise();
    }
    open();
}

void FileCommands::newFile()
{
    if (m_document.isBusy())
        return;
    const QString path = choose(Dialog::New);
    if (path.isEmpty())
        return;
    m_document.setRandomGraph(false);
    m_document.setCurrentFileName(path);
    if (const Status created = writeFile(localPath(path), {}); !created) {
        m_document.warn(errorText(created.error()));
        return;
    }
    // A new file starts with the file's options (axial data, equal-area petals) at their
    // defaults, so it carries only what the user switches on for it; the look and the
    // description carry over.
    m_document.editStyle([](DiagramStyle &style) { resetOptionalParameters(style); });
    // The read begins with the write-back, which now targets the new file.
    m_document.read(path, [this, path](bool read) {
        if (read)
            addTemplateAndEdit(path);
    });
}

void FileCommands::addTemplateAndEdit(const QString &path)
{
    const Result<std::string> written = readFileBytes(localPath(path));
    if (!written) {
        m_document.warn(errorText(written.error()));
        return;
    }
    // Every line the program writes into a data file ends in CR LF, whatever the name.
    std::string bytes = written.value();
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r')
        bytes += "\r\n";
    for (const QString &line : templateLines())
        bytes += line.toStdString() + "\r\n";
    if (const Status saved = writeFile(localPath(path), bytes); !saved) {
        m_document.warn(errorText(saved.error()));
        return;
    }
    editData();
}

void FileCommands::editData()
{
    if (m_document.isBusy() || m_document.isRandomGraph())
        return;
    const QString file = m_document.currentFileName();
    if (file.isEmpty())
        return;
    QString folder = QFileInfo(file).absolutePath();
    if (!QFileInfo(folder).isDir())
        folder = QDir::currentPath();

    const EditorLauncher::Command command =
        EditorLauncher::commandFor(file, QProcessEnvironment::systemEnvironment());
    if (command.program.isEmpty() && !command.lacksTerminal.isEmpty()) {
        m_document.warn(tr("The text editor \"%1\" needs a terminal to edit \"%2\", and no "
                           "terminal program (x-terminal-emulator) was found.\n"
                           "Install a terminal, or set QUOREL_EDITOR to the command that starts "
                           "a graphical editor, for example QUOREL_EDITOR=\"gedit --wait\".")
                            .arg(command.lacksTerminal, QDir::toNativeSeparators(file)));
        return;
    }
    if (command.program.isEmpty()) {
        m_document.warn(tr("No text editor was found to edit \"%1\".\n"
                           "Set QUOREL_EDITOR to the command that starts your editor, for "
                           "example QUOREL_EDITOR=\"gedit --wait\".")
                            .arg(QDir::toNativeSeparators(file)));
        return;
    }
    EditorLauncher editor;
    if (!editor.start(command, folder)) {
        m_document.warn(tr("The text editor \"%1\" could not be started.\n"
                           "Set QUOREL_EDITOR to the command that starts your editor.")
                            .arg(command.program));
        return;
    }
    m_watcher->stop();
    const QByteArray before = contentsHash(file);
    QElapsedTimer running;
    running.start();
    m_document.beginEditing();
    m_window.hide();
    editor.waitForEnd();
    m_document.endEditing();
    if (running.elapsed() < handOverMsecs) {
        if (!editor.endedWell()) {
            m_document.warn(tr("The text editor \"%1\" ended at once without editing \"%2\".")
                                .arg(command.name, QDir::toNativeSeparators(file)));
        } else if (contentsHash(file) == before) {
            // It gave the file to an instance already running and returned: what that instance
            // saves is read when it is saved.
            m_watcher->watch(file);
        }
    }
    // The window comes back once the file edited has been read again.
    QWidget *window = &m_window;
    if (!m_document.read(file, [window](bool) { window->show(); }))
        window->show();
}

QString FileCommands::editDataHint() const
{
    const QString file = m_document.currentFileName().isEmpty() ? QStringLiteral("dane.qrl")
                                                                : m_document.currentFileName();
    const EditorLauncher::Command command =
        EditorLauncher::commandFor(file, QProcessEnvironment::systemEnvironment());
    if (command.program.isEmpty() && !command.lacksTerminal.isEmpty())
        return tr("Edit data... (%1 needs a terminal: none found)").arg(command.lacksTerminal);
    if (command.program.isEmpty())
        return tr("Edit data... (no text editor found: set QUOREL_EDITOR)");
    return tr("Edit data in %1...").arg(command.name);
}

void FileCommands::refresh()
{
    m_document.redraw();
}

SettingsBinding FileCommands::settingsBinding()
{
    return {[this](const Settings &settings) {
                setInitialFolder(QString::fromStdString(settings.openFolder));
            },
            {}};
}

std::vector<Command> FileCommands::commands()
{
    return {
        {.id = CommandId::New,
         .caption = tr("&New..."),
         .shortcut = QKeySequence(QStringLiteral("Ctrl+N")),
         .icon = CommandIcon::New,
         .menu = MenuName::File,
         .buttonCaption = tr("&New"),
         .buttonHint = tr("New data file..."),
         .run =
             [this] {
                 newFile();
             }},
        {.id = CommandId::Open,
         .caption = tr("&Open..."),
         .shortcut = QKeySequence(QStringLiteral("Ctrl+O")),
         .icon = CommandIcon::Open,
         .menu = MenuName::File,
         .buttonCaption = tr("&Open"),
         .buttonHint = tr("Open data file... (Ctrl+O)"),
         .run =
             [this] {
                 open();
             }},
        {.id = CommandId::EditData,
         .caption = tr("&Edit data..."),
         .shortcut = QKeySequence(QStringLiteral("Ctrl+E")),
         .icon = CommandIcon::EditData,
         .menu = MenuName::Edit,
         .buttonCaption = tr("Edit"),
         .buttonHint = tr("Edit data..."),
         .currentButtonHint = [this] { return editDataHint(); },
         .buttonSeparatorBefore = true,
         .run =
             [this] {
                 editData();
             }},
        {.id = CommandId::Refresh,
         .caption = tr("&Refresh"),
         .shortcut = QKeySequence(Qt::Key_F5),
         .icon = CommandIcon::Refresh,
         .menu = MenuName::View,
         .separatorBefore = true,
         .buttonCaption = tr("&Refresh"),
         .buttonHint = tr("Refresh graph (F5)"),
         .run =
             [this] {
                 refresh();
             }},
    };
}

} // namespace quorel
