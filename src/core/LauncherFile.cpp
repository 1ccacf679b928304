#include "core/LauncherFile.h"

#include "core/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kelvaro {

namespace {

/** Control characters turned into blanks, for the texts that are only shown (name, comment). */
QString displayText(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return result.trimmed();
}

/** The escaping of a string value in a key file. Texts given here carry no control characters. */
QString escapeValue(const QString& text)
{
    QString result;
    result.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            result += QStringLiteral("\\\\");
        else
            result += c;
    }
    // Leading blanks of a value would be dropped by a reader.
    if (result.startsWith(QLatin1Char(' ')))
        result.replace(0, 1, QStringLiteral("\\s"));
    return result;
}

/** One argument of an Exec line in double quotes; `"`, backtick, `$` and `\` are escaped with a
 *  backslash and `%` is doubled, so it cannot be read as a field code. */
QString quoteArgument(const QString& argument)
{
    QString result = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            result += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('%'))
            result += QStringLiteral("%%");
        else
            result += c;
    }
    return result + QLatin1Char('"');
}

std::optional<QString> unescapeValue(const QString& value)
{
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != QLatin1Char('\\')) {
            result += value[i];
            continue;
        }
        if (++i >= value.size())
            return std::nullopt;
        switch (value[i].unicode()) {
        case u's':
            result += QLatin1Char(' ');
            break;
        case u'n':
            result += QLatin1Char('\n');
            break;
        case u't':
            result += QLatin1Char('\t');
            break;
        case u'r':
            result += QLatin1Char('\r');
            break;
        case u'\\':
            result += QLatin1Char('\\');
            break;
        default:
            return std::nullopt;
        }
    }
    return result;
}

/** "%%" becomes "%"; any other field code expands to nothing, as for a launcher started without files. */
std::optional<QString> expandFieldCodes(const QString& argument)
{
    QString result;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (argument[i] != QLatin1Char('%')) {
            result += argument[i];
            continue;
        }
        if (++i >= argument.size())
            return std::nullopt;
        if (argument[i] == QLatin1Char('%'))
            result += QLatin1Char('%');
    }
    return result;
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

QString LauncherFolder()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    // The XDG base directory rules say to ignore a relative path there.
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    const QString folder = QDir::cleanPath(dataHome + QStringLiteral("/applications"));
    return QDir().mkpath(folder) ? folder : QDir::homePath();
}

std::optional<QString> ExecValue(const QString& program, const QStringList& arguments)
{
    if (hasControlCharacter(program))
        return std::nullopt;
    QStringList quoted{quoteArgument(program)};
    for (const QString& argument : arguments) {
        if (hasControlCharacter(argument))
            return std::nullopt;
        quoted << quoteArgument(argument);
    }
    return escapeValue(quoted.join(QLatin1Char(' ')));
}

std::optional<QStringList> ParseExecValue(const QString& value)
{
    const std::optional<QString> command = unescapeValue(value);
    if (!command)
        return std::nullopt;
    const QString& text = *command;
    QStringList arguments;
    qsizetype pos = 0;
    while (true) {
        while (pos < text.size() && isSeparator(text[pos]))
            ++pos;
        if (pos >= text.size())
            break;
        QString argument;
        const bool quoted = text[pos] == QLatin1Char('"');
        if (quoted) {
            for (++pos; pos < text.size() && text[pos] != QLatin1Char('"'); ++pos) {
                if (text[pos] == QLatin1Char('\\')) {
                    if (pos + 1 >= text.size() || !QStringLiteral("\"`$\\").contains(text[pos + 1]))
                        return std::nullopt;
                    ++pos;
                }
                argument += text[pos];
            }
            if (pos >= text.size())
                return std::nullopt; // no closing quote
            ++pos;
            if (pos < text.size() && !isSeparator(text[pos]))
                return std::nullopt; // a quote must enclose the whole argument
        } else {
            while (pos < text.size() && !isSeparator(text[pos]))
                argument += text[pos++];
        }
        const std::optional<QString> expanded = expandFieldCodes(argument);
        if (!expanded)
            return std::nullopt;
        if (quoted || !expanded->isEmpty())
            arguments << *expanded;
    }
    if (arguments.isEmpty())
        return std::nullopt;
    return arguments;
}

std::optional<QStringList> ReadLauncherCommand(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    bool inEntry = false;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inEntry || equals < 0 || line.left(equals).trimmed() != QStringLiteral("Exec"))
            continue;
        qsizetype start = equals + 1;
        while (start < line.size() && isSeparator(line[start]))
            ++start;
        return ParseExecValue(line.mid(start));
    }
    return std::nullopt;
}

bool CreateShortcut(const QString& programPath, const QString& arguments, const QString& filePath,
                    const QString& description, QString* error)
{
    const std::optional<QString> exec = ExecValue(programPath, SplitParameters(arguments));
    if (!exec)
        return fail(error, QStringLiteral("A line break or another control character cannot be part of a launcher's "
                                          "command."));
    if (filePath.isEmpty())
        return fail(error, QStringLiteral("No file name given."));

    QString name = displayText(QFileInfo(filePath).completeBaseName());
    if (name.isEmpty())
        name = displayText(description);
    if (name.isEmpty())
        name = QStringLiteral("Kelvaro");
    const QString comment = displayText(description);

    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.0\n");
    text += QStringLiteral("Name=") + escapeValue(name) + QLatin1Char('\n');
    if (!comment.isEmpty())
        text += QStringLiteral("Comment=") + escapeValue(comment) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + *exec + QLatin1Char('\n');
    text += QStringLiteral("Path=") + escapeValue(QFileInfo(programPath).absolutePath()) + QLatin1Char('\n');
    text += QStringLiteral("Terminal=false\nIcon=kelvaro\n");

    // Written under a temporary name in the same folder and renamed into place, so a reader never
    // sees half a file and a failure leaves nothing behind.
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, file.errorString());
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return fail(error, file.errorString());
    }
    // Desktops start only launchers that are marked executable.
    const bool executable = file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                QFileDevice::ReadOther | QFileDevice::ExeOther);
    if (!executable) {
        file.cancelWriting();
        return fail(error, file.errorString());
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

} // namespace kelvaro
