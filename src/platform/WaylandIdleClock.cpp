#include "platform/WaylandIdleClock.h"

#include "ext-idle-notify-v1-client-header.h"
#include "idle-client-header.h"

#include <QElapsedTimer>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>

#include <cstring>
#include <limits>
#include <wayland-client.h>

namespace kelvaro {

namespace {

/** A connection to the compositor with the globals an idle watch needs; all released with it. */
class Compositor
{
public:
    Compositor() = default;
    Compositor(const Compositor&) = delete;
    Compositor& operator=(const Compositor&) = delete;

    ~Compositor()
    {
        if (!m_display)
            return;
        if (m_notifier)
            ext_idle_notifier_v1_destroy(m_notifier);
        if (m_kwinIdle)
            org_kde_kwin_idle_destroy(m_kwinIdle);
        if (m_seat)
            wl_seat_destroy(m_seat);
        if (m_registry)
            wl_registry_destroy(m_registry);
        wl_display_flush(m_display);
        wl_display_disconnect(m_display);
    }

    /** Connects and learns the globals; false when there is no compositor to reach. */
    bool connect()
    {
        m_display = wl_display_connect(nullptr);
        if (!m_display)
            return false;
        static const wl_registry_listener listener = {
            [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
                static_cast<Compositor*>(data)->offered(registry, name, interface);
            },
            [](void*, wl_registry*, uint32_t) {},
        };
        m_registry = wl_display_get_registry(m_display);
        wl_registry_add_listener(m_registry, &listener, this);
        return wl_display_roundtrip(m_display) >= 0;
    }

    wl_display* display() const { return m_display; }
    wl_seat* seat() const { return m_seat; }
    ext_idle_notifier_v1* notifier() const { return m_notifier; }
    org_kde_kwin_idle* kwinIdle() const { return m_kwinIdle; }

private:
    void offered(wl_registry* registry, uint32_t name, const char* interface)
    {
        // Version 1 of each is all the watch uses; the first seat is the user's.
        const auto bind = [&](const wl_interface& wanted) {
            return std::strcmp(interface, wanted.name) == 0 ? wl_registry_bind(registry, name, &wanted, 1) : nullptr;
        };
        if (!m_seat)
            m_seat = static_cast<wl_seat*>(bind(wl_seat_interface));
        if (!m_notifier)
            m_notifier = static_cast<ext_idle_notifier_v1*>(bind(ext_idle_notifier_v1_interface));
        if (!m_kwinIdle)
            m_kwinIdle = static_cast<org_kde_kwin_idle*>(bind(org_kde_kwin_idle_interface));
    }

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    ext_idle_notifier_v1* m_notifier = nullptr;
    org_kde_kwin_idle* m_kwinIdle = nullptr;
};

/**
 * One idle notification. The protocols tell when the threshold has passed without input and when
 * input comes back, not the idle time itself, so idleMs() is the threshold at the idle event plus
 * the time since then, and 0 before it and after input. That is exact to the event's delivery when
 * the user leaves while the watch exists; the compositor starts counting at the notification's
 * creation, so a user who had left before is seen idle only a threshold after it, and that much
 * earlier input is missing from the time too.
 */
class WaylandIdleWatch final : public QObject, public IdleWatch
{
public:
    WaylandIdleWatch(std::unique_ptr<Compositor> compositor, qint64 thresholdMs, std::function<void(bool)> changed)
        : m_compositor(std::move(compositor)), m_thresholdMs(thresholdMs), m_changed(std::move(changed)),
          m_socket(wl_display_get_fd(m_compositor->display()), QSocketNotifier::Read)
    {
        const auto timeout = uint32_t(qBound<qint64>(1, thresholdMs, std::numeric_limits<uint32_t>::max()));
        if (m_compositor->notifier()) {
            static const ext_idle_notification_v1_listener listener = {
                [](void* data, ext_idle_notification_v1*) { static_cast<WaylandIdleWatch*>(data)->told(true); },
                [](void* data, ext_idle_notification_v1*) { static_cast<WaylandIdleWatch*>(data)->told(false); },
            };
            m_notification =
                ext_idle_notifier_v1_get_idle_notification(m_compositor->notifier(), timeout, m_compositor->seat());
            ext_idle_notification_v1_add_listener(m_notification, &listener, this);
        } else {
            static const org_kde_kwin_idle_timeout_listener listener = {
                [](void* data, org_kde_kwin_idle_timeout*) { static_cast<WaylandIdleWatch*>(data)->told(true); },
                [](void* data, org_kde_kwin_idle_timeout*) { static_cast<WaylandIdleWatch*>(data)->told(false); },
            };
            m_kwinTimeout = org_kde_kwin_idle_get_idle_timeout(m_compositor->kwinIdle(), m_compositor->seat(), timeout);
            org_kde_kwin_idle_timeout_add_listener(m_kwinTimeout, &listener, this);
        }
        wl_display_flush(m_compositor->display());
        QObject::connect(&m_socket, &QSocketNotifier::activated, this, [this] { readEvents(); });
        // Events read while the globals were asked for wait in the queue, where the notifier does
        // not see them.
        QMetaObject::invokeMethod(this, &WaylandIdleWatch::readEvents, Qt::QueuedConnection);
    }

