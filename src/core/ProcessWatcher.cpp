#include "core/ProcessWatcher.h"

namespace kelvaro {

QString RunningProgram::label() const
{
    return QStringLiteral("%1 (%2)").arg(name).arg(pid);
}

ProgramTarget ProgramTarget::parse(const QString& text)
{
    ProgramTarget target;
    const QString trimmed = text.trimmed();
    bool digitsOnly = !trimmed.isEmpty();
    for (const QChar c : trimmed)
        digitsOnly = digitsOnly && c >= u'0' && c <= u'9';
    bool fits = false;
    const qint64 number = trimmed.toLongLong(&fits);
    if (digitsOnly && fits)
        target.pid = number;
    else
        target.name = trimmed;
    return target;
}

} // namespace kelvaro
