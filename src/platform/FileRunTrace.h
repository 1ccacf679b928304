#pragma once

#include "core/RunTrace.h"

#include <QString>

#include <memory>

namespace kelvaro {

/** Appends one line "<event> <milliseconds since the epoch>" a moment to a file. */
class FileRunTrace : public RunTrace
{
public:
    explicit FileRunTrace(QString path) : m_path(std::move(path)) {}

    void record(const char* event, qint64 msecsSinceEpoch) override;

    /** The trace into the file named by the environment variable KELVARO_TRACE_RUN; none when it is unset. */
    static std::unique_ptr<FileRunTrace> fromEnvironment();

private:
    QString m_path;
};

} // namespace kelvaro
