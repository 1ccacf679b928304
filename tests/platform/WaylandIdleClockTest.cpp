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

#include <unistd.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <wayland-server.h>

namespace kelvaro {
namespace {

enum class Offer { ExtIdleNotify, KWinIdle, SeatOnly };

/** The compositor: records what clients ask for ("notification(ms) destroyed closed") and, when told,
 *  sends every notification that the seat went idle ('i') or came back ('r'). */
class CompositorDouble
{
public:
    explicit CompositorDouble(Offer offer)
    {
        const QByteArray name = "kelvaro-idle-" + QByteArray::number(getpid());
        EXPECT_EQ(wl_display_add_socket(m_display, name.constData()), 0);
        qputenv("WAYLAND_DISPLAY", name);
        wl_global_create(
            m_display, &wl_seat_interface, 1, this, [](wl_client* client, void* data, uint32_t, uint32_t id) {
                // A seat of version 1 is only held by the client, so its end is the end of the connection.
                wl_resource_set_implementation(wl_resource_create(client, &wl_seat_interface, 1, id), nullptr, data,
                                               [](wl_resource* seat) { of(seat)->record("closed"); });
            });
        if (offer == Offer::ExtIdleNotify)
            wl_global_create(m_display, &ext_idle_notifier_v1_interface, 1, this, bindNotifier);
        if (offer == Offer::KWinIdle)
            wl_global_create(m_display, &org_kde_kwin_idle_interface, 1, this, bindKWinIdle);
        EXPECT_EQ(pipe(m_commands), 0);
        wl_event_loop_add_fd(wl_display_get_event_loop(m_display), m_commands[0], WL_EVENT_READABLE, command, this);
        m_thread = std::thread([this] {
            while (m_running) {
                wl_event_loop_dispatch(wl_display_get_event_loop(m_display), -1);
                wl_display_flush_clients(m_display);
            }
        });
    }

    ~CompositorDouble()
    {
        tell('q');
        m_thread.join();
        wl_display_destroy(m_display);
        close(m_commands[0]);
        close(m_commands[1]);
        qunsetenv("WAYLAND_DISPLAY");
    }

    void tell(char command) { ASSERT_EQ(write(m_commands[1], &command, 1), 1); }

