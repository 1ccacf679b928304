#include "platform/DBusServiceWatch.h"

#include <QDBusConnection>

namespace kelvaro {

DBusServiceWatch::DBusServiceWatch(const QDBusConnection& bus, const QString& name, std::function<void()> changed)
    : m_watcher(name, bus, QDBusServiceWatcher::WatchForOwnerChange)
{
    QObject::connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, &m_watcher,
                     [changed = std::move(changed)] { changed(); });
}

} // namespace kelvaro
