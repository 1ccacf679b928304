#pragma once

#include "core/OsVersion.h"

#include <QString>
#include <QtGlobal>

#include <memory>

namespace kelvaro {

/** Flags of a request to end the session or the system; they combine with EWX_FORCE. */
inline constexpr quint16 EWX_LOGOFF = 0;
inline constexpr quint16 EWX_SHUTDOWN = 1;
inline constexpr quint16 EWX_REBOOT = 2;
inline constexpr quint16 EWX_FORCE = 4;
inline constexpr quint16 EWX_POWEROFF = 8;

/**
 * The operating-system calls behind the power actions: the platform id, the shutdown privilege of
 * the own process, the request to end the session or the system, and standby. Handles and
 * privilege ids are opaque numbers that only pass from one call to the next.
 */
class PowerPlatform
{
public:
    virtual ~PowerPlatform() = default;

    /** The running system's platform id; VER_PLATFORM_WIN32_NT for the NT family. */
    virtual quint32 platformId() = 0;
    /** Opens the own process's token for adjusting privileges; returns its handle. */
    virtual quintptr openProcessToken() = 0;
    /** Looks up the local id of the privilege called `name`. */
    virtual quint64 lookupPrivilegeValue(const QString& name) = 0;
    /** Enables the privilege `privilege` in the token `token`. */
    virtual void adjustTokenPrivileges(quintptr token, quint64 privilege) = 0;
    /** Closes a handle returned by openProcessToken(). */
    virtual void closeHandle(quintptr handle) = 0;
    /** Asks the system to log off, shut down, power off or restart by `flags`; true when accepted.
     *  Returns without waiting for the system to act. */
    virtual bool exitWindowsEx(quint16 flags) = 0;
    /** Asks the system to go to standby; returns at once and reports nothing. */
    virtual void suspend() = 0;
};

} // namespace kelvaro
