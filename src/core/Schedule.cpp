#include "core/Schedule.h"

#include "core/CommandLine.h"
#include "core/TEinst.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace kelvaro {

namespace {

/** A value systemd reads with specifiers: `%` doubled, control characters as blanks. */
QString unitValue(const QString& text)
{
    QString result;
    for (const QChar c : text) {
        if (c == QLatin1Char('%'))
            result += QStringLiteral("%%");
        else
            result += c.category() == QChar::Other_Control ? QChar(u' ') : c;
    }
    return result.trimmed();
}

QString actionName(quint8 action)
{
    switch (action) {
    case AktionNachricht:
        return QCoreApplication::translate("Schedule", "Nachricht");
    case AktionShutdown:
        return QCoreApplication::translate("Schedule", "Herunterfahren");
    case AktionRestart:
        return QCoreApplication::translate("Schedule", "Neustart");
    case AktionLogoff:
        return QCoreApplication::translate("Schedule", "Abmelden");
    case AktionStandby:
        return QCoreApplication::translate("Schedule", "Standby");
    case AktionHibernate:
        return QCoreApplication::translate("Schedule", "Ruhezustand");
    case AktionSperren:
        return QCoreApplication::translate("Schedule", "Bildschirm sperren");
    default:
        return QString();
    }
}

/** The value of `key=` in the unit text's lines, or nothing. */
std::optional<QString> valueOf(const QString& text, const QString& key)
{
    const QString prefix = key + QLatin1Char('=');
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return std::nullopt;
}

/** The words of a command line written with quoteUnitWord(), or nothing for any other text. */
std::optional<QStringList> unquoteWords(const QString& line)
{
    QStringList words;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        if (line[i] != QLatin1Char('"'))
            return std::nullopt;
        QString word;
        for (++i;; ++i) {
            if (i >= line.size())
                return std::nullopt;
            const QChar c = line[i];
            if (c == QLatin1Char('"'))
                break;
            const bool doubled = (c == QLatin1Char('%') || c == QLatin1Char('$'));
            if ((c == QLatin1Char('\\') || doubled) && i + 1 < line.size() &&
                (doubled ? line[i + 1] == c : (line[i + 1] == QLatin1Char('\\') || line[i + 1] == QLatin1Char('"'))))
                ++i;
            else if (c == QLatin1Char('\\') || doubled)
                return std::nullopt;
            word += line[i];
        }
        ++i;
        words << word;
    }
    return words;
}

} // namespace

const QStringList& Schedule::weekdayNames()
{
    static const QStringList names{QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                                   QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat"),
                                   QStringLiteral("Sun")};
    return names;
}

bool Schedule::validId(const QString& id)
{
    static const QRegularExpression pattern(QStringLiteral("^[a-z0-9]{1,32}$"));
    return pattern.match(id).hasMatch();
}

std::optional<QString> Schedule::idOfTimer(const QString& fileName)
{
    if (!fileName.startsWith(QLatin1String("kelvaro-")) || !fileName.endsWith(QLatin1String(".timer")))
        return std::nullopt;
    const QString id = fileName.mid(8, fileName.size() - 8 - 6);
    if (!validId(id))
        return std::nullopt;
    return id;
}

Schedule Schedule::of(const QString& id, const QString& calendar, const TEinst& options, const QString& presetName)
{
    Schedule schedule;
    schedule.id = id;
    schedule.calendar = calendar;
    // The run starts by itself when the timer starts the program, whatever the set says.
    schedule.arguments = SplitParameters(BuildCommandLine(options));
    schedule.arguments.removeAll(QStringLiteral("-A"));
    schedule.arguments.prepend(QStringLiteral("-A"));
    const QString action = actionName(options.GetAktion());
    const QString name = presetName.simplified();
    const QString what = name.isEmpty() || action.isEmpty() ? QString(name + action) : QString(name + QStringLiteral(" – ") + action);
    schedule.description = QStringLiteral("Kelvaro: ") + what;
    return schedule;
}

QString Schedule::calendarFor(const QList<int>& days, QTime time)
{
    bool on[7] = {};
    int count = 0;
    for (int day : days) {
        if (day >= 1 && day <= 7 && !on[day - 1]) {
            on[day - 1] = true;
            ++count;
        }
    }
    QStringList parts;
    // Runs of three or more days are written as a range, as people write them.
    for (int first = 0; first < 7 && count > 0 && count < 7;) {
        if (!on[first]) {
            ++first;
            continue;
        }
        int last = first;
        while (last + 1 < 7 && on[last + 1])
            ++last;
        if (last - first >= 2)
            parts << weekdayNames()[first] + QStringLiteral("..") + weekdayNames()[last];
        else
            for (int day = first; day <= last; ++day)
                parts << weekdayNames()[day];
        first = last + 1;
    }
    const QString when = QStringLiteral("*-*-* ") + time.toString(QStringLiteral("HH:mm:ss"));
    return parts.isEmpty() ? when : parts.join(QLatin1Char(',')) + QLatin1Char(' ') + when;
}

QString Schedule::timerText() const
{
    // Persistent=false: a night's shutdown that the machine slept through must not come at the next boot.
    return QStringLiteral("[Unit]\nDescription=") + unitValue(description) +
           QStringLiteral("\n\n[Timer]\nOnCalendar=") + unitValue(calendar) + QStringLiteral("\nAccuracySec=1s\n") +
           QStringLiteral("Persistent=false\nUnit=") + serviceName(id) +
           QStringLiteral("\n\n[Install]\nWantedBy=timers.target\n");
}

std::optional<QString> Schedule::serviceText(const QString& programPath) const
{
    if (hasControlCharacter(programPath))
        return std::nullopt;
    QString command = quoteUnitWord(programPath);
    for (const QString& argument : arguments) {
        if (hasControlCharacter(argument))
            return std::nullopt;
        command += QLatin1Char(' ') + quoteUnitWord(argument);
    }
    // The program needs the desktop: it starts within the graphical session and ends with it.
    return QStringLiteral("[Unit]\nDescription=") + unitValue(description) +
           QStringLiteral("\nAfter=graphical-session.target\nPartOf=graphical-session.target\n\n[Service]\n"
                          "Type=exec\nExecStart=") +
           command + QLatin1Char('\n');
}

std::optional<Schedule> Schedule::parse(const QString& id, const QString& timerText, const QString& serviceText)
{
    const std::optional<QString> description = valueOf(timerText, QStringLiteral("Description"));
    const std::optional<QString> calendar = valueOf(timerText, QStringLiteral("OnCalendar"));
    const std::optional<QString> exec = valueOf(serviceText, QStringLiteral("ExecStart"));
    if (!validId(id) || !description || !calendar || !exec)
        return std::nullopt;
    std::optional<QStringList> words = unquoteWords(*exec);
    if (!words || words->isEmpty())
        return std::nullopt;
    Schedule schedule;
    schedule.id = id;
    schedule.calendar = QString(*calendar).replace(QStringLiteral("%%"), QStringLiteral("%"));
    schedule.description = QString(*description).replace(QStringLiteral("%%"), QStringLiteral("%"));
    words->removeFirst();
    schedule.arguments = *words;
    return schedule;
}

QString quoteUnitWord(const QString& word)
{
    QString result = QStringLiteral("\"");
    for (const QChar c : word) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            result += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('%') || c == QLatin1Char('$'))
            result += c + c;
        else
            result += c;
    }
    return result + QLatin1Char('"');
}

} // namespace kelvaro
