#pragma once

#include "core/ProcessWatcher.h"

namespace kelvaro {

class TimerService;

/**
 * The processes of the running Linux system, read from /proc. A watch holds a pidfd (pidfd_open,
 * Linux 5.3 and later) of each watched process and learns of its end from the event loop, which
 * polls the pidfd; where there is no pidfd it looks in /proc once a second. A program's name is its
 * kernel name or the file name it was started as; a name stands for the user's processes only, a
 * number for any process.
 */
class LinuxProcessWatcher : public ProcessWatcher
{
public:
    enum class Method {
        /** A pidfd of each process, else /proc once a second. */
        Pidfd,
        /** /proc once a second, as where the kernel has no pidfd_open. */
        ProcOnly,
    };

    /** The checks of /proc and the reports of an end run on `timers`, which must outlive the watches. */
    explicit LinuxProcessWatcher(TimerService& timers, Method method = Method::Pidfd);

    QList<RunningProgram> runningPrograms() override;
    std::unique_ptr<ProcessWatch> watch(const ProgramTarget& target, std::function<void()> ended) override;

    /** How often /proc is looked at where there is no pidfd. */
    static constexpr qint64 CheckIntervalMs = 1000;

private:
    TimerService& m_timers;
    Method m_method;
};

} // namespace kelvaro
