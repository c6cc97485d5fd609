#pragma once

#include <QLocale>
#include <QString>

namespace quorel {

// An elapsed duration shown like a time of day in the locale's long time format (hours,
// minutes, seconds), modulo 24 hours. The time-zone and AM/PM parts of the format are left out:
// a duration has neither, and without AM/PM the hours count 0..23.
[[nodiscard]] QString elapsedTimeText(qint64 msecs, const QLocale &locale);

// The locale's long time format without time-zone and AM/PM parts.
[[nodiscard]] QString durationFormat(const QLocale &locale);

} // namespace quorel
