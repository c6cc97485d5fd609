#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

namespace quorel::tablestyle {

inline constexpr int rowHeight = 16;

// Navy of the fixed texts and maroon of the counts and the two statistics labels.
inline QColor navy()
{
    return QColor(0, 0, 128);
}
inline QColor maroon()
{
    return QColor(128, 0, 0);
}

// Verdana 7 points: headers, numbers, ranges, counts and the sector azimuths.
QFont labelFont();
// Verdana at the window's 8 points: the azimuths of the measurement table.
QFont valueFont();
// The main window's own font, "MS Sans Serif" 8 points.
QFont windowFont();

// The sentences of a figures panel as rich text: one paragraph a sentence, a little apart, so
// that each figure reads on its own.
QString sentenceParagraphs(const QStringList &lines);

} // namespace quorel::tablestyle
