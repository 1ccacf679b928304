#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace kelvaro {

/** Platform ids as the system's version query reports them. */
enum OsPlatformId : quint32 {
    VER_PLATFORM_WIN32s = 0,
    VER_PLATFORM_WIN32_WINDOWS = 1,
    VER_PLATFORM_WIN32_NT = 2,
    /** A Linux system; it names itself in `systemName`. */
    VER_PLATFORM_LINUX = 0x4c494e58,
};

/** What the system tells about its version, laid out like OSVERSIONINFO. */
struct OsVersionData
{
    quint32 platformId = 0;
    quint32 majorVersion = 0;
    quint32 minorVersion = 0;
    /** All 32 bits as reported. */
    quint32 buildNumber = 0;
    /** The service-pack text on Windows; the full kernel release on Linux. */
    QString csdVersion;
    /** The system's own name (the distribution's on Linux); empty where the platform id names it. */
    QString systemName;
};

/** Asks the running system for its version. */
class OsVersionQuery
{
public:
    virtual ~OsVersionQuery() = default;
    /** The version data, or nothing when the system cannot tell. */
    virtual std::optional<OsVersionData> query() = 0;
};

} // namespace kelvaro