    std::string requests() const
    {
        const std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    static CompositorDouble* of(wl_resource* resource)
    {
        return static_cast<CompositorDouble*>(wl_resource_get_user_data(resource));
    }
    static void destroy(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }

    static void bindNotifier(wl_client* client, void* data, uint32_t, uint32_t id)
    {
        static const struct ext_idle_notifier_v1_interface requests = {
            destroy, [](wl_client* owner, wl_resource* notifier, uint32_t newId, uint32_t timeout, wl_resource*) {
                of(notifier)->created(wl_resource_create(owner, &ext_idle_notification_v1_interface, 1, newId),
                                      timeout);
            }};
        wl_resource_set_implementation(wl_resource_create(client, &ext_idle_notifier_v1_interface, 1, id), &requests,
                                       data, nullptr);
    }

    static void bindKWinIdle(wl_client* client, void* data, uint32_t, uint32_t id)
    {
        static const struct org_kde_kwin_idle_interface requests = {
            [](wl_client* owner, wl_resource* idle, uint32_t newId, wl_resource*, uint32_t timeout) {
                of(idle)->created(wl_resource_create(owner, &org_kde_kwin_idle_timeout_interface, 1, newId), timeout);
            }};
        wl_resource_set_implementation(wl_resource_create(client, &org_kde_kwin_idle_interface, 1, id), &requests, data,
                                       nullptr);
    }

    void created(wl_resource* notification, uint32_t timeout)
    {
        // Both kinds of notification: request 0 ends it (KWin's request 1 makes no difference here).
        static void (*const requests[])(wl_client*, wl_resource*) = {destroy, [](wl_client*, wl_resource*) {
                                                                     }};
        record("notification(" + std::to_string(timeout) + ")");
        m_notifications.push_back(notification);
        wl_resource_set_implementation(notification, requests, this, [](wl_resource* resource) {
            std::erase(of(resource)->m_notifications, resource);
            of(resource)->record("destroyed");
        });
    }

    void record(const std::string& request)
    {
        const std::lock_guard lock(m_mutex);
        m_requests += (m_requests.empty() ? "" : " ") + request;
    }

    static int command(int fd, uint32_t, void* data)
    {
        auto* self = static_cast<CompositorDouble*>(data);
        char commands[8];
        const ssize_t count = read(fd, commands, sizeof commands);
        // Both protocols number their events alike: 0 idle, 1 resumed.
        for (const char command : std::string(commands, size_t(qMax<ssize_t>(count, 0)))) {
            if (command == 'q')
                self->m_running = false;
            else
                for (wl_resource* notification : self->m_notifications)
                    wl_resource_post_event(notification, command == 'i' ? 0 : 1);
        }
        return 0;
    }

    wl_display* m_display = wl_display_create();
    int m_commands[2] = {-1, -1};
    bool m_running = true; // in the compositor's thread only, as are the notifications
    std::vector<wl_resource*> m_notifications;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::string m_requests; // under m_mutex
};

class WaylandIdleClockTest : public ::testing::TestWithParam<std::pair<Offer, const char*>>
{};

TEST_P(WaylandIdleClockTest, TellsIdleAndResumedFromTheCompositorAndLetsGo)
{
    const auto [offer, source] = GetParam();
    CompositorDouble compositor(offer);
    // Chosen by the program in a Wayland session without GNOME (no D-Bus here to find it on).
    QtTimerService timers;
    LinuxIdleWatcher chooser(timers, QDBusConnection(QStringLiteral("none")), QDBusConnection(QStringLiteral("none")));
    std::string events;
    std::unique_ptr<IdleWatch> watch;
    watch = chooser.watch(1500, [&](bool idle) {
        events += idle ? "idle " : "active ";
        if (events == "idle active idle ")
            watch.reset(); // as a run that ends does
    });
    ASSERT_TRUE(watch);
    EXPECT_EQ(chooser.source(), QString::fromLatin1(source));
    ASSERT_TRUE(QTest::qWaitFor([&] { return compositor.requests() == "notification(1500)"; }, 5000))
        << compositor.requests();
    EXPECT_EQ(watch->idleMs(), 0);

    compositor.tell('i');
    ASSERT_TRUE(QTest::qWaitFor([&] { return events == "idle "; }, 5000)) << events;
    EXPECT_GE(watch->idleMs(), 1500);
    compositor.tell('r');
    ASSERT_TRUE(QTest::qWaitFor([&] { return events == "idle active "; }, 5000)) << events;
    EXPECT_EQ(watch->idleMs(), 0);

    // Ended from its callback, the watch hears no more, even of an event read together with the first.
    compositor.tell('i');
    compositor.tell('r');
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watch; }, 5000)) << events;
    QCoreApplication::processEvents();
    EXPECT_EQ(events, "idle active idle ");
    EXPECT_TRUE(QTest::qWaitFor([&] { return compositor.requests() == "notification(1500) destroyed closed"; }, 5000))
        << compositor.requests();
}

INSTANTIATE_TEST_SUITE_P(Protocols, WaylandIdleClockTest,
                         ::testing::Values(std::pair(Offer::ExtIdleNotify, "Wayland ext-idle-notify-v1"),
                                           std::pair(Offer::KWinIdle, "Wayland org_kde_kwin_idle")));

TEST(WaylandIdleClockTest, NothingWithoutTheProtocolOrACompositor)
{
    {
        const CompositorDouble compositor(Offer::SeatOnly);
        EXPECT_FALSE(WaylandIdleClock::watch(1000, [](bool) {}));
    }
    qputenv("WAYLAND_DISPLAY", "kelvaro-no-such-compositor");
    EXPECT_FALSE(WaylandIdleClock::watch(1000, [](bool) {}));
    qunsetenv("WAYLAND_DISPLAY");
}

} // namespace
} // namespace kelvaro
