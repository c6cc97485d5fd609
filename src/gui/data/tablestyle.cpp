#include "gui/data/tablestyle.h"

namespace quorel::tablestyle {

QFont labelFont()
{
    return QFont(QStringLiteral("Verdana"), 7);
}

QFont valueFont()
{
    return QFont(QStringLiteral("Verdana"), 8);
}

QFont windowFont()
{
    return QFont(QStringLiteral("MS Sans Serif"), 8);
}

} // namespace quorel::tablestyle
