#include "gui/shell/commandicons.h"

#include <QString>

// The bundled pictures live in a static library; naming their initialiser keeps the linker from
// dropping them.
static void initCommandIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace quorel {

namespace {

// The freedesktop.org icon name of each command; our own pictures carry the same names.
const char *iconName(CommandIcon command)
{
    switch (command) {
    case CommandIcon::New:
        return "document-new";
    case CommandIcon::Open:
        return "document-open";
    case CommandIcon::SaveGraph:
        return "document-save";
    case CommandIcon::SaveHtml:
        return "text-html";
    case CommandIcon::Print:
        return "document-print";
    case CommandIcon::EditData:
        return "accessories-text-editor";
    case CommandIcon::Copy:
        return "edit-copy";
    case CommandIcon::Help:
        return "help-contents";
    case CommandIcon::Refresh:
        return "view-refresh";
    }
    return "";
}

} // namespace

QIcon bundledCommandIcon(CommandIcon command)
{
    static const bool initialised = (initCommandIcons(), true);
    (void)initialised;
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(iconName(command))
                 + QStringLiteral(".svg"));
}

QIcon commandIcon(CommandIcon command)
{
    return QIcon::fromTheme(QLatin1String(iconName(command)), bundledCommandIcon(command));
}

} // namespace quorel
