#pragma once

#include <QString>

#include <functional>

class QObject;
class QProcessEnvironment;

namespace quorel {

// "Help..." (F1): unpacks the help pages (Polish and English, each linking the other) into the
// user's cache ($XDG_CACHE_HOME/quorel, else into the temporary folder) and asks the desktop to
// open the one in the interface's language. Returns the page opened; empty when no page could be
// written anywhere. `noBrowser` runs when nothing can show the page.
QString showHelpPage(const std::function<void(const QString &page)> &noBrowser = {});

// As above with the two folders and the page's language given (true: Polish).
QString showHelpPage(const QString &pageFolder, const QString &tempFolder, bool polish,
                     const std::function<void(const QString &page)> &noBrowser = {});

// Whether the desktop has something that shows web pages under `environment`: $BROWSER, a
// default application for HTML pages, or one of the browsers the desktop's opener tries.
bool hasWebBrowser(const QProcessEnvironment &environment);

} // namespace quorel
