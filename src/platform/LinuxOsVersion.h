#pragma once

#include "core/OsVersion.h"

#include <QString>

namespace kelvaro {

/** The running Linux system as Qt reports it: the distribution's name (os-release's PRETTY_NAME)
 *  and the kernel's release. */
class LinuxOsVersion : public OsVersionQuery
{
public:
    /** The name is "Linux" when the system gives none. */
    OsVersionData query() override;

    /** The first three numeric components of a release such as "6.1.0-27-amd64"; missing ones are 0. */
    static KernelVersion kernelVersion(const QString& release);
};

} // namespace kelvaro
