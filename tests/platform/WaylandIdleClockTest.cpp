// The Wayland idle clock against a compositor double of the test's own: a libwayland-server display on a
// socket in the test's private runtime folder, served by a thread of its own (the client blocks on it
// while it learns the globals), which offers a seat and one of the idle protocols.
#include "platform/WaylandIdleClock.h"

#include "ext-idle-notify-v1-server-header.h"
#include "idle-server-header.h"
#include "platform/LinuxIdleWatcher.h"
#include "platform/QtTimerService.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>
#include <wayland-server.h>

namespace kelvaro {
namespace {

enum class Offer { ExtIdleNotify, KWinIdle, SeatOnly };

/** The compositor: records what the client asks for ("notification(ms) destroyed closed") and tells
 *  every notification that the seat went idle or came back. */
class CompositorDouble
{
public:
    explicit CompositorDouble(Offer offer) : m_offer(offer), m_display(wl_display_create())
    {
        m_saved =
            qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ? std::optional(qgetenv("WAYLAND_DISPLAY")) : std::nullopt;
        const QByteArray name = "kelvaro-idle-" + QByteArray::number(getpid());
        EXPECT_EQ(wl_display_add_socket(m_display, name.constData()), 0);
        qputenv("WAYLAND_DISPLAY", name);
        wl_global_create(m_display, &wl_seat_interface, 1, this,
                         [](wl_client* client, void* data, uint32_t, uint32_t id) {
                             wl_resource* seat = wl_resource_create(client, &wl_seat_interface, 1, id);
                             wl_resource_set_implementation(seat, nullptr, data, [](wl_resource* resource) {
                                 static_cast<CompositorDouble*>(wl_resource_get_user_data(resource))->record("closed");
                             });
                         });
        if (offer == Offer::ExtIdleNotify)
            wl_global_create(m_display, &ext_idle_notifier_v1_interface, 1, this, bindNotifier);
        if (offer == Offer::KWinIdle)
            wl_global_create(m_display, &org_kde_kwin_idle_interface, 1, this, bindKWinIdle);
        wl_event_loop_add_fd(wl_display_get_event_loop(m_display), m_wake, WL_EVENT_READABLE, runPosted, this);
        m_thread = std::thread([this] {
            while (m_running) {
                wl_event_loop_dispatch(wl_display_get_event_loop(m_display), -1);
                wl_display_flush_clients(m_display);
            }
        });
    }

    ~CompositorDouble()
    {
        post([this] { m_running = false; });
        m_thread.join();
        wl_display_destroy(m_display);
        close(m_wake);
        m_saved ? qputenv("WAYLAND_DISPLAY", *m_saved) : qunsetenv("WAYLAND_DISPLAY");
    }

    /** Sends idled (KWin: idle) or resumed to every notification the client holds. */
    void setIdle(bool idle)
    {
        post([this, idle] {
            for (wl_resource* notification : m_notifications)
                if (m_offer == Offer::KWinIdle)
                    idle ? org_kde_kwin_idle_timeout_send_idle(notification)
                         : org_kde_kwin_idle_timeout_send_resumed(notification);
                else
                    idle ? ext_idle_notification_v1_send_idled(notification)
                         : ext_idle_notification_v1_send_resumed(notification);
        });
    }

    std::string requests() const
    {
        const std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    static void destroyRequest(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }

    static void bindNotifier(wl_client* client, void* data, uint32_t, uint32_t id)
    {
        static const struct ext_idle_notifier_v1_interface requests = {
            destroyRequest,
            [](wl_client* owner, wl_resource* notifier, uint32_t newId, uint32_t timeout, wl_resource*) {
                static const struct ext_idle_notification_v1_interface notificationRequests = {destroyRequest};
                static_cast<CompositorDouble*>(wl_resource_get_user_data(notifier))
                    ->created(wl_resource_create(owner, &ext_idle_notification_v1_interface, 1, newId),
                              &notificationRequests, timeout);
            }};
        wl_resource_set_implementation(wl_resource_create(client, &ext_idle_notifier_v1_interface, 1, id), &requests,
                                       data, nullptr);
    }

    static void bindKWinIdle(wl_client* client, void* data, uint32_t, uint32_t id)
    {
        static const struct org_kde_kwin_idle_interface requests = {[](wl_client* owner, wl_resource* idle,
                                                                       uint32_t newId, wl_resource*, uint32_t timeout) {
            static const struct org_kde_kwin_idle_timeout_interface timeoutRequests = {destroyRequest,
                                                                                       [](wl_client*, wl_resource*) {
                                                                                       }};
            static_cast<CompositorDouble*>(wl_resource_get_user_data(idle))
                ->created(wl_resource_create(owner, &org_kde_kwin_idle_timeout_interface, 1, newId), &timeoutRequests,
                          timeout);
        }};
        wl_resource_set_implementation(wl_resource_create(client, &org_kde_kwin_idle_interface, 1, id), &requests, data,
                                       nullptr);
    }

    void created(wl_resource* notification, const void* requests, uint32_t timeout)
    {
        record("notification(" + std::to_string(timeout) + ")");
        m_notifications.push_back(notification);
        wl_resource_set_implementation(notification, requests, this, [](wl_resource* resource) {
            auto* self = static_cast<CompositorDouble*>(wl_resource_get_user_data(resource));
            std::erase(self->m_notifications, resource);
            self->record("destroyed");
        });
    }

    void record(const std::string& request)
    {
        const std::lock_guard lock(m_mutex);
        m_requests += (m_requests.empty() ? "" : " ") + request;
    }

    /** Runs `task` in the compositor's thread. */
    void post(std::function<void()> task)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_posted.push_back(std::move(task));
        }
        const uint64_t one = 1;
        ASSERT_EQ(write(m_wake, &one, sizeof one), ssize_t(sizeof one));
    }

