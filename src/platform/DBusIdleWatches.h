#pragma once

// The watches behind DBusIdleClocks.h; they receive D-Bus signals through Qt's slots.
#include "core/IdleWatcher.h"
#include "core/TimerService.h"
#include "platform/DBusCalls.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QObject>
#include <QVariantMap>

#include <ctime>
#include <functional>
#include <memory>

namespace kelvaro::idle {

inline const QString MutterService = QStringLiteral("org.gnome.Mutter.IdleMonitor");
inline const QString MutterPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
inline const QString MutterInterface = QStringLiteral("org.gnome.Mutter.IdleMonitor");

inline const QString Login1 = QStringLiteral("org.freedesktop.login1");
inline const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
inline const QString SessionInterface = QStringLiteral("org.freedesktop.login1.Session");

/** One watch on Mutter's idle monitor. */
class MutterIdleWatch final : public QObject, public IdleWatch
{
    Q_OBJECT
public:
    MutterIdleWatch(const QDBusConnection& bus, qint64 thresholdMs, std::function<void(bool)> changed)
        : m_bus(bus), m_thresholdMs(thresholdMs), m_changed(std::move(changed))
    {}

    ~MutterIdleWatch() override
    {
        m_bus.disconnect(MutterService, MutterPath, MutterInterface, QStringLiteral("WatchFired"), this,
                         SLOT(watchFired(uint)));
        for (uint id : {m_idleWatch, m_activeWatch})
            if (id != 0) {
                QDBusMessage remove = call(QStringLiteral("RemoveWatch"));
                remove << id;
                m_bus.send(remove);
            }
    }

    bool start()
    {
        if (!m_bus.connect(MutterService, MutterPath, MutterInterface, QStringLiteral("WatchFired"), this,
                           SLOT(watchFired(uint))))
            return false;
        QDBusMessage add = call(QStringLiteral("AddIdleWatch"));
        add << quint64(m_thresholdMs);
        const QDBusMessage reply = DBusCalls::call(m_bus, add, DBusCalls::QueryTimeoutMs);
        if (!DBusCalls::succeeded(reply) || reply.arguments().isEmpty())
            return false;
        m_idleWatch = reply.arguments().constFirst().toUInt();
        // Idle past the threshold already: the watch would fire only at the next idle time.
        const QDBusMessage now = DBusCalls::call(m_bus, call(QStringLiteral("GetIdletime")), DBusCalls::QueryTimeoutMs);
        if (DBusCalls::succeeded(now) && !now.arguments().isEmpty()) {
            m_lastIdleMs = qint64(now.arguments().constFirst().toULongLong());
            m_readAt.start();
            if (m_lastIdleMs >= m_thresholdMs)
                QMetaObject::invokeMethod(
                    this, [this] { watchFired(m_idleWatch); }, Qt::QueuedConnection);
        }
        return true;
    }

    qint64 idleMs() const override
    {
        // While idle the user-active watch tells of input at once; otherwise the time is asked for
        // again, at most once a second (the answer comes later and serves the next question).
        if (!m_idle && (!m_readAt.isValid() || m_readAt.elapsed() >= 900))
            const_cast<MutterIdleWatch*>(this)->refresh();
        return m_readAt.isValid() ? m_lastIdleMs + m_readAt.elapsed() : 0;
    }

private Q_SLOTS:
    void watchFired(uint id)
    {
        if (id == m_idleWatch && !m_idle) {
            m_idle = true;
            m_lastIdleMs = m_thresholdMs;
            m_readAt.start();
            m_firedEarly.clear();
            DBusCalls::callAsync(m_bus, call(QStringLiteral("AddUserActiveWatch")), DBusCalls::QueryTimeoutMs, this,
                                 [this](const QDBusMessage& reply) {
                                     if (!DBusCalls::succeeded(reply) || reply.arguments().isEmpty())
                                         return;
                                     m_activeWatch = reply.arguments().constFirst().toUInt();
                                     // Input right away: the watch fired before its number came back.
                                     if (m_firedEarly.contains(m_activeWatch))
                                         watchFired(m_activeWatch);
                                 });
            const auto changed = m_changed; // it may destroy this watch
            changed(true);
        } else if (m_idle && m_activeWatch == 0) {
            m_firedEarly.append(id);
        } else if (id == m_activeWatch && id != 0) {
            // A user-active watch fires once and is gone.
            m_activeWatch = 0;
            m_idle = false;
            m_lastIdleMs = 0;
            m_readAt.start();
            const auto changed = m_changed;
            changed(false);
        }
    }

private:
    static QDBusMessage call(const QString& method)
    {
        return QDBusMessage::createMethodCall(MutterService, MutterPath, MutterInterface, method);
    }

