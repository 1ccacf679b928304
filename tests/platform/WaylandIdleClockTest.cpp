// The Wayland idle clock against a compositor double of the test's own: a libwayland-server display on a
// socket in the test's private runtime folder, served by a thread of its own (the client blocks on it
// while it learns the globals), which offers a seat and ext_idle_notifier_v1.
#include "platform/WaylandIdleClock.h"

#include "ext-idle-notify-v1-server-header.h"
#include "platform/LinuxIdleWatcher.h"
#include "platform/QtTimerService.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>
#include <wayland-server.h>

namespace kelvaro {
namespace {

/** The compositor: records what clients ask for ("notification(ms) destroyed closed") and, when told,
 *  sends every notification that the seat went idle ("i") or came back ("r"). */
class CompositorDouble
{
public:
    explicit CompositorDouble(bool offerNotifier)
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
        if (offerNotifier)
            wl_global_create(m_display, &ext_idle_notifier_v1_interface, 1, this, bindNotifier);
        EXPECT_EQ(pipe2(m_commands, O_NONBLOCK | O_CLOEXEC), 0);
        m_commandSource =
            wl_event_loop_add_fd(wl_display_get_event_loop(m_display), m_commands[0], WL_EVENT_READABLE, command, this);
        m_thread = std::thread(wl_display_run, m_display);
    }

    ~CompositorDouble()
    {
        wl_display_terminate(m_display); // made to be called from another thread
        m_thread.join();
        wl_event_source_remove(m_commandSource); // the display leaves a source of ours to us
        wl_display_destroy(m_display);
        close(m_commands[0]);
        close(m_commands[1]);
        qunsetenv("WAYLAND_DISPLAY");
    }

    /** Commands written together are carried out before the compositor flushes the events. */
    void tell(std::string_view commands)
    {
        ASSERT_EQ(write(m_commands[1], commands.data(), commands.size()), ssize_t(commands.size()));
    }

    std::string requests() const
    {
        const std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    static CompositorDouble* of(wl_resource* r) { return static_cast<CompositorDouble*>(wl_resource_get_user_data(r)); }
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

    void created(wl_resource* notification, uint32_t timeout)
    {
        static const struct ext_idle_notification_v1_interface requests = {destroy};
        record("notification(" + std::to_string(timeout) + ")");
        m_notifications.push_back(notification);
        wl_resource_set_implementation(notification, &requests, this, [](wl_resource* resource) {
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
        char command = 0;
        while (read(fd, &command, 1) == 1)
            for (wl_resource* notification : static_cast<CompositorDouble*>(data)->m_notifications)
                command == 'i' ? ext_idle_notification_v1_send_idled(notification)
                               : ext_idle_notification_v1_send_resumed(notification);
        return 0;
    }

    wl_display* m_display = wl_display_create();
    int m_commands[2] = {-1, -1};
    wl_event_source* m_commandSource = nullptr;
    std::vector<wl_resource*> m_notifications; // in the compositor's thread only
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::string m_requests; // under m_mutex
};

TEST(WaylandIdleClockTest, TellsIdleAndResumedFromTheCompositorAndLetsGo)
{
    CompositorDouble compositor(true);
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
    EXPECT_EQ(chooser.source(), QStringLiteral("Wayland ext-idle-notify-v1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return compositor.requests() == "notification(1500)"; }, 5000))
        << compositor.requests();
    EXPECT_EQ(watch->idleMs(), 0);

    compositor.tell("i");
    ASSERT_TRUE(QTest::qWaitFor([&] { return events == "idle "; }, 5000)) << events;
    EXPECT_GE(watch->idleMs(), 1500);
    compositor.tell("r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return events == "idle active "; }, 5000)) << events;
    EXPECT_EQ(watch->idleMs(), 0);

    // Ended from its callback, the watch hears no more, even of an event read together with the first.
    compositor.tell("ir");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watch; }, 5000)) << events;
    QCoreApplication::processEvents();
    EXPECT_EQ(events, "idle active idle ");
    EXPECT_TRUE(QTest::qWaitFor([&] { return compositor.requests() == "notification(1500) destroyed closed"; }, 5000))
        << compositor.requests();
}

TEST(WaylandIdleClockTest, NothingWithoutTheProtocolOrACompositor)
{
    {
        const CompositorDouble compositor(false);
        EXPECT_FALSE(WaylandIdleClock::watch(1000, [](bool) {}));
    }
    qputenv("WAYLAND_DISPLAY", "kelvaro-no-such-compositor");
    EXPECT_FALSE(WaylandIdleClock::watch(1000, [](bool) {}));
    qunsetenv("WAYLAND_DISPLAY");
}

} // namespace
} // namespace kelvaro
