#include "platform/DBusRemoteControl.h"

#include "platform/DBusCalls.h"

#include <QDBusMessage>
#include <QVariantMap>

namespace kelvaro {

namespace {

QString errorName(const char* name)
{
    return DBusRemoteControl::interfaceName() + QStringLiteral(".Error.") + QLatin1String(name);
}

} // namespace

std::optional<qint64> DBusRemoteControl::pidOf(const QString& serviceName)
{
    if (!serviceName.startsWith(servicePrefix()))
        return std::nullopt;
    const QStringView digits = QStringView(serviceName).sliced(servicePrefix().size());
    bool ok = false;
    const qint64 pid = digits.toLongLong(&ok);
    if (!ok || pid <= 0 || digits.startsWith(u'+') || digits.startsWith(u'0'))
        return std::nullopt;
    return pid;
}

DBusRemoteControl::DBusRemoteControl(Handlers handlers, QObject* parent)
    : QObject(parent), m_handlers(std::move(handlers))
{}

DBusRemoteControl::~DBusRemoteControl()
{
    if (m_bus)
        m_bus->unregisterObject(objectPath());
}

bool DBusRemoteControl::offer(const QDBusConnection& bus, qint64 pid)
{
    if (!bus.isConnected())
        return false;
    m_bus = bus;
    const QString name = servicePrefix() + QString::number(pid);
    if (!m_bus->registerObject(objectPath(), this,
                               QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableProperties) ||
        !m_bus->registerService(name)) {
        DBusCalls::report(
            QStringLiteral("Der Sitzungsbus verweigert den Namen %1: %2").arg(name, m_bus->lastError().message()));
        m_bus->unregisterObject(objectPath());
        m_bus.reset();
        return false;
    }
    return true;
}

void DBusRemoteControl::publish(const RemoteState& state)
{
    if (state == m_state)
        return;
    const RemoteState before = m_state;
    m_state = state;

    QVariantMap changed;
    if (before.run != state.run)
        changed.insert(QStringLiteral("State"), this->state());
    if (before.action != state.action)
        changed.insert(QStringLiteral("Action"), action());
    if (before.startMs != state.startMs)
        changed.insert(QStringLiteral("StartTime"), startTime());
    if (before.endMs != state.endMs)
        changed.insert(QStringLiteral("EndTime"), endTime());
    if (before.message != state.message)
        changed.insert(QStringLiteral("Message"), message());
    if (before.preset != state.preset)
        changed.insert(QStringLiteral("Preset"), preset());
    if (!m_bus || changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(objectPath(), QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << interfaceName() << changed << QStringList();
    m_bus->send(signal);
}

void DBusRemoteControl::refuse(const QString& error, const QString& text)
{
    if (calledFromDBus())
        sendErrorReply(error, text);
}

void DBusRemoteControl::Start()
{
    if (!m_handlers.start())
        refuse(errorName("Running"), tr("Es läuft schon ein Timer."));
}

void DBusRemoteControl::Stop()
{
    if (!m_handlers.stop())
        refuse(errorName("NotRunning"), tr("Es läuft kein Timer."));
}

void DBusRemoteControl::Postpone(uint seconds)
{
    if (seconds == 0)
        refuse(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"),
               tr("Um 0 Sekunden lässt sich nichts verschieben."));
    else if (!m_handlers.postpone(static_cast<qint64>(seconds) * 1000))
        refuse(errorName("NotPostponable"),
               tr("Nur ein laufender Countdown oder ein Lauf bis zu einer Uhrzeit lässt sich verschieben."));
}

void DBusRemoteControl::Show()
{
    m_handlers.show();
}

void DBusRemoteControl::Quit()
{
    m_handlers.quit();
}

} // namespace kelvaro