    void refresh()
    {
        if (m_asking)
            return;
        m_asking = true;
        DBusCalls::callAsync(m_bus, call(QStringLiteral("GetIdletime")), DBusCalls::QueryTimeoutMs, this,
                             [this](const QDBusMessage& reply) {
                                 m_asking = false;
                                 if (!DBusCalls::succeeded(reply) || reply.arguments().isEmpty())
                                     return;
                                 m_lastIdleMs = qint64(reply.arguments().constFirst().toULongLong());
                                 m_readAt.start();
                             });
    }

    QDBusConnection m_bus;
    qint64 m_thresholdMs;
    std::function<void(bool)> m_changed;
    uint m_idleWatch = 0;
    uint m_activeWatch = 0;
    QList<uint> m_firedEarly; // watches that fired while the number of the user-active watch was awaited
    bool m_idle = false;
    bool m_asking = false;
    qint64 m_lastIdleMs = 0;
    QElapsedTimer m_readAt;
};

/** One watch on the idle hint of the own logind session. */
class LogindIdleWatch final : public QObject, public IdleWatch
{
    Q_OBJECT
public:
    LogindIdleWatch(const QDBusConnection& bus, QString sessionPath, TimerService& timers, qint64 thresholdMs,
                    std::function<void(bool)> changed)
        : m_bus(bus), m_path(std::move(sessionPath)), m_thresholdMs(thresholdMs), m_changed(std::move(changed)),
          m_timer(timers.create([this] { evaluate(); }))
    {}

    ~LogindIdleWatch() override
    {
        m_bus.disconnect(Login1, m_path, PropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                         SLOT(propertiesChanged(QDBusMessage)));
    }

    /** Reads the hint now; false when the session does not have one. */
    bool start()
    {
        if (!m_bus.connect(Login1, m_path, PropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                           SLOT(propertiesChanged(QDBusMessage))))
            return false;
        const QDBusMessage reply = DBusCalls::call(m_bus, getAll(), DBusCalls::QueryTimeoutMs);
        if (!take(reply))
            return false;
        // The first decision comes from the event loop, as for every backend.
        QMetaObject::invokeMethod(this, &LogindIdleWatch::evaluate, Qt::QueuedConnection);
        return true;
    }

    qint64 idleMs() const override
    {
        if (!m_hint)
            return 0;
        return qMax<qint64>(0, (monotonicUs() - qint64(m_sinceUs)) / 1000);
    }

private Q_SLOTS:
    void propertiesChanged(const QDBusMessage&)
    {
        // Read all hints together: the signal may carry only some of them.
        DBusCalls::callAsync(m_bus, getAll(), DBusCalls::QueryTimeoutMs, this, [this](const QDBusMessage& reply) {
            if (take(reply))
                evaluate();
        });
    }

private:
    static qint64 monotonicUs()
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return qint64(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
    }

    QDBusMessage getAll() const
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(Login1, m_path, PropertiesInterface, QStringLiteral("GetAll"));
        message << SessionInterface;
        return message;
    }

    bool take(const QDBusMessage& reply)
    {
        if (!DBusCalls::succeeded(reply) || reply.arguments().isEmpty())
            return false;
        const QVariantMap properties = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
        if (!properties.contains(QStringLiteral("IdleHint")))
            return false;
        m_hint = properties.value(QStringLiteral("IdleHint")).toBool();
        m_sinceUs = properties.value(QStringLiteral("IdleSinceHintMonotonic")).toULongLong();
        return true;
    }

    void evaluate()
    {
        const qint64 idle = idleMs();
        if (m_hint && idle < m_thresholdMs) {
            // Idle, but not yet long enough: one wake-up when the threshold will be reached.
            m_timer->startOnce(m_thresholdMs - idle);
            return;
        }
        m_timer->stop();
        const bool nowIdle = m_hint;
        if (nowIdle == m_idle)
            return;
        m_idle = nowIdle;
        const auto changed = m_changed; // it may destroy this watch
        changed(nowIdle);
    }

    QDBusConnection m_bus;
    QString m_path;
    qint64 m_thresholdMs;
    std::function<void(bool)> m_changed;
    std::unique_ptr<Timer> m_timer;
    bool m_hint = false;
    quint64 m_sinceUs = 0;
    bool m_idle = false;
};

} // namespace kelvaro::idle
