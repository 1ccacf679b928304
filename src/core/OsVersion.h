#pragma once

#include <QString>
#include <QtGlobal>

namespace kelvaro {

/** The first three numbers of a kernel release ("6.1.0-27-amd64" gives 6, 1, 0); 0 where missing. */
struct KernelVersion
{
    quint32 major = 0;
    quint32 minor = 0;
    quint32 patch = 0;
    bool operator==(const KernelVersion&) const = default;
};

/** What the running system tells about itself. */
struct OsVersionData
{
    /** The distribution's name, such as "Debian GNU/Linux 12 (bookworm)"; "Linux" when it gives none. */
    QString systemName;
    /** The kernel release as the kernel reports it; empty when it cannot be asked. */
    QString kernelRelease;
    KernelVersion kernel;
};

/** Asks the running system for its name and version. */
class OsVersionQuery
{
public:
    virtual ~OsVersionQuery() = default;
    virtual OsVersionData query() = 0;
};

} // namespace kelvaro
