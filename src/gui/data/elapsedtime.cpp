#include "gui/data/elapsedtime.h"

#include <QTime>

namespace quorel {

namespace {
constexpr qint64 msecsPerDay = 24LL * 60 * 60 * 1000;
}

QString durationFormat(const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    // Quoted literals are kept; outside them "t" (time zone), "AP"/"ap"/"A"/"a" go.
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            out += c;
            continue;
        }
        if (!quoted && (c == u't' || c == u'A' || c == u'a')) {
            if (i + 1 < format.size() && (format.at(i + 1) == u'P' || format.at(i + 1) == u'p'))
                ++i;
            continue;
        }
        out += c;
    }
    out = out.trimmed();
    if (out.isEmpty())
        out = QStringLiteral("HH:mm:ss");
    return out;
}

QString elapsedTimeText(qint64 msecs, const QLocale &locale)
{
    qint64 wrapped = msecs % msecsPerDay;
    if (wrapped < 0)
        wrapped += msecsPerDay;
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(wrapped));
    return locale.toString(time, durationFormat(locale));
}

} // namespace quorel