    ~WaylandIdleWatch() override
    {
        m_socket.setEnabled(false);
        if (m_notification)
            ext_idle_notification_v1_destroy(m_notification);
        if (m_kwinTimeout)
            org_kde_kwin_idle_timeout_release(m_kwinTimeout);
    }

    qint64 idleMs() const override { return m_idle ? m_thresholdMs + m_idleSince.elapsed() : 0; }

private:
    /** Reads what the compositor sent, without blocking, and passes the changes on. */
    void readEvents()
    {
        wl_display* display = m_compositor->display();
        // Read from the socket only when nothing waits in the queue (libwayland's rule for readers).
        if ((wl_display_prepare_read(display) == 0 && wl_display_read_events(display) < 0) ||
            wl_display_dispatch_pending(display) < 0) {
            // The compositor has gone or refused the notification: nothing more will come, and the
            // closed socket would wake the program on and on.
            m_socket.setEnabled(false);
            return;
        }
        wl_display_flush(display);
        // Told only now, outside libwayland's dispatch: `changed` may destroy this watch and its connection.
        const QPointer<WaylandIdleWatch> alive(this);
        while (alive && !m_news.isEmpty()) {
            const bool idle = m_news.takeFirst();
            const auto changed = m_changed;
            changed(idle);
        }
    }

    void told(bool idle)
    {
        if (idle == m_idle)
            return;
        m_idle = idle;
        if (idle)
            m_idleSince.start();
        m_news.append(idle);
    }

    std::unique_ptr<Compositor> m_compositor;
    qint64 m_thresholdMs;
    std::function<void(bool)> m_changed;
    QSocketNotifier m_socket;
    ext_idle_notification_v1* m_notification = nullptr;
    org_kde_kwin_idle_timeout* m_kwinTimeout = nullptr;
    bool m_idle = false;
    QElapsedTimer m_idleSince;
    QList<bool> m_news; // changes dispatched but not yet passed on
};

} // namespace

bool WaylandIdleClock::waylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

std::unique_ptr<IdleWatch> WaylandIdleClock::watch(qint64 thresholdMs, std::function<void(bool idle)> changed,
                                                   QString* source)
{
    if (!waylandSession())
        return nullptr;
    auto compositor = std::make_unique<Compositor>();
    if (!compositor->connect() || !compositor->seat() || !(compositor->notifier() || compositor->kwinIdle()))
        return nullptr;
    if (source)
        *source = compositor->notifier() ? QStringLiteral("Wayland ext-idle-notify-v1")
                                         : QStringLiteral("Wayland org_kde_kwin_idle");
    return std::make_unique<WaylandIdleWatch>(std::move(compositor), qMax<qint64>(thresholdMs, 1), std::move(changed));
}

} // namespace kelvaro
