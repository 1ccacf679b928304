#include "platform/QuitSignals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace kelvaro {

namespace {

constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};

/** The pipe's write end, for the signal handler (which can reach nothing else). */
volatile sig_atomic_t writeEnd = -1;

struct sigaction previous[std::size(Signals)];

void onSignal(int signal)
{
    // Only what is safe in a signal handler: one write, with errno kept for the interrupted code.
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    if (writeEnd >= 0 && ::write(writeEnd, &number, 1) < 0) {
        // A full pipe holds enough signals already.
    }
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(std::function<void(int signal)> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal))
{
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    writeEnd = m_pipe[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &QuitSignals::readSignals);

    struct sigaction action = {};
    action.sa_handler = &kelvaro::onSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on; the second signal of a kind finds the default handling again.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(Signals); ++i) {
        ::sigaction(Signals[i], nullptr, &previous[i]);
        // A signal the program was started to ignore (nohup) stays ignored.
        if (previous[i].sa_handler != SIG_IGN)
            ::sigaction(Signals[i], &action, nullptr);
    }
}

QuitSignals::~QuitSignals()
{
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < std::size(Signals); ++i)
        ::sigaction(Signals[i], &previous[i], nullptr);
    writeEnd = -1;
    m_notifier.reset();
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void QuitSignals::readSignals()
{
    unsigned char numbers[16];
    ssize_t count = 0;
    while ((count = ::read(m_pipe[0], numbers, sizeof numbers)) > 0)
        for (ssize_t i = 0; i < count; ++i)
            if (m_onSignal)
                m_onSignal(numbers[i]);
}

} // namespace kelvaro
