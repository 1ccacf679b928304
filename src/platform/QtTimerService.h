#pragma once

#include "core/TimerService.h"

#include <QObject>

#include <unordered_map>

class QTimer;

namespace kelvaro {

/** The program's timer service: one QTimer per running id, on the user-interface thread. */
class QtTimerService : public QObject, public TimerService
{
public:
    explicit QtTimerService(QObject* parent = nullptr);

    bool setTimer(quintptr id, quint32 intervalMs) override;
    void killTimer(quintptr id) override;

private:
    std::unordered_map<quintptr, QTimer*> m_timers;
};

} // namespace kelvaro
