#include "gui/tools/helpcommand.h"

#include "core/tools/helppage.h"
#include "core/util/system.h"

#include <QDesktopServices>
#include <QUrl>

namespace quorel {

QString showHelpPage()
{
    return showHelpPage(QString::fromStdString(programCacheFolder()),
                        QString::fromStdString(tempFolder()));
}

QString showHelpPage(const QString &pageFolder, const QString &tempFolder)
{
    const auto page = writeHelpPage(pageFolder.toStdString(), tempFolder.toStdString());
    if (!page)
        return {};
    const QString path = QString::fromStdString(*page);
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return path;
}

} // namespace quorel
