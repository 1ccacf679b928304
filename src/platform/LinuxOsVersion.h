#pragma once

#include "core/OsVersion.h"

#include <QByteArray>
#include <QStringList>

namespace kelvaro {

/** The running Linux system: the distribution's name from os-release and the kernel's release. */
class LinuxOsVersion : public OsVersionQuery
{
public:
    /** Reads the first of `osReleasePaths` that can be read; by default the system's own files. */
    explicit LinuxOsVersion(QStringList osReleasePaths = defaultOsReleasePaths());

    static QStringList defaultOsReleasePaths();

    /** The name is "Linux" when no os-release file gives one. */
    OsVersionData query() override;

    /** PRETTY_NAME of an os-release file with the file's quoting and escapes undone; empty when
     *  not set or set to nothing. */
    static QString prettyName(const QByteArray& osRelease);
    /** The first three numeric components of a release such as "6.1.0-27-amd64"; missing ones are 0. */
    static KernelVersion kernelVersion(const QString& release);

private:
    QString distributionName() const;

    QStringList m_osReleasePaths;
};

} // namespace kelvaro
