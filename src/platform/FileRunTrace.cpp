#include "platform/FileRunTrace.h"

#include <QFile>

namespace kelvaro {

void FileRunTrace::record(const char* event, qint64 msecsSinceEpoch)
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QByteArray line(event);
    line += ' ';
    line += QByteArray::number(msecsSinceEpoch);
    line += '\n';
    file.write(line);
}

std::unique_ptr<FileRunTrace> FileRunTrace::fromEnvironment()
{
    const QString path = qEnvironmentVariable("KELVARO_TRACE_RUN");
    if (path.isEmpty())
        return nullptr;
    return std::make_unique<FileRunTrace>(path);
}

} // namespace kelvaro
