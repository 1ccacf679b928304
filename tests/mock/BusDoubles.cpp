#include "mock/BusDoubles.h"

#include <QDBusArgument>
#include <QDBusVariant>

#include <gtest/gtest.h>

namespace kelvaro::test {

namespace {

const QString MockInterface = QStringLiteral("org.freedesktop.DBus.Mock");

QString describe(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::UChar:
        return QString::number(value.value<uchar>());
    case QMetaType::QStringList:
        return u'[' + value.toStringList().join(u',') + u']';
    default:
        break;
    }
    if (!value.canConvert<QDBusArgument>())
        return value.toString();
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a{sv}"))
        return QStringLiteral("<%1>").arg(argument.currentSignature());
    QVariantMap map;
    argument >> map;
    QStringList entries;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        entries << it.key() + u'=' + describe(it.value());
    return u'{' + entries.join(u',') + u'}';
}

/** Stops the buses when the test program ends, so no daemon or double outlives it. */
class StopBuses : public ::testing::Environment
{
public:
    void TearDown() override { TestBuses::instance().stopAll(); }
};

[[maybe_unused]] ::testing::Environment* const StopBusesAtExit = ::testing::AddGlobalTestEnvironment(new StopBuses);

} // namespace

QDBusMessage callDouble(QDBusConnection bus, const QString& service, const QString& path, const QString& method,
                        const QList<QVariant>& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, MockInterface, method);
    call.setArguments(arguments);
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << qPrintable(method + u' ' + reply.errorMessage());
    return reply;
}

void addMethod(QDBusConnection bus, const QString& service, const QString& path, const QString& interface,
               const MethodOverride& method)
{
    callDouble(bus, service, path, QStringLiteral("AddMethod"),
               {interface, method.name, method.inSignature, method.outSignature, method.code});
}

std::string recordedCalls(QDBusConnection bus, const QString& service, const QString& path, const QStringList& methods)
{
    const QDBusMessage reply = callDouble(bus, service, path, QStringLiteral("GetCalls"));
    if (reply.arguments().isEmpty())
        return {};
    QStringList recorded;
    const auto calls = reply.arguments().constFirst().value<QDBusArgument>();
    calls.beginArray();
    while (!calls.atEnd()) {
        quint64 time = 0;
        QString name;
        QStringList arguments;
        calls.beginStructure();
        calls >> time >> name;
        calls.beginArray();
        while (!calls.atEnd()) {
            QDBusVariant argument;
            calls >> argument;
            arguments << describe(argument.variant());
        }
        calls.endArray();
        calls.endStructure();
        if (methods.isEmpty() || methods.contains(name))
            recorded << name + u'(' + arguments.join(u',') + u')';
    }
    calls.endArray();
    return recorded.join(QStringLiteral("; ")).toStdString();
}

TestBuses& TestBuses::instance()
{
    static TestBuses buses;
    return buses;
}

QString TestBuses::missingTools()
{
    if (!m_missingTools)
        m_missingTools = PrivateBus::missingTools();
    return *m_missingTools;
}

PrivateBus* TestBuses::bus(Which which)
{
    std::unique_ptr<PrivateBus>& bus = m_buses[which];
    if (!bus) {
        bus = std::make_unique<PrivateBus>();
        if (!bus->start()) {
            ADD_FAILURE() << qPrintable(bus->error());
            bus.reset();
        }
    }
    return bus.get();
}

bool TestBuses::ensureDouble(Which which, const QStringList& mockArguments, const QString& name)
{
    PrivateBus* const daemon = bus(which);
    if (!daemon)
        return false;
    if (daemon->hasMock(name))
        return true;
    if (daemon->startMock(mockArguments, name))
        return true;
    ADD_FAILURE() << qPrintable(daemon->error());
    return false;
}

void TestBuses::stopDouble(Which which, const QString& name)
{
    if (m_buses[which])
        m_buses[which]->stopMock(name);
}

void TestBuses::reset(QDBusConnection bus, const QString& service, const QString& path)
{
    callDouble(bus, service, path, QStringLiteral("Reset"));
    callDouble(bus, service, path, QStringLiteral("ClearCalls"));
}

void TestBuses::stopAll()
{
    for (std::unique_ptr<PrivateBus>& bus : m_buses)
        bus.reset();
}

} // namespace kelvaro::test
