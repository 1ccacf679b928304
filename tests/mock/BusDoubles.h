#pragma once

#include "mock/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <string>

namespace kelvaro::test {

/** logind's name and object on the system bus, where its double answers. */
inline const QString Login1 = QStringLiteral("org.freedesktop.login1");
inline const QString Login1Path = QStringLiteral("/org/freedesktop/login1");

/** Calls a method of a python3-dbusmock double's control interface (org.freedesktop.DBus.Mock) and
 *  returns its reply; a failing call fails the test. */
QDBusMessage callDouble(QDBusConnection bus, const QString& service, const QString& path, const QString& method,
                        const QList<QVariant>& arguments = {});

/** A method a double gets or has replaced: `code` is Python run by the double, "ret" its answer. */
struct MethodOverride
{
    QString name;
    QString inSignature;
    QString outSignature;
    QString code;
};

void addMethod(QDBusConnection bus, const QString& service, const QString& path, const QString& interface,
               const MethodOverride& method);

/** The calls a double received, as "Method(arg,...)" joined by "; ", keeping only the methods in
 *  `methods` (all of them when it is empty). A list of texts reads "[a,b]", a dictionary "{key=value,...}". */
std::string recordedCalls(QDBusConnection bus, const QString& service, const QString& path,
                          const QStringList& methods = {});

/**
 * The private buses of a test program: a system bus and a session bus, each started by the first
 * test that asks for it, with the doubles started on it once and kept until the program ends.
 * Every test resets the doubles it uses (`reset`). A test program whose tests use the buses runs as
 * one process (kelvaro_add_bus_test in tests/CMakeLists.txt), so the buses start once per program.
 */
class TestBuses
{
public:
    enum Which { System, Session };

    static TestBuses& instance();

    /** Why the buses cannot run here (a missing program), or an empty text. */
    QString missingTools();
    /** The bus, started now unless it runs already; nullptr (and a test failure) when it cannot start. */
    PrivateBus* bus(Which which);
    /** Starts `python3 -m dbusmock <mockArguments>` on the bus unless a double of that `name` runs on it
     *  already; false (and a test failure) when it did not come up. */
    bool ensureDouble(Which which, const QStringList& mockArguments, const QString& name);
    /** Stops a double again, so that its name is free on the bus; nothing when it does not run. */
    void stopDouble(Which which, const QString& name);
    /** Back to the double's template state with an empty call log. */
    static void reset(QDBusConnection bus, const QString& service, const QString& path);
    /** Ends every double and both buses. */
    void stopAll();

private:
    std::unique_ptr<PrivateBus> m_buses[2];
    std::optional<QString> m_missingTools;
};

} // namespace kelvaro::test
