#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace kelvaro {

class TEinst;

/**
 * A repeating schedule: a systemd user timer `kelvaro-<id>.timer` that starts the service
 * `kelvaro-<id>.service`, which runs this program with a complete command line at the moments of a
 * calendar expression. Both units live as files in the user's unit folder; nothing of the schedule
 * is kept anywhere else, so the files are its whole description.
 */
struct Schedule
{
    /** Lower-case letters and digits; names the two unit files. */
    QString id;
    /** A systemd calendar expression (OnCalendar=), for example "Mon..Fri *-*-* 23:00:00". */
    QString calendar;
    /** The program's parameters, "-A" first: the run starts by itself. */
    QStringList arguments;
    /** What the schedule does, as systemd lists it: the preset's name and the action. */
    QString description;

    static QString timerName(const QString& id) { return QStringLiteral("kelvaro-") + id + QStringLiteral(".timer"); }
    static QString serviceName(const QString& id)
    {
        return QStringLiteral("kelvaro-") + id + QStringLiteral(".service");
    }
    /** The weekdays as calendar expressions name them, Monday first. */
    static const QStringList& weekdayNames();
    /** Whether `id` can name a schedule's files. */
    static bool validId(const QString& id);
    /** The id in a unit file name `kelvaro-<id>.timer`, or nothing. */
    static std::optional<QString> idOfTimer(const QString& fileName);

    /** The schedule that runs `options` (their command line, started at once) at `calendar`;
     *  `presetName` (empty for none) and the action describe it. */
    static Schedule of(const QString& id, const QString& calendar, const TEinst& options,
                       const QString& presetName = {});

    /** The calendar expression of the weekdays `days` (1 Monday .. 7 Sunday) at `time` (whole
     *  seconds); every day when `days` names all seven or none. */
    static QString calendarFor(const QList<int>& days, QTime time);

    /** The timer unit's text. */
    QString timerText() const;
    /** The service unit's text, which starts `programPath` with the arguments; nothing when an
     *  argument or the program's path holds a control character, which a command line of a unit
     *  file cannot carry. */
    std::optional<QString> serviceText(const QString& programPath) const;

    /** The schedule described by the two unit texts that `id` names, or nothing when they are not
     *  what serviceText() and timerText() write. */
    static std::optional<Schedule> parse(const QString& id, const QString& timerText, const QString& serviceText);

    bool operator==(const Schedule&) const = default;
};

/** One word of a unit file's command line: in double quotes, with `\` and `"` escaped, `%` doubled
 *  (no specifier) and `$` doubled (no variable); the reverse of systemd's reading of it. */
QString quoteUnitWord(const QString& word);

} // namespace kelvaro
