#include "gui/persist/windowpersistence.h"

#include "core/persist/association.h"
#include "core/persist/writeback.h"
#include "core/util/system.h"
#include "gui/document/document.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace quorel {

namespace {

QString fromBytes(const std::string &bytes)
{
    return QString::fromStdString(bytes);
}

} // namespace

std::string defaultDialogFolder(const std::string &programPath)
{
    if (installedDesktopEntry(programPath).empty())
        return programPath.empty() ? std::string() : parentFolder(programPath);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents.toStdString();
    return QDir::homePath().toStdString();
}

WindowPersistence::WindowPersistence(Document &document, KeyValueStore &store)
    : m_document(document)
    , m_store(store)
{
    document.setWriteBack([this](const std::string &file, const DiagramStyle &style) {
        const WriteBackResult written = writeDisplayParameters(file, style, userName());
        if (written.outcome == WriteBackOutcome::Failed)
            m_document.warn(fromBytes(written.message()));
        else if (written.outcome == WriteBackOutcome::NotText)
            noteNotText(file, written.nulOffset);
    });
}

void WindowPersistence::noteNotText(const std::string &file, std::size_t nulOffset)
{
    const QFileInfo info(QFile::decodeName(QByteArray::fromStdString(file)));
    const std::string stamp = file + '\n' + std::to_string(info.size()) + '\n'
        + std::to_string(info.lastModified().toMSecsSinceEpoch());
    if (!m_notedFiles.insert(stamp).second)
        return;
    m_document.setWriteBackNote(
        QCoreApplication::translate(
            "quorel::WindowPersistence",
            "%1 is not a text file (NUL byte at offset %2): nothing written")
            .arg(info.fileName())
            .arg(nulOffset));
}

StartContext WindowPersistence::startContext() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize(1280, 800);
    StartContext context;
    context.programPath = programPath();
    context.programFolder = defaultDialogFolder(context.programPath);
    context.startPlacement = startPlacement(screenSize.width(), screenSize.height());
    return context;
}

LoadedSettings WindowPersistence::load(const StartContext &context)
{
    LoadedSettings loaded = loadSettings(m_store, context);
    m_maximized = loaded.settings.maximized;
    return loaded;
}

void WindowPersistence::save(const Settings &settings)
{
    const std::string program = programPath();
    const Status saved = saveSettings(
        m_store, settings, m_document.currentFileName().toStdString(), defaultDialogFolder(program),
        [&program](bool associate) {
            return applyAssociation(associate, program, AssociationFolders::fromEnvironment());
        });
    if (!saved)
        m_document.warn(fromBytes(saved.message()));
}

void WindowPersistence::registerAssociation(bool associate)
{
    if (!associate)
        return;
    const Status registered =
        registerFileAssociation(programPath(), AssociationFolders::fromEnvironment());
    if (!registered)
        m_document.warn(fromBytes(registered.message()));
}

} // namespace quorel
