#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace quorel {

// The desktop entry id of the default application for `mimeType`, as `xdgMime` (the path of
// xdg-mime) answers "query default" under `environment`: its first line, trimmed; empty when it
// names none or does not answer within three seconds.
QString defaultApplicationEntry(const QString &xdgMime, const QString &mimeType,
                                const QProcessEnvironment &environment);

} // namespace quorel
