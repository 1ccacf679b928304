#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

namespace kelvaro {

/** The watch over the user's input that a run in the time mode "Inaktivität" holds; destroying it
 *  stops the watching. */
class IdleWatch
{
public:
    virtual ~IdleWatch() = default;
    /** How long no keyboard or mouse input has arrived, in milliseconds, as far as known now (at
     *  most about a second old). */
    virtual qint64 idleMs() const = 0;
};

/**
 * The desktop's idle clock: tells when no input has arrived for a while and when input comes back.
 * Implementations wait for the desktop's events and never wake the program more than once a second.
 */
class IdleWatcher
{
public:
    virtual ~IdleWatcher() = default;

    /**
     * Watches the input. `changed(true)` is called, from the event loop, once no input has arrived
     * for `thresholdMs` (at once, from the event loop, when that holds already); then `changed(false)`
     * once input comes back, then `changed(true)` again after the next `thresholdMs` without input,
     * and so on. `changed` may destroy the watch. Nothing when the desktop offers no idle clock this
     * program can read.
     */
    virtual std::unique_ptr<IdleWatch> watch(qint64 thresholdMs, std::function<void(bool idle)> changed) = 0;
    /** The source of the idle time the latest watch used, for example "X11 Sync"; empty before. */
    virtual QString source() const = 0;
};

} // namespace kelvaro
