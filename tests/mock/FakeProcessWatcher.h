#pragma once

#include "core/ProcessWatcher.h"

#include <QList>

#include <algorithm>
#include <set>

namespace kelvaro::test {

/** Running programs as a test sets them up; a program the test ends ends the watches waiting for it. */
class FakeProcessWatcher : public ProcessWatcher
{
public:
    QList<RunningProgram> programs;
    /** How often the list of running programs was read. */
    int lists = 0;

    ~FakeProcessWatcher() override
    {
        for (FakeWatch* watch : m_watches)
            watch->m_watcher = nullptr;
    }

    QList<RunningProgram> runningPrograms() override
    {
        ++lists;
        return programs;
    }

    std::unique_ptr<ProcessWatch> watch(const ProgramTarget& target, std::function<void()> ended) override
    {
        const auto named =
            std::find_if(programs.begin(), programs.end(), [&](const RunningProgram& p) { return matches(target, p); });
        if (named == programs.end())
            return nullptr;
        return std::make_unique<FakeWatch>(*this, target, target.pid ? named->label() : target.name, std::move(ended));
    }

    /** The program `pid` ends: a watch is told once none of the programs it waits for is left. */
    void end(qint64 pid)
    {
        programs.removeIf([pid](const RunningProgram& p) { return p.pid == pid; });
        const std::set<FakeWatch*> watches = m_watches;
        for (FakeWatch* watch : watches) {
            if (m_watches.count(watch) && std::none_of(programs.begin(), programs.end(), [&](const RunningProgram& p) {
                    return matches(watch->m_target, p);
                }))
                watch->report();
        }
    }

    /** How many watches are kept. */
    int watching() const { return static_cast<int>(m_watches.size()); }

private:
    class FakeWatch final : public ProcessWatch
    {
    public:
        FakeWatch(FakeProcessWatcher& watcher, ProgramTarget target, QString description, std::function<void()> ended)
            : m_watcher(&watcher), m_target(std::move(target)), m_description(std::move(description)),
              m_ended(std::move(ended))
        {
            m_watcher->m_watches.insert(this);
        }
        ~FakeWatch() override
        {
            if (m_watcher)
                m_watcher->m_watches.erase(this);
        }
        QString description() const override { return m_description; }

        void report()
        {
            m_watcher->m_watches.erase(this);
            m_watcher = nullptr;
            const std::function<void()> ended = std::move(m_ended);
            ended(); // may destroy this watch
        }

        FakeProcessWatcher* m_watcher;
        ProgramTarget m_target;
        QString m_description;
        std::function<void()> m_ended;
    };

    static bool matches(const ProgramTarget& target, const RunningProgram& program)
    {
        return target.pid ? *target.pid == program.pid : !target.name.isEmpty() && target.name == program.name;
    }

    std::set<FakeWatch*> m_watches;
};

} // namespace kelvaro::test
