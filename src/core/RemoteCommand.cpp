#include "core/RemoteCommand.h"

#include <QCoreApplication>

#include <array>
#include <limits>
#include <utility>

namespace kelvaro {

namespace {

using Verb = RemoteCommand::Verb;

const std::array<std::pair<Verb, QLatin1String>, 6> kPlainVerbs{{
    {Verb::List, QLatin1String("--list")},
    {Verb::Stop, QLatin1String("--stop")},
    {Verb::Show, QLatin1String("--show")},
    {Verb::Watch, QLatin1String("--watch")},
    {Verb::Help, QLatin1String("--help")},
    {Verb::Version, QLatin1String("--version")},
}};
constexpr QLatin1String kPostpone("--postpone");
constexpr QLatin1String kPid("--pid");
constexpr QLatin1String kJson("--json");

// The longest postponement whose seconds the bus method still takes (32 bits).
constexpr quint64 kMaxPostponeMinutes = std::numeric_limits<quint32>::max() / 60;

/** The name of an option up to its "=", and whether it has one. */
QStringView optionName(const QString& argument)
{
    const qsizetype equals = argument.indexOf(u'=');
    return equals < 0 ? QStringView(argument) : QStringView(argument).first(equals);
}

/** A whole number written in decimal digits only, from 1 to `max`. */
std::optional<quint64> positiveNumber(QStringView text, quint64 max)
{
    if (text.isEmpty() || text.size() > 19)
        return std::nullopt;
    quint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + static_cast<quint64>(c.unicode() - u'0');
    }
    if (value == 0 || value > max)
        return std::nullopt;
    return value;
}

QString verbName(Verb verb)
{
    if (verb == Verb::Postpone)
        return kPostpone;
    for (const auto& [value, name] : kPlainVerbs)
        if (value == verb)
            return name;
    return {};
}

} // namespace

bool RemoteCommand::isCommand(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        const QStringView name = optionName(argument);
        if (name == kPostpone || name == kPid || argument == kJson)
            return true;
        for (const auto& [verb, verbText] : kPlainVerbs)
            if (argument == verbText)
                return true;
    }
    return false;
}

RemoteCommand RemoteCommand::parse(const QStringList& arguments)
{
    RemoteCommand command;
    std::optional<Verb> verb;
    const auto refuse = [&command](const QString& reason) {
        if (command.usageError.isEmpty())
            command.usageError = reason;
    };
    const auto takeVerb = [&](Verb given) {
        if (verb && *verb != given)
            refuse(QCoreApplication::translate("RemoteCommand", "Nur ein Befehl auf einmal: %1 und %2.")
                       .arg(verbName(*verb), verbName(given)));
        verb = given;
    };

    for (const QString& argument : arguments) {
        const QStringView name = optionName(argument);
        const QStringView value = QStringView(argument).sliced(std::min(name.size() + 1, argument.size()));
        if (argument == kJson) {
            command.json = true;
        } else if (name == kPid) {
            const std::optional<quint64> pid = positiveNumber(value, std::numeric_limits<qint32>::max());
            if (!pid)
                refuse(QCoreApplication::translate("RemoteCommand", "--pid= braucht eine Prozessnummer, nicht \"%1\".")
                           .arg(value));
            else if (command.pid && *command.pid != static_cast<qint64>(*pid))
                refuse(QCoreApplication::translate("RemoteCommand", "Nur eine Prozessnummer auf einmal."));
            else
                command.pid = static_cast<qint64>(*pid);
        } else if (name == kPostpone) {
            takeVerb(Verb::Postpone);
            const std::optional<quint64> minutes = positiveNumber(value, kMaxPostponeMinutes);
            if (!minutes)
                refuse(QCoreApplication::translate(
                           "RemoteCommand", "--postpone= braucht eine Zahl von Minuten größer als 0, nicht \"%1\".")
                           .arg(value));
            else
                command.postponeSeconds = static_cast<quint32>(*minutes * 60);
        } else {
            bool known = false;
            for (const auto& [plain, text] : kPlainVerbs)
                if (argument == text) {
                    takeVerb(plain);
                    known = true;
                }
            if (!known)
                refuse(QCoreApplication::translate("RemoteCommand", "Unbekannte Angabe: %1").arg(argument));
        }
    }

    if (!verb) {
        refuse(QCoreApplication::translate("RemoteCommand", "Kein Befehl angegeben."));
        return command;
    }
    command.verb = *verb;
    if (command.json && *verb != Verb::List && *verb != Verb::Watch)
        refuse(QCoreApplication::translate("RemoteCommand", "--json gilt nur für --list und --watch."));
    if (command.pid && (*verb == Verb::List || *verb == Verb::Help || *verb == Verb::Version))
        refuse(QCoreApplication::translate("RemoteCommand", "--pid= gilt nicht für %1.").arg(verbName(*verb)));
    return command;
}

QString RemoteCommand::usage()
{
    return QCoreApplication::translate("RemoteCommand", "Aufruf: kelvaro --list [--json]\n"
                                                        "       kelvaro --stop [--pid=<PID>]\n"
                                                        "       kelvaro --postpone=<Minuten> [--pid=<PID>]\n"
                                                        "       kelvaro --show [--pid=<PID>]\n"
                                                        "       kelvaro --watch [--json] [--pid=<PID>]\n"
                                                        "       kelvaro --help | --version");
}

RemoteTarget RemoteTarget::choose(const RemoteCommand& command, const QList<RemoteInstance>& instances)
{
    RemoteTarget target;
    if (command.pid) {
        for (const RemoteInstance& instance : instances)
            if (instance.pid == *command.pid) {
                target.outcome = Outcome::Chosen;
                target.candidates = {instance};
                return target;
            }
        target.outcome = instances.isEmpty() ? Outcome::NoProgram : Outcome::NoSuchPid;
        return target;
    }
    if (instances.isEmpty())
        return target;

    for (const RemoteInstance& instance : instances) {
        const bool applies = command.verb == Verb::Postpone ? instance.state.timed() : instance.state.active();
        if (applies)
            target.candidates.append(instance);
    }
    if (target.candidates.isEmpty() && command.verb == Verb::Show && instances.size() == 1)
        target.candidates = instances;

    if (target.candidates.isEmpty())
        target.outcome = Outcome::NoRun;
    else if (target.candidates.size() > 1)
        target.outcome = Outcome::Several;
    else
        target.outcome = Outcome::Chosen;
    return target;
}

} // namespace kelvaro