    static int runPosted(int fd, uint32_t, void* data)
    {
        auto* self = static_cast<CompositorDouble*>(data);
        uint64_t count = 0;
        EXPECT_EQ(read(fd, &count, sizeof count), ssize_t(sizeof count));
        std::vector<std::function<void()>> tasks;
        {
            const std::lock_guard lock(self->m_mutex);
            tasks.swap(self->m_posted);
        }
        for (const auto& task : tasks)
            task();
        return 0;
    }

    Offer m_offer;
    wl_display* m_display;
    int m_wake = eventfd(0, EFD_CLOEXEC);
    std::atomic<bool> m_running = true;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::string m_requests;                      // under m_mutex
    std::vector<std::function<void()>> m_posted; // under m_mutex
    std::vector<wl_resource*> m_notifications;   // in the compositor's thread only
    std::optional<QByteArray> m_saved;
};

/** Watches through the program's choice of clock, with no D-Bus to find GNOME's or logind's on. */
struct Watcher
{
    QtTimerService timers;
    LinuxIdleWatcher watcher{timers, QDBusConnection(QStringLiteral("none")), QDBusConnection(QStringLiteral("none"))};
};

class WaylandIdleClockTest : public ::testing::TestWithParam<std::pair<Offer, const char*>>
{};

TEST_P(WaylandIdleClockTest, TellsIdleAndResumedFromTheCompositorAndLetsGo)
{
    const auto [offer, source] = GetParam();
    CompositorDouble compositor(offer);
    Watcher chosen;
    std::string events;
    std::unique_ptr<IdleWatch> watch =
        chosen.watcher.watch(1500, [&events](bool idle) { events += idle ? "idle " : "active "; });
    ASSERT_TRUE(watch);
    EXPECT_EQ(chosen.watcher.source(), QString::fromLatin1(source));
    ASSERT_TRUE(QTest::qWaitFor([&] { return compositor.requests() == "notification(1500)"; }, 5000))
        << compositor.requests();
    EXPECT_EQ(watch->idleMs(), 0);

    compositor.setIdle(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return events == "idle "; }, 5000)) << events;
    EXPECT_GE(watch->idleMs(), 1500);
    compositor.setIdle(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return events == "idle active "; }, 5000)) << events;
    EXPECT_EQ(watch->idleMs(), 0);

    // A watch that ends itself at the first news hears no more, even of events that came with it.
    std::string briefEvents;
    std::unique_ptr<IdleWatch> brief = WaylandIdleClock::watch(100, [&](bool idle) {
        briefEvents += idle ? "idle " : "active ";
        brief.reset();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return compositor.requests().ends_with("notification(100)"); }, 5000));
    compositor.setIdle(true);
    compositor.setIdle(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return events == "idle active idle active "; }, 5000)) << events;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !brief; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(briefEvents, "idle ");

    watch.reset();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return compositor.requests() == "notification(1500) notification(100) destroyed closed destroyed closed";
        },
        5000))
        << compositor.requests();
}

INSTANTIATE_TEST_SUITE_P(Protocols, WaylandIdleClockTest,
                         ::testing::Values(std::pair(Offer::ExtIdleNotify, "Wayland ext-idle-notify-v1"),
                                           std::pair(Offer::KWinIdle, "Wayland org_kde_kwin_idle")));

TEST(WaylandIdleClockTest, NothingWithoutTheProtocolOrACompositor)
{
    Watcher chosen;
    {
        CompositorDouble compositor(Offer::SeatOnly);
        EXPECT_FALSE(WaylandIdleClock::watch(1000, [](bool) {}));
        EXPECT_FALSE(chosen.watcher.watch(1000, [](bool) {}));
        EXPECT_EQ(chosen.watcher.source(), QString());
    }
    qputenv("WAYLAND_DISPLAY", "kelvaro-no-such-compositor");
    EXPECT_FALSE(WaylandIdleClock::watch(1000, [](bool) {}));
    qunsetenv("WAYLAND_DISPLAY");
}

} // namespace
} // namespace kelvaro
