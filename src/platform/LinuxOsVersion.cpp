#include "platform/LinuxOsVersion.h"

#include <QFile>
#include <QRegularExpression>

#include <sys/utsname.h>

namespace kelvaro {

namespace {

/** Characters a backslash escapes inside double quotes of an os-release value (shell rules). */
bool escapableInDoubleQuotes(QChar c)
{
    return c == u'"' || c == u'\\' || c == u'$' || c == u'`';
}

/**
 * Undoes the shell quoting of an os-release value: double-quoted parts (with \" \\ \$ \` escapes),
 * single-quoted parts taken literally, backslash escapes outside quotes, and parts written next to
 * each other joined. An unquoted blank ends the value.
 */
QString unquoteValue(QStringView value)
{
    QString out;
    const qsizetype n = value.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = value[i];
        if (c == u'"') {
            for (++i; i < n && value[i] != u'"'; ++i) {
                if (value[i] == u'\\' && i + 1 < n && escapableInDoubleQuotes(value[i + 1]))
                    ++i;
                out += value[i];
            }
            ++i; // closing quote
        } else if (c == u'\'') {
            for (++i; i < n && value[i] != u'\''; ++i)
                out += value[i];
            ++i;
        } else if (c == u'\\') {
            if (i + 1 < n)
                out += value[i + 1];
            i += 2;
        } else if (c.isSpace()) {
            break;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace

LinuxOsVersion::LinuxOsVersion(QStringList osReleasePaths) : m_osReleasePaths(std::move(osReleasePaths)) {}

QStringList LinuxOsVersion::defaultOsReleasePaths()
{
    // /usr/lib/os-release is the vendor's copy that /etc/os-release usually links to.
    return {QStringLiteral("/etc/os-release"), QStringLiteral("/usr/lib/os-release")};
}

OsVersionData LinuxOsVersion::query()
{
    OsVersionData data;
    data.systemName = distributionName();
    struct utsname names = {};
    if (::uname(&names) == 0) {
        data.kernelRelease = QString::fromLocal8Bit(names.release);
        data.kernel = kernelVersion(data.kernelRelease);
    }
    return data;
}

QString LinuxOsVersion::distributionName() const
{
    for (const QString& path : m_osReleasePaths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString name = prettyName(file.readAll());
        return name.isEmpty() ? QStringLiteral("Linux") : name;
    }
    return QStringLiteral("Linux");
}

QString LinuxOsVersion::prettyName(const QByteArray& osRelease)
{
    QString name;
    const QString text = QString::fromUtf8(osRelease);
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || line.left(eq).trimmed() != QLatin1String("PRETTY_NAME"))
            continue;
        name = unquoteValue(line.mid(eq + 1).trimmed()); // a later assignment wins, as in the shell
    }
    return name;
}

KernelVersion LinuxOsVersion::kernelVersion(const QString& release)
{
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch match = numbers.match(release);
    const auto number = [&match](int group) {
        bool ok = false;
        const quint32 value = match.captured(group).toUInt(&ok);
        return ok ? value : 0u;
    };
    return {number(1), number(2), number(3)};
}

} // namespace kelvaro
