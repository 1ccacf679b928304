#include "platform/RemoteClient.h"

#include "core/RemoteReport.h"
#include "platform/DBusCalls.h"
#include "platform/DBusRemoteControl.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonDocument>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace kelvaro {

namespace {

using Verb = RemoteCommand::Verb;

constexpr int kExitDone = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void out(const QString& line)
{
    print(stdout, line);
}

void err(const QString& line)
{
    print(stderr, QStringLiteral("kelvaro: ") + line);
}

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

/** A path as a value of a D-Bus address: bytes outside a small safe set are escaped as %XX. */
QString addressValue(const QString& path)
{
    QString escaped;
    for (const char c : path.toUtf8()) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_' || c == '/' || c == '.' || c == '\\' || c == '*';
        escaped += safe ? QString(QLatin1Char(c))
                        : QStringLiteral("%%1").arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0'));
    }
    return escaped;
}

/** The session bus: its address from the environment, else the user's bus in XDG_RUNTIME_DIR (a
 *  login over ssh has the folder but no address). */
QDBusConnection sessionBus()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString userBus = runtime + QStringLiteral("/bus");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") && !runtime.isEmpty() && QFileInfo::exists(userBus))
        return QDBusConnection::connectToBus(QStringLiteral("unix:path=") + addressValue(userBus),
                                             QStringLiteral("kelvaro-remote"));
    return QDBusConnection::sessionBus();
}

QDBusMessage methodCall(const QString& service, const QString& interface, const QString& method)
{
    return QDBusMessage::createMethodCall(service, DBusRemoteControl::objectPath(), interface, method);
}

/** The state a program shows, read from its properties; nothing when it does not answer. */
std::optional<RemoteState> readState(const QDBusConnection& bus, const QString& service)
{
    QDBusMessage call =
        methodCall(service, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    call << DBusRemoteControl::interfaceName();
    const QDBusReply<QVariantMap> reply = DBusCalls::call(bus, call, DBusCalls::QueryTimeoutMs);
    if (!reply.isValid())
        return std::nullopt;
    const QVariantMap values = reply.value();
    RemoteState state;
    state.run =
        RemoteState::runFromName(values.value(QStringLiteral("State")).toString()).value_or(RemoteState::Run::Idle);
    state.action = RemoteState::actionFromName(values.value(QStringLiteral("Action")).toString()).value_or(0xff);
    state.startMs = values.value(QStringLiteral("StartTime")).toLongLong() / 1000;
    state.endMs = values.value(QStringLiteral("EndTime")).toLongLong() / 1000;
    state.message = values.value(QStringLiteral("Message")).toString();
    state.preset = values.value(QStringLiteral("Preset")).toString();
    return state;
}

/** Every program on the bus, by process number. */
QList<RemoteInstance> instances(const QDBusConnection& bus)
{
    QList<RemoteInstance> found;
    const QDBusReply<QStringList> names = bus.interface()->registeredServiceNames();
    for (const QString& name : names.value()) {
        const std::optional<qint64> pid = DBusRemoteControl::pidOf(name);
        if (!pid)
            continue;
        if (const std::optional<RemoteState> state = readState(bus, name))
            found.append({*pid, *state});
    }
    std::sort(found.begin(), found.end(),
              [](const RemoteInstance& a, const RemoteInstance& b) { return a.pid < b.pid; });
    return found;
}

int list(const QDBusConnection& bus, const RemoteCommand& command)
{
    const QList<RemoteInstance> found = instances(bus);
    if (command.json)
        out(QString::fromUtf8(QJsonDocument(RemoteReport::listJson(found, now())).toJson(QJsonDocument::Compact)));
    else if (found.isEmpty())
        out(QCoreApplication::translate("RemoteClient", "Es läuft kein Kelvaro."));
    else
        for (const QString& line : RemoteReport::listLines(found, now()))
            out(line);
    return kExitDone;
}

/** Tells why no program was chosen. */
int notChosen(const RemoteCommand& command, const RemoteTarget& target)
{
    switch (target.outcome) {
    case RemoteTarget::Outcome::Chosen:
        return kExitDone;
    case RemoteTarget::Outcome::NoProgram:
        err(QCoreApplication::translate("RemoteClient", "Es läuft kein Kelvaro."));
        break;
    case RemoteTarget::Outcome::NoSuchPid:
        err(QCoreApplication::translate("RemoteClient", "Kein Kelvaro hat die Prozessnummer %1.").arg(*command.pid));
        break;
    case RemoteTarget::Outcome::NoRun:
        err(command.verb == Verb::Postpone
                ? QCoreApplication::translate("RemoteClient",
                                              "Kein Kelvaro hat einen Countdown oder einen Lauf bis zu einer Uhrzeit.")
                : QCoreApplication::translate("RemoteClient", "Kein Kelvaro hat einen laufenden Timer."));
        break;
    case RemoteTarget::Outcome::Several:
        err(QCoreApplication::translate("RemoteClient",
                                        "Mehrere Kelvaro kommen in Frage; wählen Sie einen mit --pid=<PID>:"));
        for (const QString& line : RemoteReport::listLines(target.candidates, now()))
            print(stderr, line);
        break;
    }
    return kExitRefused;
}

int act(const QDBusConnection& bus, const RemoteCommand& command)
{
    const RemoteTarget target = RemoteTarget::choose(command, instances(bus));
    if (target.outcome != RemoteTarget::Outcome::Chosen)
        return notChosen(command, target);
    const qint64 pid = target.candidates.first().pid;
    const QString service = DBusRemoteControl::servicePrefix() + QString::number(pid);

    const QString method = command.verb == Verb::Stop       ? QStringLiteral("Stop")
                           : command.verb == Verb::Postpone ? QStringLiteral("Postpone")
                                                            : QStringLiteral("Show");
    QDBusMessage call = methodCall(service, DBusRemoteControl::interfaceName(), method);
    if (command.verb == Verb::Postpone)
        call << command.postponeSeconds;
    const QDBusMessage reply = DBusCalls::call(bus, call, DBusCalls::ActionTimeoutMs);
    if (!DBusCalls::succeeded(reply)) {
        if (reply.errorName().startsWith(DBusRemoteControl::interfaceName()))
            err(QCoreApplication::translate("RemoteClient", "Kelvaro %1 lehnt ab: %2")
                    .arg(pid)
                    .arg(reply.errorMessage()));
        else
            err(QCoreApplication::translate("RemoteClient", "Kelvaro %1 ist nicht erreichbar: %2")
                    .arg(pid)
                    .arg(DBusCalls::errorText(reply)));
        return kExitRefused;
    }

    if (command.verb == Verb::Stop) {
        out(QCoreApplication::translate("RemoteClient", "Kelvaro %1: Timer angehalten.").arg(pid));
    } else if (command.verb == Verb::Postpone) {
        const std::optional<RemoteState> state = readState(bus, service);
        if (state && state->endMs != 0)
            out(QCoreApplication::translate("RemoteClient", "Kelvaro %1: Ende jetzt um %2, in %3.")
                    .arg(pid)
                    .arg(RemoteReport::moment(state->endMs, now()), RemoteReport::duration(state->endMs - now())));
    } else {
        out(QCoreApplication::translate("RemoteClient", "Kelvaro %1: Fenster angezeigt.").arg(pid));
    }
    return kExitDone;
}

} // namespace

