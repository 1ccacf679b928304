#include "core/RunSchedule.h"

#include "core/SerialDateTime.h"

#include <QCoreApplication>
#include <QStringList>

namespace kelvaro::RunSchedule {

qint64 countdownEnd(qint64 startMs, qint32 hours, qint32 minutes, qint32 seconds)
{
    const qint64 total = qint64(hours) * 3600 + qint64(minutes) * 60 + qint64(seconds);
    return startMs + total * 1000;
}

std::optional<qint64> clockTimeEnd(qint64 startMs, qint32 hours, qint32 minutes, qint32 seconds)
{
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return std::nullopt;
    const QTime target(hours, minutes, seconds);
    QDate day = SerialDateTime::localDate(startMs);
    // The start's local time of day is compared to the millisecond: a target equal to it stays today.
    if (SerialDateTime::localTime(startMs) > target)
        day = day.addDays(1);
    return SerialDateTime::toMSecsSinceEpoch(day, target);
}

qint64 remaining(qint64 endMs, qint64 sampleMs)
{
    return endMs >= sampleMs ? endMs - sampleMs : 0;
}

qint64 msToNextSecond(qint64 nowMs)
{
    const qint64 intoSecond = ((nowMs % 1000) + 1000) % 1000;
    return 1000 - intoSecond;
}

bool countdownHasLength(qint32 hours, qint32 minutes, qint32 seconds)
{
    return hours > 0 || minutes > 0 || seconds > 0;
}

QString zeroCountdownText()
{
    return QCoreApplication::translate("RunSchedule", "Beim Countdown müssen Sie eine Zeit größer Null eingeben,\n\r"
                                                      "damit der Countdown durchgeführt werden kann!");
}

QString noProgramText()
{
    return QCoreApplication::translate("RunSchedule", "Fehler - Kein Programm eingegeben");
}

QString programNotRunningText(const QString& program)
{
    //: %1 is the process number or the name of the program the run was to wait for.
    return QCoreApplication::translate("RunSchedule", "Das Programm %1 läuft nicht.").arg(program);
}

QString noIdleClockText()
{
    return QCoreApplication::translate("RunSchedule", "Kein Leerlaufzähler des Desktops verfügbar.\n"
                                                      "Kelvaro kann hier nicht erkennen, wann Tastatur und Maus "
                                                      "unbenutzt sind.");
}

QString noQuietLimitText()
{
    return QCoreApplication::translate("RunSchedule", "Beim Leerlauf muss eine Grenze für den Prozessor oder das "
                                                      "Netz größer Null sein, sonst wird nichts beobachtet.");
}

QString noLoadFiguresText()
{
    return QCoreApplication::translate(
        "RunSchedule", "Die Auslastung von CPU und Netz kann nicht gelesen werden (/proc/stat, /proc/net/dev).");
}

QString loadFiguresText(double cpuPercent, double netKBps, qint32 cpuLimit, qint32 netLimit)
{
    QStringList figures;
    if (cpuLimit > 0) {
        //: The processor use of the latest second, in percent.
        figures << QCoreApplication::translate("RunSchedule", "CPU %1 %").arg(qRound64(cpuPercent));
    }
    if (netLimit > 0) {
        //: The network traffic of the latest second, received plus sent.
        figures << QCoreApplication::translate("RunSchedule", "Netz %1 kB/s").arg(qRound64(netKBps));
    }
    return figures.join(QStringLiteral(", "));
}

} // namespace kelvaro::RunSchedule
