#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace kelvaro {

/**
 * The user's service manager (systemd's user instance), which keeps the timers of repeating
 * schedules. Each request returns nothing when it was done, else the reason in a line.
 */
class ServiceManager
{
public:
    using Error = std::optional<QString>;

    /** What the manager says of a timer. */
    struct TimerState
    {
        /** Whether the timer is active (waiting for its next moment). */
        bool active = false;
        /** The next moment it elapses, microseconds since the epoch; 0 when none is planned. */
        quint64 nextElapseUs = 0;
    };

    virtual ~ServiceManager() = default;

    /** Whether the manager can be reached at all. */
    virtual bool available() = 0;
    /** Reads the unit files anew. */
    virtual Error reload() = 0;
    /** Enables the unit files named (links them into the targets their [Install] names). */
    virtual Error enable(const QStringList& units) = 0;
    virtual Error disable(const QStringList& units) = 0;
    virtual Error start(const QString& unit) = 0;
    virtual Error stop(const QString& unit) = 0;
    /** The timer's state; nothing when the manager does not know it. */
    virtual std::optional<TimerState> timerState(const QString& unit) = 0;
};

} // namespace kelvaro
