#pragma once

#include <QString>

namespace quorel {

// "Help..." (F1): unpacks the help page into the user's cache ($XDG_CACHE_HOME/quorel, else into
// the temporary folder) and asks the desktop to open it in the browser. Returns the page opened;
// empty when no page could be written anywhere (then nothing is said, as before).
QString showHelpPage();

// As above with the two folders given.
QString showHelpPage(const QString &pageFolder, const QString &tempFolder);

} // namespace quorel
