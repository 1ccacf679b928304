#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace kelvaro::RunSchedule {

/** The moment a countdown of h:m:s started at `startMs` expires. */
qint64 countdownEnd(qint64 startMs, qint32 hours, qint32 minutes, qint32 seconds);

/**
 * The moment a clock-time run started at `startMs` expires: the local time of day h:m:s today,
 * or tomorrow when the start's time of day is later (by even a millisecond). Nothing for a time
 * of day that does not exist (hours outside 0-23, minutes or seconds outside 0-59).
 */
std::optional<qint64> clockTimeEnd(qint64 startMs, qint32 hours, qint32 minutes, qint32 seconds);

/** The time left at `sampleMs`: exactly 0 once the end has been reached. */
qint64 remaining(qint64 endMs, qint64 sampleMs);

/** Milliseconds from `nowMs` to the next full second of the clock (1 to 1000), so that a tick set
 *  for then shows the new second together with the desktop's clock. */
qint64 msToNextSecond(qint64 nowMs);

/** Whether a countdown of h:m:s is long enough to start (some part greater than zero). */
bool countdownHasLength(qint32 hours, qint32 minutes, qint32 seconds);

/** The information given when a countdown without length is to be started or stored. */
QString zeroCountdownText();

/** The warning given when a run is to wait for the end of a program and none is named. */
QString noProgramText();
/** The warning given when the program a run is to wait for does not run: "Das Programm <x> läuft nicht." */
QString programNotRunningText(const QString& program);

/** The refusal at the start of a run that waits for the user to leave when the desktop offers no
 *  idle clock the program can read. */
QString noIdleClockText();
/** The refusal at the start (and in the preset editor) of a run that waits for the machine to go
 *  quiet with both limits at 0, so that nothing would be watched. */
QString noQuietLimitText();
/** The warning given when a run is to wait for quiet and the load counters cannot be read. */
QString noLoadFiguresText();
/** The load figures of the latest second, each rounded to a whole number: "CPU 7 %, Netz 12 kB/s".
 *  A figure whose limit is 0 is not watched and left out. */
QString loadFiguresText(double cpuPercent, double netKBps, qint32 cpuLimit, qint32 netLimit);

} // namespace kelvaro::RunSchedule
