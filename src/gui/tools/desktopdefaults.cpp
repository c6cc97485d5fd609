#include "gui/tools/desktopdefaults.h"

#include <QProcess>

namespace quorel {

QString defaultApplicationEntry(const QString &xdgMime, const QString &mimeType,
                                const QProcessEnvironment &environment)
{
    QProcess query;
    query.setProcessEnvironment(environment);
    query.setStandardInputFile(QProcess::nullDevice());
    query.setStandardErrorFile(QProcess::nullDevice());
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    return QString::fromLocal8Bit(query.readAllStandardOutput())
        .section(QLatin1Char('\n'), 0, 0)
        .trimmed();
}

} // namespace quorel
