#include "platform/ScheduleVerbs.h"

#include "core/CommandLine.h"
#include "core/MessageBoxes.h"
#include "core/ScheduleBook.h"
#include "core/TEinst.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#include <functional>

namespace kelvaro::ScheduleVerbs {

namespace {

const QString Schedule_ = QStringLiteral("--schedule=");
const QString Schedules = QStringLiteral("--schedules");
const QString Unschedule = QStringLiteral("--unschedule=");

enum Exit { Done = 0, Refused = 1, Invalid = 2 };

/** Boxes that are lines on standard error: the command line's refusal reaches the terminal. */
class StreamBoxes : public MessageBoxes
{
public:
    explicit StreamBoxes(QTextStream& err) : m_err(err) {}
    void show(Kind, const QString& text) override { showError({}, text); }
    bool askYesNo(const QString& text) override
    {
        showError({}, text);
        return false;
    }
    void showError(const QString&, const QString& text) override
    {
        m_err << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).remove(u'\r') << Qt::endl;
    }

private:
    QTextStream& m_err;
};

QString nextRun(const std::optional<ServiceManager::TimerState>& state)
{
    if (!state || state->nextElapseUs == 0)
        return QString();
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(state->nextElapseUs / 1000))
        .toOffsetFromUtc(QDateTime::currentDateTime().offsetFromUtc())
        .toString(Qt::ISODate);
}

int list(ScheduleBook& book, ServiceManager& manager, bool json, QTextStream& out)
{
    QJsonArray array;
    for (const Schedule& schedule : book.schedules()) {
        const std::optional<ServiceManager::TimerState> state = manager.timerState(Schedule::timerName(schedule.id));
        const QString next = nextRun(state);
        if (json) {
            array.append(QJsonObject{{QStringLiteral("id"), schedule.id},
                                     {QStringLiteral("calendar"), schedule.calendar},
                                     {QStringLiteral("description"), schedule.description},
                                     {QStringLiteral("arguments"), QJsonArray::fromStringList(schedule.arguments)},
                                     {QStringLiteral("next"), next.isEmpty() ? QJsonValue() : QJsonValue(next)},
                                     {QStringLiteral("active"), state && state->active}});
        } else {
            out << schedule.id << u'\t' << schedule.calendar << u'\t' << (next.isEmpty() ? QStringLiteral("-") : next)
                << u'\t' << (state && state->active ? QCoreApplication::translate("ScheduleVerbs", "aktiv") : QCoreApplication::translate("ScheduleVerbs", "inaktiv")) << u'\t' << schedule.description
                << Qt::endl;
        }
    }
    if (json)
        out << QJsonDocument(array).toJson(QJsonDocument::Compact) << Qt::endl;
    return Done;
}

} // namespace

bool isScheduleVerb(const QStringList& arguments)
{
    return !arguments.isEmpty() && (arguments.constFirst().startsWith(Schedule_) ||
                                    arguments.constFirst() == Schedules || arguments.constFirst().startsWith(Unschedule));
}

int run(const QStringList& arguments, ServiceManager& manager, const QString& folder, const QString& programPath,
        const std::function<std::optional<QString>(const QString&)>& calendarCheck, QTextStream& out,
        QTextStream& err)
{
    const QString verb = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    // Usage errors come before any question to the service manager.
    if (verb == Schedules && !(rest.isEmpty() || rest == QStringList{QStringLiteral("--json")})) {
        err << QCoreApplication::translate("ScheduleVerbs", "Aufruf: kelvaro --schedules [--json]") << Qt::endl;
        return Invalid;
    }
    if (verb.startsWith(Unschedule) && (!rest.isEmpty() || !Schedule::validId(verb.mid(Unschedule.size())))) {
        err << QCoreApplication::translate("ScheduleVerbs", "Aufruf: kelvaro --unschedule=<Nummer>") << Qt::endl;
        return Invalid;
    }
    TEinst options;
    const QString calendar = verb.startsWith(Schedule_) ? verb.mid(Schedule_.size()).trimmed() : QString();
    if (verb.startsWith(Schedule_)) {
        if (calendar.isEmpty()) {
            err << QCoreApplication::translate("ScheduleVerbs", "Aufruf: kelvaro --schedule=<Kalenderausdruck> <Parameter>") << Qt::endl;
            return Invalid;
        }
        if (const std::optional<QString> refusal = calendarCheck(calendar)) {
            err << QCoreApplication::translate("ScheduleVerbs", "Ungültiger Kalenderausdruck \"%1\": %2").arg(calendar, *refusal) << Qt::endl;
            return Invalid;
        }
        StreamBoxes boxes(err);
        const QStringList switches = ParametersFromArguments(QStringList{QString()} + rest);
        if (switches.isEmpty()) {
            err << QCoreApplication::translate("ScheduleVerbs", "Aufruf: kelvaro --schedule=<Kalenderausdruck> <Parameter>") << Qt::endl;
            return Invalid;
        }
        if (!ParseCommandLine(options, switches, boxes))
            return Invalid;
    }

    if (!manager.available()) {
        err << QCoreApplication::translate("ScheduleVerbs", "Die Benutzerinstanz von systemd ist nicht erreichbar.") << Qt::endl;
        return Refused;
    }
    ScheduleBook book(folder, manager);
    if (verb == Schedules)
        return list(book, manager, rest.contains(QStringLiteral("--json")), out);

    const Schedule schedule = Schedule::of(book.freeId(), calendar, options);
    const ScheduleBook::Error error =
        verb.startsWith(Unschedule) ? book.remove(verb.mid(Unschedule.size())) : book.add(schedule, programPath);
    if (error) {
        err << *error << Qt::endl;
        return Refused;
    }
    // The new schedule's number, for --unschedule.
    if (verb.startsWith(Schedule_))
        out << schedule.id << Qt::endl;
    return Done;
}

std::optional<QString> systemdCalendarCheck(const QString& calendar)
{
    const QString analyze = QStandardPaths::findExecutable(QStringLiteral("systemd-analyze"));
    if (analyze.isEmpty())
        return std::nullopt; // the service manager refuses it when it loads the timer
    QProcess process;
    process.start(analyze, {QStringLiteral("calendar"), calendar});
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    if (process.exitCode() == 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardError()).trimmed();
}

} // namespace kelvaro::ScheduleVerbs
