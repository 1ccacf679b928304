#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <vector>

namespace kelvaro::test {

/**
 * A dbus-daemon of the test's own, in a temporary folder, with python3-dbusmock services on it.
 * Every process runs in a process group of its own, which stop() ends, so nothing is left behind.
 */
class PrivateBus
{
public:
    PrivateBus() = default;
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    /** Why the bus or its mocks cannot run here (a missing program), or an empty text. */
    static QString missingTools();

    /** Starts the daemon; false (with error()) when it did not come up. With `serviceFolder`, the
     *  bus starts the services whose files are there on demand; without, none. */
    bool start(const QString& serviceFolder = {});
    /** Starts `python3 -m dbusmock <arguments>` with this bus as session and system bus and waits
     *  until `name` has an owner; false (with error()) when it did not come up. */
    bool startMock(const QStringList& arguments, const QString& name);
    /** Whether a mock started for `name` runs. */
    bool hasMock(const QString& name) const;
    /** Ends the mock started for `name` and waits until its name is free; nothing when there is none. */
    void stopMock(const QString& name);
    /** Ends the mocks and the daemon and closes the connection. */
    void stop();

    QString address() const { return m_address; }
    QString error() const { return m_error; }
    /** A connection to this bus, opened at the first use. */
    QDBusConnection connection();

private:
    QProcess* launch(const QString& program, const QStringList& arguments);
    /** What a process wrote to its error log in the bus folder. */
    QString logOf(const QString& name) const;

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    std::map<QString, QProcess*> m_mocks; // by the bus name each mock owns
    QString m_address;
    QString m_connectionName;
    QString m_error;
};

} // namespace kelvaro::test
