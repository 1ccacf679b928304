#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <optional>

namespace kelvaro::test {

/** Whether the freedesktop validator (desktop-file-utils) is installed. */
inline bool desktopFileValidatorAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty();
}

/** The validator's complaints about the launcher file at `path`, or nothing when it passes. */
inline std::optional<QString> desktopFileComplaints(const QString& path)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("desktop-file-validate"), {path});
    if (!process.waitForFinished(30000))
        return QStringLiteral("desktop-file-validate did not finish");
    const QString output = QString::fromUtf8(process.readAll());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !output.trimmed().isEmpty())
        return output;
    return std::nullopt;
}

} // namespace kelvaro::test
