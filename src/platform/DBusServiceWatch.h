#pragma once

#include <QDBusServiceWatcher>

#include <functional>

class QDBusConnection;

namespace kelvaro {

/** Reports every change of owner of a name on a bus: the service came, went or started anew. The bus
 *  sends only that name's changes, so the watch wakes the program for nothing else. */
class DBusServiceWatch
{
public:
    DBusServiceWatch(const QDBusConnection& bus, const QString& name, std::function<void()> changed);

private:
    QDBusServiceWatcher m_watcher;
};

} // namespace kelvaro
