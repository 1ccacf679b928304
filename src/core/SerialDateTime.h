#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace kelvaro {

/**
 * Serial date-times: a double counting days since 1899-12-30 00:00 local time; the integer part
 * is the date and the fraction the time of day (0.5 is noon).
 */
namespace SerialDateTime {

constexpr qint64 kMSecsPerDay = 86'400'000;

/** The local serial date-time of an absolute moment. */
double fromMSecsSinceEpoch(qint64 msecs);
/** The serial date-time of a local date and time of day. */
double fromLocal(QDate date, QTime time);
/** The absolute moment of a local date and time of day (for a time skipped by a clock change,
 *  the moment the clocks show it after the change). */
qint64 toMSecsSinceEpoch(QDate date, QTime time);
/** The local date and time of day of an absolute moment. */
QDate localDate(qint64 msecs);
QTime localTime(qint64 msecs);

/** A span or date-time in days as whole milliseconds: rounded to the nearest millisecond, whole
 *  days and the sign dropped. The result lies in [0, kMSecsPerDay). */
qint64 timeOfDayMSecs(double days);
qint64 timeOfDayMSecs(qint64 msecs);

/** "hh:nn:ss": hours, minutes and seconds of the time of day, the fraction of a second cut off. */
QString formatTime(double days);
QString formatTime(qint64 msecs);
/** "hh:nn:ss:zzz": the same with the milliseconds. */
QString formatTimeMs(double days);
QString formatTimeMs(qint64 msecs);

} // namespace SerialDateTime
} // namespace kelvaro
