#include "platform/X11IdleClock.h"

#include "core/TimerService.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>

#include <cstdlib>
#include <cstring>
#include <xcb/screensaver.h>
#include <xcb/sync.h>
#include <xcb/xcb.h>

namespace kelvaro {

namespace {

qint64 toInt64(const xcb_sync_int64_t& value)
{
    return qint64((quint64(quint32(value.hi)) << 32) | quint64(value.lo));
}

xcb_sync_int64_t fromInt64(qint64 value)
{
    return {static_cast<int32_t>(value >> 32), static_cast<uint32_t>(value & 0xFFFFFFFF)};
}

/** The X server's counter of milliseconds since the latest input, or 0 when it has none. The list
 *  is read by hand: each entry is the counter (4 bytes), its resolution (8), the name's length (2)
 *  and the name, padded to a multiple of 4 bytes; libxcb's iterator steps over it wrongly. */
xcb_sync_counter_t findIdleCounter(xcb_connection_t* connection)
{
    xcb_sync_list_system_counters_reply_t* reply =
        xcb_sync_list_system_counters_reply(connection, xcb_sync_list_system_counters(connection), nullptr);
    if (!reply)
        return 0;
    const auto* data = reinterpret_cast<const quint8*>(reply + 1);
    const size_t size = size_t(reply->length) * 4;
    xcb_sync_counter_t found = 0;
    size_t pos = 0;
    for (uint32_t i = 0; i < reply->counters_len && pos + 14 <= size && !found; ++i) {
        xcb_sync_counter_t counter = 0;
        uint16_t length = 0;
        std::memcpy(&counter, data + pos, 4);
        std::memcpy(&length, data + pos + 12, 2);
        if (pos + 14 + length > size)
            break;
        if (length == 8 && std::memcmp(data + pos + 14, "IDLETIME", 8) == 0)
            found = counter;
        pos += (14 + size_t(length) + 3) & ~size_t(3);
    }
    std::free(reply);
    return found;
}

class X11IdleWatch final : public QObject, public IdleWatch
{
public:
    X11IdleWatch(xcb_connection_t* connection, quint8 firstEvent, xcb_sync_counter_t counter, qint64 thresholdMs,
                 std::function<void(bool)> changed)
        : m_connection(connection), m_alarmNotify(quint8(firstEvent + XCB_SYNC_ALARM_NOTIFY)), m_counter(counter),
          m_thresholdMs(thresholdMs), m_changed(std::move(changed)),
          m_notifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read)
    {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, this, [this] { readEvents(); });
        m_alarm = xcb_generate_id(m_connection);
        xcb_sync_create_alarm_value_list_t values = alarmValues(m_thresholdMs, XCB_SYNC_TESTTYPE_POSITIVE_COMPARISON);
        xcb_sync_create_alarm_aux(m_connection, m_alarm, allFields(), &values);
        xcb_flush(m_connection);
        // The alarm triggers at once when the display is idle already; its event may be read
        // while a reply is waited for, where the notifier does not see it.
        QMetaObject::invokeMethod(this, &X11IdleWatch::readEvents, Qt::QueuedConnection);
    }

    ~X11IdleWatch() override
    {
        m_notifier.setEnabled(false);
        xcb_sync_destroy_alarm(m_connection, m_alarm);
        xcb_disconnect(m_connection);
    }

    qint64 idleMs() const override
    {
        xcb_sync_query_counter_reply_t* reply =
            xcb_sync_query_counter_reply(m_connection, xcb_sync_query_counter(m_connection, m_counter), nullptr);
        if (!reply)
            return 0;
        const qint64 value = toInt64(reply->counter_value);
        std::free(reply);
        QMetaObject::invokeMethod(const_cast<X11IdleWatch*>(this), &X11IdleWatch::readEvents, Qt::QueuedConnection);
        return value;
    }

private:
    static uint32_t allFields()
    {
        return XCB_SYNC_CA_COUNTER | XCB_SYNC_CA_VALUE_TYPE | XCB_SYNC_CA_VALUE | XCB_SYNC_CA_TEST_TYPE |
               XCB_SYNC_CA_DELTA | XCB_SYNC_CA_EVENTS;
    }

    xcb_sync_create_alarm_value_list_t alarmValues(qint64 value, uint32_t test) const
    {
        xcb_sync_create_alarm_value_list_t values{};
        values.counter = m_counter;
        values.valueType = XCB_SYNC_VALUETYPE_ABSOLUTE;
        values.value = fromInt64(value);
        values.testType = test;
        values.delta = fromInt64(0);
        values.events = 1;
        return values;
    }

    /** Sets the one alarm to the next thing to wait for. */
    void arm(qint64 value, uint32_t test)
    {
        const xcb_sync_create_alarm_value_list_t created = alarmValues(value, test);
        xcb_sync_change_alarm_value_list_t values{};
        values.counter = created.counter;
        values.valueType = created.valueType;
        values.value = created.value;
        values.testType = created.testType;
        values.delta = created.delta;
        values.events = created.events;
        xcb_sync_change_alarm_aux(m_connection, m_alarm, allFields(), &values);
        xcb_flush(m_connection);
    }

    void readEvents()
    {
        const QPointer<X11IdleWatch> alive(this);
        while (alive && !xcb_connection_has_error(m_connection)) {
            xcb_generic_event_t* event = xcb_poll_for_event(m_connection);
            if (!event)
                return;
            if ((event->response_type & 0x7F) == m_alarmNotify) {
                const auto* notify = reinterpret_cast<const xcb_sync_alarm_notify_event_t*>(event);
                if (notify->alarm == m_alarm && notify->state != XCB_SYNC_ALARMSTATE_DESTROYED)
                    alarmed(toInt64(notify->counter_value));
            }
            std::free(event);
        }
    }

