#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace kelvaro {

/**
 * The signals that ask a program to end (SIGTERM, as when the session ends or `kill` is used;
 * SIGINT from the terminal; SIGHUP when the terminal or the session goes) turned into a call on the
 * program's own thread, so that it can end the way it ends from its window. The signal handler only
 * writes the signal's number into a pipe, which the event loop watches. A second signal of the same
 * kind ends the process at once, as it would have without this: a program that hangs on its way out
 * can still be ended.
 *
 * One instance at a time; it restores the previous handling when it goes.
 */
class QuitSignals : public QObject
{
    Q_OBJECT

public:
    explicit QuitSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    /** Whether the handlers are in place (a pipe could be made). */
    bool installed() const { return m_notifier != nullptr; }

private:
    void readSignals();

    std::function<void(int)> m_onSignal;
    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace kelvaro
