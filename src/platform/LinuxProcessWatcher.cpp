#include "platform/LinuxProcessWatcher.h"

#include "core/TimerService.h"
#include "platform/ProcessTable.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace kelvaro {

namespace {

/** A pidfd of process `pid` (readable once the process has ended), or -1 with errno set. */
int openPidfd(qint64 pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
#else
    errno = ENOSYS;
    return -1;
#endif
}

/** A process of the user other than this program. */
bool ownedByUser(const ProcessEntry& process)
{
    return process.uid == ::getuid() && process.pid != QCoreApplication::applicationPid();
}

/** The user's running processes that `name` names. */
QList<ProcessEntry> namedProcesses(const QString& name)
{
    QList<ProcessEntry> found;
    for (const ProcessEntry& process : ProcessTable::all()) {
        if (ownedByUser(process) && process.alive() && process.isNamed(name))
            found << process;
    }
    return found;
}

/** Whether `process` (not a later one with its number) still runs. */
bool stillRuns(const ProcessEntry& process)
{
    const std::optional<ProcessEntry> now = ProcessTable::read(process.pid);
    return now && now->sameAs(process) && now->alive();
}

/**
 * Waits for the end of processes: each by its pidfd where there is one, the others by a look into
 * /proc once a second. When none is left, a watch for a name looks for the user's processes of that
 * name once more (a download tool may have started the next download) and goes on with those.
 */
class Watch final : public ProcessWatch
{
public:
    Watch(ProgramTarget target, QString description, TimerService& timers, LinuxProcessWatcher::Method method,
          std::function<void()> ended)
        : m_target(std::move(target)), m_description(std::move(description)), m_method(method),
          m_ended(std::move(ended)), m_check(timers.create([this] { step(); })),
          m_step(timers.create([this] { step(); }))
    {}

    QString description() const override { return m_description; }

    /** Watches `processes`; when none of them can be watched any more, the end is looked at soon. */
    void add(const QList<ProcessEntry>& processes)
    {
        for (const ProcessEntry& process : processes) {
            if (m_method == LinuxProcessWatcher::Method::ProcOnly) {
                m_polled << process;
                continue;
            }
            const int fd = openPidfd(process.pid);
            if (fd < 0) {
                if (errno != ESRCH) // no pidfd here (an older kernel, a sandbox): /proc it is
                    m_polled << process;
                continue;
            }
            // The number may have gone to another process between the look into /proc and the pidfd.
            if (!stillRunsOrJustEnded(process)) {
                ::close(fd);
                continue;
            }
            auto pidfd = std::make_unique<Pidfd>(fd);
            Pidfd* const raw = pidfd.get();
            QObject::connect(raw->notifier.get(), &QSocketNotifier::activated, raw->notifier.get(), [this, raw] {
                // Dropped from the event loop, not inside the notifier's own signal.
                raw->notifier->setEnabled(false);
                raw->ended = true;
                m_step->startOnce(0);
            });
            m_pidfds.push_back(std::move(pidfd));
        }
        if (!m_polled.isEmpty() && !m_check->isActive())
            m_check->start(LinuxProcessWatcher::CheckIntervalMs);
        if (m_pidfds.empty() && m_polled.isEmpty())
            m_step->startOnce(0);
    }

private:
    struct Pidfd
    {
        explicit Pidfd(int descriptor)
            : fd(descriptor), notifier(std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read))
        {}
        ~Pidfd()
        {
            notifier.reset();
            ::close(fd);
        }
        int fd;
        std::unique_ptr<QSocketNotifier> notifier;
        bool ended = false;
    };

    static bool stillRunsOrJustEnded(const ProcessEntry& process)
    {
        const std::optional<ProcessEntry> now = ProcessTable::read(process.pid);
        return now && now->sameAs(process);
    }

    void step()
    {
        if (!m_ended)
            return; // reported already
        std::erase_if(m_pidfds, [](const std::unique_ptr<Pidfd>& pidfd) { return pidfd->ended; });
        m_polled.removeIf([](const ProcessEntry& process) { return !stillRuns(process); });
        if (m_polled.isEmpty())
            m_check->stop();
        if (!m_pidfds.empty() || !m_polled.isEmpty())
            return;
        if (!m_target.pid) {
            const QList<ProcessEntry> more = namedProcesses(m_target.name);
            if (!more.isEmpty()) {
                add(more);
                return;
            }
        }
        // The callback may destroy the watch, and with it the callback: it runs from here.
        const std::function<void()> ended = std::move(m_ended);
        ended();
    }

    ProgramTarget m_target;
    QString m_description;
    LinuxProcessWatcher::Method m_method;
    std::function<void()> m_ended;
    std::vector<std::unique_ptr<Pidfd>> m_pidfds;
    QList<ProcessEntry> m_polled;   // the processes without a pidfd, looked for in /proc
    std::unique_ptr<Timer> m_check; // the look into /proc, once a second while there are such
    std::unique_ptr<Timer> m_step;  // a pidfd has told of an end: looked at from the event loop
};

} // namespace

LinuxProcessWatcher::LinuxProcessWatcher(TimerService& timers, Method method) : m_timers(timers), m_method(method) {}

QList<RunningProgram> LinuxProcessWatcher::runningPrograms()
{
    QList<RunningProgram> programs;
    for (const ProcessEntry& process : ProcessTable::all()) {
        // Kernel threads have no command line.
        if (ownedByUser(process) && process.alive() && !process.argv0Name.isEmpty())
            programs << RunningProgram{process.pid, process.name()};
    }
    std::sort(programs.begin(), programs.end(), [](const RunningProgram& a, const RunningProgram& b) {
        const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.pid < b.pid;
    });
    return programs;
}

std::unique_ptr<ProcessWatch> LinuxProcessWatcher::watch(const ProgramTarget& target, std::function<void()> ended)
{
    QList<ProcessEntry> processes;
    QString description;
    if (target.pid) {
        const std::optional<ProcessEntry> process = ProcessTable::read(*target.pid);
        if (process && process->alive()) {
            processes << *process;
            description = RunningProgram{process->pid, process->name()}.label();
        }
    } else if (!target.name.isEmpty()) {
        processes = namedProcesses(target.name);
        description = target.name;
    }
    if (processes.isEmpty())
        return nullptr;
    auto watch = std::make_unique<Watch>(target, description, m_timers, m_method, std::move(ended));
    watch->add(processes);
    return watch;
}

} // namespace kelvaro
