#include "core/RunWait.h"

#include "core/Clock.h"
#include "core/IdleWatcher.h"
#include "core/MessageBoxes.h"
#include "core/ProcessWatcher.h"
#include "core/QuietWatch.h"
#include "core/RunSchedule.h"
#include "core/TEinst.h"

#include <QCoreApplication>

#include <algorithm>

namespace kelvaro {

namespace {

/** Waits for the end of a program. */
class ProgramWait : public RunWait
{
public:
    explicit ProgramWait(qint64 startMs) : m_startMs(startMs) {}

    bool watch(ProcessWatcher& processes, const ProgramTarget& target, std::function<void()> ended)
    {
        m_watch = processes.watch(target, std::move(ended));
        return m_watch != nullptr;
    }

    Kind kind() const override { return Kind::Program; }
    QString waitingFor() const override { return m_watch ? m_watch->description() : QString(); }
    qint64 heldMs(qint64 nowMs) const override { return std::max<qint64>(nowMs - m_startMs, 0); }

    /** The program has ended: nothing more to watch. */
    void ended() { m_watch.reset(); }

private:
    qint64 m_startMs;
    std::unique_ptr<ProcessWatch> m_watch;
};

/** Waits until no input has arrived for the time. */
class InactivityWait : public RunWait
{
public:
    explicit InactivityWait(qint64 neededMs) : m_neededMs(neededMs) {}

    void setWatch(std::unique_ptr<IdleWatch> watch) { m_watch = std::move(watch); }

    Kind kind() const override { return Kind::Inactivity; }
    QString waitingFor() const override { return QCoreApplication::translate("RunWait", "Inaktivität"); }
    qint64 heldMs(qint64) const override { return m_watch ? m_watch->idleMs() : 0; }
    qint64 neededMs() const override { return m_neededMs; }

private:
    qint64 m_neededMs;
    std::unique_ptr<IdleWatch> m_watch;
};

/** Waits until the processor and the network have been quiet for the time. */
class QuietWait : public RunWait
{
public:
    QuietWait(LoadSampler& load, TimerService& timers, const Clock& clock, qint64 neededMs, Events events)
        : m_neededMs(neededMs), m_watch(load, timers, clock,
                                        QuietWatch::Callbacks{{},
                                                              [this, reached = std::move(events.reached)] {
                                                                  reached(m_watch.progress().quietMs);
                                                              },
                                                              std::move(events.lost)})
    {}

    bool start(qint32 cpuPercent, qint32 netKBps, qint64 quietMs)
    {
        m_cpuLimit = cpuPercent;
        m_netLimit = netKBps;
        return m_watch.start(cpuPercent, netKBps, quietMs);
    }

    Kind kind() const override { return Kind::Quiet; }
    QString waitingFor() const override { return QCoreApplication::translate("RunWait", "Leerlauf"); }
    qint64 heldMs(qint64) const override { return m_watch.progress().quietMs; }
    qint64 neededMs() const override { return m_neededMs; }
    QString figures() const override
    {
        const QuietProgress& p = m_watch.progress();
        return RunSchedule::loadFiguresText(p.cpuPercent, p.netKBps, m_cpuLimit, m_netLimit);
    }

private:
    qint64 m_neededMs;
    qint32 m_cpuLimit = 0;
    qint32 m_netLimit = 0;
    QuietWatch m_watch;
};

} // namespace

std::unique_ptr<RunWait> RunWait::create(const TEinst& options, qint64 leadMs, const Sources& sources,
                                         MessageBoxes& boxes, Events events)
{
    qint32 h = 0, m = 0, s = 0;
    options.GetZeit(h, m, s);
    const qint64 neededMs = RunSchedule::countdownEnd(0, h, m, s);
    // The condition is reached the lead time early: the announcement then ends with the time.
    const qint64 thresholdMs = std::max<qint64>(neededMs - leadMs, 0);

    switch (options.GetZeitMode()) {
    case ZeitProgrammende: {
        const ProgramTarget target = ProgramTarget::parse(options.GetProgramm());
        if (target.empty()) {
            boxes.warning(RunSchedule::noProgramText());
            return nullptr;
        }
        auto wait = std::make_unique<ProgramWait>(sources.clock.currentMSecsSinceEpoch());
        ProgramWait* const self = wait.get();
        if (!wait->watch(sources.processes, target, [self, reached = std::move(events.reached)] {
                self->ended();
                reached(0);
            })) {
            boxes.warning(RunSchedule::programNotRunningText(target.text()));
            return nullptr;
        }
        return wait;
    }
    case ZeitInaktivitaet: {
        auto wait = std::make_unique<InactivityWait>(neededMs);
        InactivityWait* const self = wait.get();
        std::unique_ptr<IdleWatch> watch;
        if (sources.idle)
            watch = sources.idle->watch(thresholdMs, [self, events](bool idle) {
                if (idle)
                    events.reached(self->heldMs(0));
                else
                    events.lost();
            });
        if (!watch) {
            boxes.warning(RunSchedule::noIdleClockText());
            return nullptr;
        }
        wait->setWatch(std::move(watch));
        return wait;
    }
    case ZeitLeerlauf: {
        const qint32 cpu = options.GetLeerlaufCpu();
        const qint32 net = options.GetLeerlaufNetz();
        if (!QuietWatch::limitsWatchable(cpu, net)) {
            boxes.warning(RunSchedule::noQuietLimitText());
            return nullptr;
        }
        if (!sources.load) {
            boxes.warning(RunSchedule::noLoadFiguresText());
            return nullptr;
        }
        auto wait =
            std::make_unique<QuietWait>(*sources.load, sources.timers, sources.clock, neededMs, std::move(events));
        if (!wait->start(cpu, net, thresholdMs)) {
            boxes.warning(RunSchedule::noLoadFiguresText());
            return nullptr;
        }
        return wait;
    }
    default:
        return nullptr;
    }
}

} // namespace kelvaro
