#include "gui/shell/editedfilewatcher.h"

#include "gui/document/document.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace quorel {

namespace {

// Editors write a file in several steps (or write a copy and rename it over the file); a read
// waits until the file has been quiet this long.
constexpr int settleMsecs = 300;

} // namespace

QByteArray contentsHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&file);
    return hash.result();
}

EditedFileWatcher::EditedFileWatcher(Document &document, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_watcher(new QFileSystemWatcher(this))
    , m_settle(new QTimer(this))
{
    m_settle->setSingleShot(true);
    m_settle->setInterval(settleMsecs);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &EditedFileWatcher::fileTouched);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &EditedFileWatcher::fileTouched);
    connect(m_settle, &QTimer::timeout, this, &EditedFileWatcher::readIfChanged);
    connect(&document, &Document::fileChanged, this, [this] {
        if (!m_path.isEmpty()
            && (m_document.currentFileName() != m_path || !m_document.canEditData()))
            stop();
    });
    connect(&document, &Document::readFinished, this, [this] {
        if (!m_path.isEmpty() && m_document.currentFileName() == m_path)
            rememberContents();
    });
}

void EditedFileWatcher::watch(const QString &path)
{
    stop();
    m_path = path;
    rememberContents();
    m_watcher->addPath(path);
    // A copy renamed over the file replaces the file the watch was on: the folder tells.
    m_watcher->addPath(QFileInfo(path).absolutePath());
}

void EditedFileWatcher::stop()
{
    m_settle->stop();
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_path.clear();
    m_lastRead.clear();
}

void EditedFileWatcher::fileTouched()
{
    if (!m_path.isEmpty())
        m_settle->start();
}

void EditedFileWatcher::readIfChanged()
{
    if (m_path.isEmpty())
        return;
    if (!m_watcher->files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher->addPath(m_path);
    if (m_document.isBusy()) {
        m_settle->start(); // after the read or the edit under way
        return;
    }
    const QByteArray hash = contentsHash(m_path);
    if (hash.isEmpty() || hash == m_lastRead)
        return;
    m_document.read(m_path);
}

void EditedFileWatcher::rememberContents()
{
    m_lastRead = contentsHash(m_path);
}

} // namespace quorel