/**
 * `--watch`: prints a line whenever a program comes, goes or changes its run, and whenever the
 * second shown changes while a run counts; a line the same as the one before is left out.
 */
class RemoteWatch : public QObject
{
    Q_OBJECT

public:
    RemoteWatch(const QDBusConnection& bus, const RemoteCommand& command) : m_bus(bus), m_command(command)
    {
        m_tick.setSingleShot(true);
        m_tick.setTimerType(Qt::PreciseTimer);
        connect(&m_tick, &QTimer::timeout, this, &RemoteWatch::show);
    }

    bool start()
    {
        const bool subscribed =
            m_bus.connect(QString(), DBusRemoteControl::objectPath(), QStringLiteral("org.freedesktop.DBus.Properties"),
                          QStringLiteral("PropertiesChanged"), this, SLOT(changed())) &&
            m_bus.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                          QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
                          SLOT(ownerChanged(QString, QString, QString)));
        if (subscribed)
            changed();
        return subscribed;
    }

private Q_SLOTS:
    void changed()
    {
        m_instances = instances(m_bus);
        if (m_command.pid)
            m_instances.removeIf([this](const RemoteInstance& instance) { return instance.pid != *m_command.pid; });
        show();
    }

    void ownerChanged(const QString& name, const QString&, const QString&)
    {
        if (DBusRemoteControl::pidOf(name))
            changed();
    }

private:
    void show()
    {
        const qint64 moment = now();
        const std::optional<RemoteInstance> shown = RemoteReport::shownRun(m_instances);
        const QString line =
            m_command.json
                ? QString::fromUtf8(QJsonDocument(RemoteReport::panel(shown, moment)).toJson(QJsonDocument::Compact))
                : RemoteReport::panelLine(shown, moment);
        if (!m_printed || line != m_last)
            out(line);
        m_last = line;
        m_printed = true;
        if (const std::optional<qint64> next = RemoteReport::nextChangeMs(shown, moment))
            m_tick.start(static_cast<int>(*next));
        else
            m_tick.stop();
    }

    QDBusConnection m_bus;
    RemoteCommand m_command;
    QList<RemoteInstance> m_instances;
    QTimer m_tick;
    QString m_last;
    bool m_printed = false;
};

int RemoteClient::run(const RemoteCommand& command, const Texts& texts)
{
    if (!command.usageError.isEmpty()) {
        err(command.usageError);
        print(stderr, RemoteCommand::usage());
        return kExitUsage;
    }
    if (command.verb == Verb::Help) {
        out(texts.help);
        return kExitDone;
    }
    if (command.verb == Verb::Version) {
        out(texts.version);
        return kExitDone;
    }

    const QDBusConnection bus = sessionBus();
    if (!bus.isConnected()) {
        err(QCoreApplication::translate("RemoteClient", "Keine Verbindung zum Sitzungsbus: %1")
                .arg(bus.lastError().message()));
        return kExitRefused;
    }
    if (command.verb == Verb::List)
        return list(bus, command);
    if (command.verb != Verb::Watch)
        return act(bus, command);

    RemoteWatch watch(bus, command);
    if (!watch.start()) {
        err(QCoreApplication::translate("RemoteClient", "Keine Verbindung zum Sitzungsbus: %1")
                .arg(bus.lastError().message()));
        return kExitRefused;
    }
    return QCoreApplication::exec();
}

} // namespace kelvaro

#include "RemoteClient.moc"
