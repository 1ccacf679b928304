#pragma once

#include "core/IdleWatcher.h"

#include <memory>

namespace kelvaro::test {

/** An idle clock the test moves: it says when the user has gone and come back. Without `available`
 *  it is a desktop with no idle clock. */
class FakeIdleWatcher : public IdleWatcher
{
public:
    bool available = true;
    /** What the watches report as the time without input. */
    qint64 idleMs = 0;
    /** The threshold of the latest watch. */
    qint64 thresholdMs = 0;

    std::unique_ptr<IdleWatch> watch(qint64 threshold, std::function<void(bool idle)> changed) override
    {
        if (!available)
            return nullptr;
        thresholdMs = threshold;
        auto watch = std::make_unique<Watch>(*this);
        m_changed = std::move(changed);
        m_alive = watch->alive;
        return watch;
    }
    QString source() const override { return available ? QStringLiteral("Test") : QString(); }

    /** The user goes (or comes back): the live watch, if any, is told. */
    void setIdle(bool idle)
    {
        idleMs = idle ? thresholdMs : 0;
        if (!m_alive.expired())
            m_changed(idle);
    }
    /** Whether a watch is held. */
    bool watching() const { return !m_alive.expired(); }

private:
    struct Watch : IdleWatch
    {
        explicit Watch(const FakeIdleWatcher& watcher) : owner(watcher) {}
        qint64 idleMs() const override { return owner.idleMs; }
        const FakeIdleWatcher& owner;
        std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    };

    std::function<void(bool)> m_changed;
    std::weak_ptr<bool> m_alive;
};

} // namespace kelvaro::test
