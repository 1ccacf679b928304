#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

namespace kelvaro {

class Clock;
class IdleWatcher;
class LoadSampler;
class MessageBoxes;
class ProcessWatcher;
class TEinst;
class TimerService;

/**
 * What a run waits for before it goes on to its end: the end of a program, the user's absence or the
 * machine's quiet. The wait watches from its creation to its destruction. Once the condition holds
 * the run counts down the rest (the announcement of a power action); a condition that stops holding
 * meanwhile puts the run back to waiting.
 */
class RunWait
{
public:
    enum class Kind { Program, Inactivity, Quiet };

    struct Events
    {
        /** The condition holds, and has held for `heldMs`: the run goes on towards its end. */
        std::function<void(qint64 heldMs)> reached;
        /** The condition holds no more: the user is back, or the work has resumed. */
        std::function<void()> lost;
    };

    /** What a wait needs of the world, by kind; the watchers may be missing where there are none. */
    struct Sources
    {
        ProcessWatcher& processes;
        IdleWatcher* idle = nullptr;
        LoadSampler* load = nullptr;
        TimerService& timers;
        const Clock& clock;
    };

    virtual ~RunWait() = default;

    /**
     * The wait of the time mode in `options` (the end of a program, "Inaktivität" or "Leerlauf"),
     * watching already; the condition is to be reached `leadMs` before the time in the options so
     * that an announcement fits in. Nothing, after a box that says why, when it cannot be watched.
     * Nothing for a mode that waits for nothing.
     */
    static std::unique_ptr<RunWait> create(const TEinst& options, qint64 leadMs, const Sources& sources,
                                           MessageBoxes& boxes, Events events);

    virtual Kind kind() const = 0;
    /** For the caption and the tip: what the run waits for. */
    virtual QString waitingFor() const = 0;
    /** How long the condition has held at `nowMs`; for a program, how long the run has waited. */
    virtual qint64 heldMs(qint64 nowMs) const = 0;
    /** How long the condition must hold; 0 when the end cannot be foreseen (a program's end). */
    virtual qint64 neededMs() const { return 0; }
    /** The latest figures the wait looks at, for the status bar; empty when it has none. */
    virtual QString figures() const { return {}; }
};

} // namespace kelvaro
