#include "gui/tools/helpcommand.h"

#include "core/tools/helppage.h"
#include "core/util/system.h"
#include "gui/tools/desktopdefaults.h"
#include "gui/tools/interfacelanguage.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUrl>

namespace quorel {

namespace {

// The browsers the desktop's opener (xdg-open) falls back on when no application is set for
// HTML pages.
constexpr const char *knownBrowsers[] = {
    "x-www-browser", "firefox",  "firefox-esr", "chromium", "chromium-browser",
    "google-chrome", "epiphany", "konqueror",   "falkon",   "www-browser",
    "links2",        "elinks",   "links",       "lynx",     "w3m",
};

// The desktop's default application for HTML pages, as xdg-mime tells it.
QString defaultHtmlApplication(const QProcessEnvironment &environment, const QStringList &path)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"), path);
    if (xdgMime.isEmpty())
        return {};
    return defaultApplicationEntry(xdgMime, QStringLiteral("text/html"), environment);
}

} // namespace

bool hasWebBrowser(const QProcessEnvironment &environment)
{
    if (!environment.value(QStringLiteral("BROWSER")).trimmed().isEmpty())
        return true;
    const QStringList path =
        environment.value(QStringLiteral("PATH")).split(QDir::listSeparator(), Qt::SkipEmptyParts);
    if (path.isEmpty())
        return false; // QStandardPaths would search the program's own PATH instead
    for (const char *browser : knownBrowsers) {
        if (!QStandardPaths::findExecutable(QLatin1String(browser), path).isEmpty())
            return true;
    }
    return !defaultHtmlApplication(environment, path).isEmpty();
}

QString showHelpPage(const std::function<void(const QString &page)> &noBrowser)
{
    return showHelpPage(QString::fromStdString(programCacheFolder()),
                        QString::fromStdString(tempFolder()),
                        interfaceLanguage() == InterfaceLanguage::Polish, noBrowser);
}

QString showHelpPage(const QString &pageFolder, const QString &tempFolder, bool polish,
                     const std::function<void(const QString &page)> &noBrowser)
{
    const auto page = writeHelpPage(pageFolder.toStdString(), tempFolder.toStdString(),
                                    polish ? HelpLanguage::Polish : HelpLanguage::English);
    if (!page)
        return {};
    const QString path = QString::fromStdString(*page);
    // The desktop's opener starts in the background and gives up without a word when there is
    // no browser, so that case is found out first.
    const bool shown = hasWebBrowser(QProcessEnvironment::systemEnvironment())
        && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!shown && noBrowser)
        noBrowser(path);
    return path;
}

} // namespace quorel
