#include "platform/SystemdUserManager.h"

#include "platform/DBusCalls.h"

#include <QCoreApplication>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QStandardPaths>

namespace kelvaro {

namespace {

const QString Service = QStringLiteral("org.freedesktop.systemd1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/systemd1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.systemd1.Manager");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

QDBusMessage managerCall(const QString& method, const QList<QVariant>& arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(Service, ManagerPath, ManagerInterface, method);
    call.setArguments(arguments);
    return call;
}

std::optional<QVariant> property(const QDBusConnection& bus, const QString& path, const QString& interface,
                                 const QString& name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(Service, path, Properties, QStringLiteral("Get"));
    get << interface << name;
    const QDBusMessage reply = DBusCalls::call(bus, get, DBusCalls::QueryTimeoutMs);
    if (!DBusCalls::succeeded(reply) || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

} // namespace

SystemdUserManager::SystemdUserManager(QDBusConnection sessionBus)
    : SystemdUserManager(BusConnector([sessionBus] { return sessionBus; }))
{}

SystemdUserManager::SystemdUserManager(BusConnector sessionBus) : m_connect(std::move(sessionBus)) {}

QDBusConnection& SystemdUserManager::bus()
{
    if (!m_bus)
        m_bus.emplace(m_connect());
    return *m_bus;
}

QString SystemdUserManager::unitFolder()
{
    // GenericConfigLocation is $XDG_CONFIG_HOME, else ~/.config: where the user manager looks first.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("systemd/user"));
}

bool SystemdUserManager::available()
{
    return bus().isConnected() && DBusCalls::nameHasOwner(bus(), Service);
}

ServiceManager::Error SystemdUserManager::call(const QString& method, const QList<QVariant>& arguments,
                                               const QString& harmlessError)
{
    const QDBusMessage reply = DBusCalls::call(bus(), managerCall(method, arguments), DBusCalls::ActionTimeoutMs);
    if (DBusCalls::succeeded(reply) || (!harmlessError.isEmpty() && reply.errorName() == harmlessError))
        return std::nullopt;
    DBusCalls::report(QStringLiteral("systemd ") + method + QStringLiteral(": ") + DBusCalls::errorText(reply));
    if (!bus().isConnected())
        return QCoreApplication::translate("SystemdUserManager", "Der Sitzungsbus ist nicht erreichbar.");
    //: %1 is what the user's service manager (systemd) answered, %2 the request.
    return QCoreApplication::translate("SystemdUserManager", "systemd lehnt %2 ab: %1")
        .arg(reply.errorMessage().simplified(), method);
}

ServiceManager::Error SystemdUserManager::reload()
{
    return call(QStringLiteral("Reload"), {});
}

ServiceManager::Error SystemdUserManager::enable(const QStringList& units)
{
    // Not only for this boot (runtime false); links that exist already are replaced (force true).
    return call(QStringLiteral("EnableUnitFiles"), {units, false, true});
}

ServiceManager::Error SystemdUserManager::disable(const QStringList& units)
{
    return call(QStringLiteral("DisableUnitFiles"), {units, false});
}

ServiceManager::Error SystemdUserManager::start(const QString& unit)
{
    return call(QStringLiteral("StartUnit"), {unit, QStringLiteral("replace")});
}

ServiceManager::Error SystemdUserManager::stop(const QString& unit)
{
    // A timer the manager has not loaded is stopped already.
    return call(QStringLiteral("StopUnit"), {unit, QStringLiteral("replace")},
                QStringLiteral("org.freedesktop.systemd1.NoSuchUnit"));
}

std::optional<ServiceManager::TimerState> SystemdUserManager::timerState(const QString& unit)
{
    const QDBusMessage reply =
        DBusCalls::call(bus(), managerCall(QStringLiteral("GetUnit"), {unit}), DBusCalls::QueryTimeoutMs);
    if (!DBusCalls::succeeded(reply) || reply.arguments().isEmpty())
        return std::nullopt;
    const QString path = reply.arguments().constFirst().value<QDBusObjectPath>().path();
    TimerState state;
    if (const auto active = property(bus(), path, QStringLiteral("org.freedesktop.systemd1.Unit"),
                                     QStringLiteral("ActiveState")))
        state.active = active->toString() == QLatin1String("active");
    if (const auto next = property(bus(), path, QStringLiteral("org.freedesktop.systemd1.Timer"),
                                   QStringLiteral("NextElapseUSecRealtime")))
        state.nextElapseUs = next->toULongLong();
    return state;
}

} // namespace kelvaro
