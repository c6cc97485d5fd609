#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace quorel {

class Document;

// A digest of the file's bytes (empty when it cannot be read), to tell a save that changed
// the file from one that did not.
QByteArray contentsHash(const QString &path);

// Reads the current file again each time it changes on disk, for an editor that handed the file
// to an instance already running and returned at once, so there was nothing to wait for. It
// stops when another file becomes the current one. A change that only repeats what the last
// read saw (the write-back of the display parameters) reads nothing.
class EditedFileWatcher : public QObject
{
    Q_OBJECT

public:
    explicit EditedFileWatcher(Document &document, QObject *parent = nullptr);

    void watch(const QString &path);
    void stop();
    QString watchedFile() const { return m_path; }

private:
    void fileTouched();
    void readIfChanged();
    void rememberContents();

    Document &m_document;
    QFileSystemWatcher *m_watcher;
    QTimer *m_settle;
    QString m_path;
    QByteArray m_lastRead; // hash of the contents the last read ended with
};

} // namespace quorel