    /** The alarm went off (or was set while its test held already): decides by the counter's value,
     *  so an event that crossed a change of the alarm cannot be taken the wrong way. */
    void alarmed(qint64 idleMs)
    {
        if (!m_idle && idleMs >= m_thresholdMs) {
            m_idle = true;
            m_idleSeenMs = idleMs;
            // Input sets the counter back to 0: below the value seen now.
            arm(idleMs - 1, XCB_SYNC_TESTTYPE_NEGATIVE_COMPARISON);
            const auto changed = m_changed; // it may destroy this watch
            changed(true);
        } else if (m_idle && idleMs < m_idleSeenMs) {
            m_idle = false;
            arm(m_thresholdMs, XCB_SYNC_TESTTYPE_POSITIVE_COMPARISON);
            const auto changed = m_changed;
            changed(false);
        }
    }

    xcb_connection_t* m_connection;
    quint8 m_alarmNotify;
    xcb_sync_counter_t m_counter;
    qint64 m_thresholdMs;
    std::function<void(bool)> m_changed;
    QSocketNotifier m_notifier;
    xcb_sync_alarm_t m_alarm = 0;
    bool m_idle = false;
    qint64 m_idleSeenMs = 0;
};

/** The time since the latest input as MIT-SCREEN-SAVER tells it, looked at by a timer. */
class ScreenSaverIdleWatch final : public IdleWatch
{
public:
    static constexpr qint64 kIdleCheckMs = 1000;

    ScreenSaverIdleWatch(xcb_connection_t* connection, xcb_window_t root, TimerService& timers, qint64 thresholdMs,
                         std::function<void(bool)> changed)
        : m_connection(connection), m_root(root), m_thresholdMs(thresholdMs), m_changed(std::move(changed)),
          m_timer(timers.create([this] { check(); }))
    {
        m_timer->startOnce(0);
    }
    ~ScreenSaverIdleWatch() override { xcb_disconnect(m_connection); }

    qint64 idleMs() const override
    {
        xcb_screensaver_query_info_reply_t* reply =
            xcb_screensaver_query_info_reply(m_connection, xcb_screensaver_query_info(m_connection, m_root), nullptr);
        if (!reply)
            return 0;
        const qint64 value = reply->ms_since_user_input;
        std::free(reply);
        return value;
    }

private:
    void check()
    {
        const qint64 idle = idleMs();
        if (!m_idle) {
            if (idle < m_thresholdMs) {
                // Nothing can change before the threshold is reached, unless input comes, which
                // only moves it further away.
                m_timer->startOnce(qMax(kIdleCheckMs, m_thresholdMs - idle));
                return;
            }
            m_idle = true;
            m_lastIdleMs = idle;
            m_timer->startOnce(kIdleCheckMs);
            const auto changed = m_changed; // it may destroy this watch
            changed(true);
            return;
        }
        if (idle >= m_lastIdleMs) {
            m_lastIdleMs = idle;
            m_timer->startOnce(kIdleCheckMs);
            return;
        }
        m_idle = false;
        m_timer->startOnce(qMax(kIdleCheckMs, m_thresholdMs - idle));
        const auto changed = m_changed;
        changed(false);
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    qint64 m_thresholdMs;
    std::function<void(bool)> m_changed;
    std::unique_ptr<Timer> m_timer;
    bool m_idle = false;
    qint64 m_lastIdleMs = 0;
};

xcb_connection_t* connectDisplay(xcb_window_t* root)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return nullptr;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    *root = screens.rem > 0 ? screens.data->root : 0;
    return connection;
}

} // namespace

std::unique_ptr<IdleWatch> X11IdleClock::watch(TimerService& timers, qint64 thresholdMs,
                                               std::function<void(bool idle)> changed)
{
    xcb_window_t root = 0;
    xcb_connection_t* connection = connectDisplay(&root);
    if (!connection)
        return nullptr;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_sync_id);
    xcb_sync_initialize_reply_t* version = nullptr;
    if (extension && extension->present)
        version = xcb_sync_initialize_reply(
            connection, xcb_sync_initialize(connection, XCB_SYNC_MAJOR_VERSION, XCB_SYNC_MINOR_VERSION), nullptr);
    const xcb_sync_counter_t counter = version ? findIdleCounter(connection) : 0;
    std::free(version);
    if (!counter) {
        xcb_disconnect(connection);
        return watchScreenSaver(timers, thresholdMs, std::move(changed));
    }
    return std::make_unique<X11IdleWatch>(connection, extension->first_event, counter, qMax<qint64>(thresholdMs, 1),
                                          std::move(changed));
}

std::unique_ptr<IdleWatch> X11IdleClock::watchScreenSaver(TimerService& timers, qint64 thresholdMs,
                                                          std::function<void(bool idle)> changed)
{
    xcb_window_t root = 0;
    xcb_connection_t* connection = connectDisplay(&root);
    if (!connection)
        return nullptr;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_screensaver_id);
    if (!extension || !extension->present || !root) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::make_unique<ScreenSaverIdleWatch>(connection, root, timers, qMax<qint64>(thresholdMs, 1),
                                                  std::move(changed));
}

} // namespace kelvaro
