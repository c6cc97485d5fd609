#include "gui/tools/programicon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The drawing lives in a static library; naming its initialiser keeps the linker from dropping it.
static void initProgramIcon()
{
    Q_INIT_RESOURCE(appicon);
}

namespace quorel {

QIcon programIcon()
{
    static const bool initialised = (initProgramIcon(), true);
    (void)initialised;
    QSvgRenderer renderer(QStringLiteral(":/icons/org.quorel.Quorel.svg"));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace quorel
