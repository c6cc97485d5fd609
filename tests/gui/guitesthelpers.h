#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

// Helpers shared by the GUI tests.
namespace testhelpers {

// Runs `action`, which is expected to open modal message boxes; each one is answered with OK and
// its texts are collected ("caption|text|icon").
struct SeenBox
{
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

inline QList<SeenBox> collectMessageBoxes(const std::function<void()> &action)
{
    auto seen = std::make_shared<QList<SeenBox>>();
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [seen] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seen->append({box->windowTitle(), box->text(), box->icon()});
            box->accept();
        }
    });
    poll.start();
    action();
    poll.stop();
    return *seen;
}

// Writes `bytes` to `name` inside `dir` and returns the path.
inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// `count` lines of azimuths 1, 2, 3, ... (values above 360 wrap through the reader's rule).
inline QByteArray azimuthLines(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += QByteArray::number(i % 360 + 1) + '\n';
    return bytes;
}

// Sets an environment variable for one scope and puts the old value (or its absence) back.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char *name, const QString &value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        qputenv(name, value.toUtf8());
    }
    ~ScopedEnvironment()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_old;
};

} // namespace testhelpers
