// The watch over real child processes: a copy of sleep under a name no other process has, ended by
// the test. Each test runs with a pidfd and with the look into /proc once a second, on virtual time.
#include "platform/LinuxProcessWatcher.h"

#include "mock/FakeClock.h"
#include "mock/TempDir.h"
#include "mock/VirtualTimerService.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

using Method = LinuxProcessWatcher::Method;

class ProcessWatch : public ::testing::TestWithParam<Method>
{
protected:
    void SetUp() override
    {
        // Short enough for the kernel's name of a process (15 characters).
        m_name = QStringLiteral("kvt%1").arg(QCoreApplication::applicationPid() % 1'000'000);
        ASSERT_TRUE(QFile::copy(QStandardPaths::findExecutable(QStringLiteral("sleep")), m_dir.file(m_name)));
        ASSERT_TRUE(QFile::setPermissions(m_dir.file(m_name), QFile::ReadOwner | QFile::ExeOwner));
    }

    /** Starts the copy of sleep for a minute; the test ends it with endSleep(). */
    qint64 startSleep()
    {
        QProcess& process = *m_processes.emplace_back(std::make_unique<QProcess>());
        process.start(m_dir.file(m_name), {QStringLiteral("60")});
        EXPECT_TRUE(process.waitForStarted());
        return process.processId();
    }

    /** Ends the `index`th process started and collects it, so that it is gone from /proc. */
    void endSleep(std::size_t index)
    {
        m_processes[index]->kill();
        EXPECT_TRUE(m_processes[index]->waitForFinished());
    }

    std::unique_ptr<kelvaro::ProcessWatch> watch(const QString& text)
    {
        return m_watcher.watch(ProgramTarget::parse(text), [this] { ++m_ended; });
    }

    /** Gives the watch its chance to see an end: the event loop for a pidfd, a look into /proc. */
    void look()
    {
        QCoreApplication::processEvents();
        m_timers.advance(LinuxProcessWatcher::CheckIntervalMs);
    }

    /** Whether the end is reported: at the next look into /proc, or once the event loop has seen the
     *  pidfd (the bound only stops a hang). */
    bool endReported()
    {
        const qint64 step = GetParam() == Method::ProcOnly ? LinuxProcessWatcher::CheckIntervalMs : 0;
        return QTest::qWaitFor(
            [&] {
                m_timers.advance(step);
                return m_ended > 0;
            },
            10'000);
    }

    TempDir m_dir;
    QString m_name;
    std::deque<std::unique_ptr<QProcess>> m_processes;
    FakeClock m_clock;
    VirtualTimerService m_timers{m_clock};
    LinuxProcessWatcher m_watcher{m_timers, GetParam()};
    int m_ended = 0;
};

TEST_P(ProcessWatch, ByNumberReportsTheEndOnce)
{
    const qint64 pid = startSleep();
    const auto watching = watch(QString::number(pid));
    ASSERT_TRUE(watching);
    EXPECT_EQ(watching->description(), QStringLiteral("%1 (%2)").arg(m_name).arg(pid));
    // A pidfd needs no timer; /proc is looked at once a second, never more often.
    const int before = m_timers.timeouts();
    m_timers.advance(10'000);
    EXPECT_EQ(m_timers.timeouts() - before, GetParam() == Method::ProcOnly ? 10 : 0);
    EXPECT_EQ(m_ended, 0);
    endSleep(0);
    EXPECT_TRUE(endReported());
    look();
    EXPECT_EQ(m_ended, 1);
}

TEST_P(ProcessWatch, ByNameWaitsForEveryProcessOfThatNameAlsoOneStartedMeanwhile)
{
    startSleep();
    startSleep();
    const auto watching = watch(QStringLiteral("  %1 ").arg(m_name));
    ASSERT_TRUE(watching);
    EXPECT_EQ(watching->description(), m_name);
    endSleep(0);
    look();
    startSleep();
    endSleep(1);
    look();
    look();
    EXPECT_EQ(m_ended, 0);
    endSleep(2);
    EXPECT_TRUE(endReported());
}

TEST_P(ProcessWatch, NothingForAProcessThatHasGoneOrNeverRanNorAfterTheWatchStopped)
{
    const qint64 pid = startSleep();
    auto watching = watch(m_name);
    ASSERT_TRUE(watching);
    watching.reset();
    endSleep(0);
    look();
    EXPECT_EQ(m_ended, 0);
    EXPECT_FALSE(watch(QString::number(pid)));
    EXPECT_FALSE(watch(m_name));
    EXPECT_FALSE(watch(QStringLiteral("  ")));
    EXPECT_EQ(m_timers.activeCount(), 0);
}

TEST_P(ProcessWatch, ListsTheUsersProgramsWithTheirNumbersButNotItself)
{
    const qint64 pid = startSleep();
    const QList<RunningProgram> programs = m_watcher.runningPrograms();
    EXPECT_TRUE(programs.contains(RunningProgram{pid, m_name}));
    EXPECT_TRUE(std::none_of(programs.begin(), programs.end(),
                             [](const RunningProgram& p) { return p.pid == QCoreApplication::applicationPid(); }));
    EXPECT_TRUE(std::is_sorted(programs.begin(), programs.end(), [](const auto& a, const auto& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    }));
}

INSTANTIATE_TEST_SUITE_P(Methods, ProcessWatch, ::testing::Values(Method::Pidfd, Method::ProcOnly),
                         [](const ::testing::TestParamInfo<Method>& row) {
                             return row.param == Method::Pidfd ? "Pidfd" : "ProcOnly";
                         });

} // namespace
