#pragma once

#include "core/RunAnnouncement.h"

#include <QtGlobal>

#include <functional>

namespace kelvaro {

/**
 * The power action of a run as the run sees it: whether it may start, its announcement, and
 * carrying it out. The window side asks the system, shows the announcement and reports a failure.
 */
class RunPower
{
public:
    virtual ~RunPower() = default;

    /** A run of `action` is about to start: false (after telling the user why) when the system
     *  cannot or may not carry it out. */
    virtual bool mayStart(quint8 action) = 0;
    /** Shows `announcement` of the action at `endMs`, replacing one that is up. */
    virtual void announce(const RunAnnouncement& announcement, qint64 endMs, qint64 secondsLeft) = 0;
    /** The announced action has moved to `endMs`. */
    virtual void setEnd(qint64 endMs) = 0;
    /** The seconds left as the window shows them, for an announcement that counts down. */
    virtual void setSecondsLeft(qint64 secondsLeft) = 0;
    /** Takes the announcement back. */
    virtual void withdraw() = 0;
    /** Carries out `action`; `succeeded` runs when the system accepted it. */
    virtual void carryOut(quint8 action, bool force, std::function<void()> succeeded) = 0;
    /** The run stopped or expired. */
    virtual void runEnded() = 0;
};

} // namespace kelvaro
