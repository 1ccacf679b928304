#include "core/SerialDateTime.h"

#include <QDateTime>

#include <cmath>
#include <cstdlib>

namespace kelvaro::SerialDateTime {

namespace {

const QDate kEpoch(1899, 12, 30);

QString format(qint64 msecsOfDay, bool withMSecs)
{
    const qint64 h = msecsOfDay / 3'600'000;
    const qint64 n = msecsOfDay / 60'000 % 60;
    const qint64 s = msecsOfDay / 1000 % 60;
    QString text = QStringLiteral("%1:%2:%3")
                       .arg(h, 2, 10, QLatin1Char('0'))
                       .arg(n, 2, 10, QLatin1Char('0'))
                       .arg(s, 2, 10, QLatin1Char('0'));
    if (withMSecs)
        text += QStringLiteral(":%1").arg(msecsOfDay % 1000, 3, 10, QLatin1Char('0'));
    return text;
}

} // namespace

double fromLocal(QDate date, QTime time)
{
    return static_cast<double>(kEpoch.daysTo(date)) +
           static_cast<double>(time.msecsSinceStartOfDay()) / static_cast<double>(kMSecsPerDay);
}

double fromMSecsSinceEpoch(qint64 msecs)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(msecs, Qt::LocalTime);
    return fromLocal(local.date(), local.time());
}

qint64 toMSecsSinceEpoch(QDate date, QTime time)
{
    return QDateTime(date, time, Qt::LocalTime).toMSecsSinceEpoch();
}

QDate localDate(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::LocalTime).date();
}

QTime localTime(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::LocalTime).time();
}

qint64 timeOfDayMSecs(double days)
{
    if (!std::isfinite(days))
        return 0;
    const double rounded = std::fabs(std::round(days * static_cast<double>(kMSecsPerDay)));
    // Values beyond ~2^62 ms are far outside any date the program can meet; clamp before converting.
    const double bounded = std::fmod(rounded, static_cast<double>(kMSecsPerDay));
    return static_cast<qint64>(bounded);
}

qint64 timeOfDayMSecs(qint64 msecs)
{
    const qint64 rest = msecs % kMSecsPerDay;
    return rest < 0 ? -rest : rest;
}

QString formatTime(double days)
{
    return format(timeOfDayMSecs(days), false);
}

QString formatTime(qint64 msecs)
{
    return format(timeOfDayMSecs(msecs), false);
}

QString formatTimeMs(double days)
{
    return format(timeOfDayMSecs(days), true);
}

QString formatTimeMs(qint64 msecs)
{
    return format(timeOfDayMSecs(msecs), true);
}

} // namespace kelvaro::SerialDateTime
