#include "platform/QtTimerService.h"

#include <QTimer>

#include <algorithm>
#include <limits>

namespace kelvaro {

namespace {

constexpr qint64 kLongestPart = std::numeric_limits<int>::max();

class QtTimer final : public Timer
{
public:
    QtTimer(std::function<void()> onTimeout, TimerPrecision precision) : m_callback(std::move(onTimeout))
    {
        m_timer.setTimerType(precision == TimerPrecision::Precise ? Qt::PreciseTimer : Qt::CoarseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { timeout(); });
    }

    void start(qint64 intervalMs) override
    {
        m_interval = std::clamp<qint64>(intervalMs, 1, kLongestPart);
        m_leftOver = 0;
        m_callback.forgetPending();
        m_timer.setSingleShot(false);
        m_timer.start(static_cast<int>(m_interval));
    }

    void startOnce(qint64 delayMs) override
    {
        m_interval = std::max<qint64>(delayMs, 0);
        m_callback.forgetPending();
        m_timer.setSingleShot(true);
        armPart(m_interval);
    }

    void stop() override
    {
        m_leftOver = 0;
        m_callback.forgetPending();
        m_timer.stop();
    }

    bool isActive() const override { return m_timer.isActive(); }
    qint64 interval() const override { return m_interval; }

private:
    void armPart(qint64 delayMs)
    {
        const qint64 part = std::min(delayMs, kLongestPart);
        m_leftOver = delayMs - part;
        m_timer.start(static_cast<int>(part));
    }

    void timeout()
    {
        if (m_leftOver > 0) {
            armPart(m_leftOver);
            return;
        }
        m_callback.timeout();
    }

    QTimer m_timer;
    TimerCallback m_callback;
    qint64 m_interval = 0;
    qint64 m_leftOver = 0; // of a long single-shot delay, still to wait after the current part
};

} // namespace

std::unique_ptr<Timer> QtTimerService::createTimer(std::function<void()> onTimeout, TimerPrecision precision)
{
    return std::make_unique<QtTimer>(std::move(onTimeout), precision);
}

} // namespace kelvaro
