#include "mock/PrivateBus.h"

#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>
#include <QUuid>

#include <sys/types.h>
#include <unistd.h>

#include <csignal>

namespace kelvaro::test {

namespace {

const QString DaemonProgram = QStringLiteral("/usr/bin/dbus-daemon");
// Debian's own interpreter: a python3 earlier on PATH may not see Debian's packages.
const QString PythonProgram = QStringLiteral("/usr/bin/python3");
constexpr int StartTimeoutMs = 10000;

void endGroup(QProcess& process)
{
    const qint64 pid = process.processId();
    if (process.state() == QProcess::NotRunning || pid <= 0)
        return;
    ::kill(-static_cast<pid_t>(pid), SIGTERM);
    if (!process.waitForFinished(3000)) {
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
        process.waitForFinished(3000);
    }
}

} // namespace

QString PrivateBus::logOf(const QString& name) const
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

PrivateBus::~PrivateBus()
{
    stop();
}

QString PrivateBus::missingTools()
{
    if (!QFileInfo(DaemonProgram).isExecutable())
        return QStringLiteral("dbus-daemon fehlt (Paket dbus-daemon)");
    QProcess probe;
    probe.start(PythonProgram, {QStringLiteral("-c"), QStringLiteral("import dbusmock, gi")});
    if (!probe.waitForFinished(StartTimeoutMs) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        return QStringLiteral("python3-dbusmock fehlt (Paket python3-dbusmock für /usr/bin/python3)");
    return {};
}

QProcess* PrivateBus::launch(const QString& program, const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    // A group of its own, so that stop() also reaches anything the process starts.
    process->setChildProcessModifier([] { ::setpgid(0, 0); });
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

bool PrivateBus::start(const QString& serviceFolder)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("kein temporärer Ordner");
        return false;
    }
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("Buskonfiguration nicht schreibbar");
        return false;
    }
    // No service folders but the test's own: nothing installed on the machine is started on demand.
    file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig>\n  <type>session</type>\n  <listen>unix:path=");
    file.write(QFile::encodeName(m_dir.filePath(QStringLiteral("bus"))));
    file.write("</listen>\n  <auth>EXTERNAL</auth>\n");
    if (!serviceFolder.isEmpty())
        file.write("  <servicedir>" + QFile::encodeName(serviceFolder) + "</servicedir>\n");
    file.write("  <policy context=\"default\">\n"
               "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
               "    <allow eavesdrop=\"true\"/>\n"
               "    <allow own=\"*\"/>\n"
               "  </policy>\n</busconfig>\n");
    file.close();

    QProcess* daemon = launch(DaemonProgram, {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                                              QStringLiteral("--print-address")});
    daemon->setStandardErrorFile(m_dir.filePath(QStringLiteral("dbus-daemon.log")));
    daemon->start();
    QDeadlineTimer deadline(StartTimeoutMs);
    while (!daemon->canReadLine() && daemon->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
    }
    m_address = QString::fromUtf8(daemon->readLine()).trimmed();
    if (m_address.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon lieferte keine Adresse: ") + logOf(QStringLiteral("dbus-daemon.log"));
        return false;
    }
    return true;
}

QDBusConnection PrivateBus::connection()
{
    if (m_connectionName.isEmpty())
        m_connectionName = QStringLiteral("kelvaro-test-") + QUuid::createUuid().toString(QUuid::Id128);
    return QDBusConnection::connectToBus(m_address, m_connectionName);
}

bool PrivateBus::startMock(const QStringList& arguments, const QString& name)
{
    QProcess* mock = launch(PythonProgram, QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock")} + arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_address);
    mock->setProcessEnvironment(environment);
    mock->setStandardOutputFile(QProcess::nullDevice()); // the mock logs every call there
    const QString log = QStringLiteral("mock-%1.log").arg(m_processes.size());
    mock->setStandardErrorFile(m_dir.filePath(log));
    mock->start();

    const QDBusConnection bus = connection();
    QDBusMessage question =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    question << name;
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!deadline.hasExpired() && mock->state() != QProcess::NotRunning) {
        const QDBusMessage reply = bus.call(question, QDBus::Block, 1000);
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool()) {
            m_mocks[name] = mock;
            return true;
        }
        QThread::msleep(20);
    }
    mock->kill();
    mock->waitForFinished(1000);
    m_error = QStringLiteral("dbusmock (%1) meldete sich nicht auf dem Bus: ").arg(name) + logOf(log);
    return false;
}

bool PrivateBus::hasMock(const QString& name) const
{
    const auto it = m_mocks.find(name);
    return it != m_mocks.end() && it->second->state() != QProcess::NotRunning;
}

void PrivateBus::stopMock(const QString& name)
{
    const auto it = m_mocks.find(name);
    if (it == m_mocks.end())
        return;
    endGroup(*it->second);
    m_mocks.erase(it);
    // The daemon frees the name once it has seen the connection close.
    QDBusMessage question =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    question << name;
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!deadline.hasExpired()) {
        const QDBusMessage reply = connection().call(question, QDBus::Block, 1000);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().value(0).toBool())
            return;
        QThread::msleep(10);
    }
}

void PrivateBus::stop()
{
    if (!m_connectionName.isEmpty()) {
        QDBusConnection::disconnectFromBus(m_connectionName);
        m_connectionName.clear();
    }
    // Mocks first, then the daemon they are connected to.
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it)
        endGroup(**it);
    m_processes.clear();
    m_mocks.clear();
}

} // namespace kelvaro::test
