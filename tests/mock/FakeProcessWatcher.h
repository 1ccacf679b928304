#pragma once

#include "core/ProcessWatcher.h"

#include <QList>

#include <algorithm>
#include <vector>

namespace kelvaro::test {

/** Running programs as a test sets them up; a program the test ends ends the watches waiting for it. */
class FakeProcessWatcher : public ProcessWatcher
{
public:
    QList<RunningProgram> programs;
    /** How often the list of running programs was read. */
    int lists = 0;

    QList<RunningProgram> runningPrograms() override
    {
        ++lists;
        return programs;
    }

    std::unique_ptr<ProcessWatch> watch(const ProgramTarget& target, std::function<void()> ended) override
    {
        const auto named =
            std::find_if(programs.begin(), programs.end(), [&](const auto& p) { return runs(target, p); });
        if (named == programs.end())
            return nullptr;
        auto watch = std::make_unique<Watch>(target.pid ? named->label() : target.name);
        m_watches.push_back({target, std::move(ended), watch->alive});
        return watch;
    }

    /** The program `pid` ends: a watch is told once none of the programs it waits for is left. */
    void end(qint64 pid)
    {
        programs.removeIf([pid](const RunningProgram& p) { return p.pid == pid; });
        for (std::size_t i = 0; i < m_watches.size(); ++i) {
            Waiting& waiting = m_watches[i];
            if (!waiting.alive.expired() && waiting.ended &&
                std::none_of(programs.begin(), programs.end(), [&](const auto& p) { return runs(waiting.target, p); }))
                std::exchange(waiting.ended, {})(); // may destroy the watch
        }
    }

    /** How many watches wait for an end. */
    int watching() const
    {
        return int(std::count_if(m_watches.begin(), m_watches.end(),
                                 [](const Waiting& w) { return !w.alive.expired() && w.ended; }));
    }

private:
    struct Watch final : ProcessWatch
    {
        explicit Watch(QString text) : m_description(std::move(text)) {}
        QString description() const override { return m_description; }
        QString m_description;
        std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    };
    struct Waiting
    {
        ProgramTarget target;
        std::function<void()> ended;
        std::weak_ptr<bool> alive;
    };

    static bool runs(const ProgramTarget& target, const RunningProgram& program)
    {
        return target.pid ? *target.pid == program.pid : !target.name.isEmpty() && target.name == program.name;
    }

    std::vector<Waiting> m_watches;
};

} // namespace kelvaro::test
