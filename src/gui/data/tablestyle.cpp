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

QString sentenceParagraphs(const QStringList &lines)
{
    QString html;
    for (const QString &line : lines)
        html += QStringLiteral("<p style=\"margin-bottom:4px\">") + line.toHtmlEscaped()
            + QStringLiteral("</p>");
    return html;
}

} // namespace quorel::tablestyle
