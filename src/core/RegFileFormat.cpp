#include "core/RegFileFormat.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QStringDecoder>

#include <algorithm>

namespace kelvaro::RegFileFormat {

namespace {

constexpr QByteArrayView kSignature = "REGEDIT4";
constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";
const QString kHive = QStringLiteral("HKEY_CURRENT_USER");
// Hex values are wrapped like regedit does once a line reaches this many characters.
constexpr qsizetype kWrapColumn = 76;

// ---------------------------------------------------------------------------------------------
// Writing

QString joinPath(const QString& parent, const QString& name)
{
    return parent.isEmpty() ? name : parent + u'\\' + name;
}

QByteArray quoted(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (const char c : utf8) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

bool hasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

QByteArray withTerminatingZero(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes += '\0';
    return bytes;
}

/** Appends `line` followed by `bytes` as comma separated hex, wrapped with ",\" and an indent. */
void appendHexLine(QByteArray& out, QByteArray line, const QByteArray& bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        line += digits[byte >> 4];
        line += digits[byte & 0x0F];
        if (i + 1 < bytes.size()) {
            line += ',';
            if (line.size() >= kWrapColumn) {
                out += line;
                out += "\\\n";
                line = "  ";
            }
        }
    }
    out += line;
    out += '\n';
}

void appendValue(QByteArray& out, const QString& name, const RegValue& value)
{
    QByteArray line = name.isEmpty() ? QByteArray("@") : quoted(name);
    line += '=';
    switch (value.type) {
    case REG_SZ:
        // A text with line breaks or other control characters goes as bytes so it survives exactly.
        if (hasControlCharacter(value.text))
            return appendHexLine(out, line + "hex(1):", withTerminatingZero(value.text));
        out += line + quoted(value.text) + '\n';
        return;
    case REG_EXPAND_SZ:
        return appendHexLine(out, line + "hex(2):", withTerminatingZero(value.text));
    case REG_DWORD:
        out += line + "dword:" + QByteArray::number(value.dword, 16).rightJustified(8, '0') + '\n';
        return;
    case REG_BINARY:
        return appendHexLine(out, line + "hex:", value.data);
    default:
        // Like regedit, hex(n) gives the type number in hex: hex(b) is REG_QWORD.
        return appendHexLine(out, line + "hex(" + QByteArray::number(value.type, 16) + "):", value.data);
    }
}

void appendKey(QByteArray& out, const RegistryTree& tree, const QString& path)
{
    const QStringList names = tree.valueNames(path);
    // The hive itself only gets a section when it holds values; every key below it gets one, so
    // that empty keys survive.
    if (!path.isEmpty() || !names.isEmpty()) {
        out += "\n[" + joinPath(kHive, path).toUtf8() + "]\n";
        for (const QString& name : names) {
            if (const std::optional<RegValue> value = tree.value(path, name))
                appendValue(out, name, *value);
        }
    }
    for (const QString& subkey : tree.subkeys(path))
        appendKey(out, tree, joinPath(path, subkey));
}

bool checkWritable(const RegistryTree& tree, const QString& path, int depth, QString* error)
{
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (depth > kMaxKeyDepth)
        return fail(
            QCoreApplication::translate("RegFileFormat", "Schlüssel „%1“ ist tiefer als %2 Ebenen verschachtelt")
                .arg(path)
                .arg(kMaxKeyDepth));
    for (const QString& name : tree.valueNames(path)) {
        if (name.contains(u'\n'))
            return fail(
                QCoreApplication::translate("RegFileFormat", "Der Wertname „%1“ in „%2“ enthält einen Zeilenumbruch")
                    .arg(name, path));
    }
    for (const QString& subkey : tree.subkeys(path)) {
        if (subkey.contains(u'\n'))
            return fail(QCoreApplication::translate("RegFileFormat",
                                                    "Der Schlüsselname „%1“ in „%2“ enthält einen Zeilenumbruch")
                            .arg(subkey, path));
        if (!checkWritable(tree, joinPath(path, subkey), depth + 1, error))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Reading

/** Windows-1252: Latin-1 except for 0x80-0x9F; the five unassigned bytes map to the C1 controls
 *  as Windows itself does. */
QString decodeWindows1252(QByteArrayView bytes)
{
    static constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += QChar(byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : char16_t{byte});
    }
    return text;
}

/** Files are UTF-8; a text that is not valid UTF-8 comes from a file saved on Windows in ANSI. */
QString decodeText(QByteArrayView bytes)
{
    // Stateless: a sequence cut off at the end is an error, not kept for more bytes to come. A
    // leading U+FEFF belongs to the text (the file's own byte-order mark is gone before this).
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

/** 1 to 8 hex digits and nothing else. */
std::optional<quint32> parseHexNumber(QByteArrayView digits)
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    quint32 number = 0;
    for (const char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        number = (number << 4) | static_cast<quint32>(digit);
    }
    return number;
}

bool startsWithIgnoringCase(QByteArrayView text, QByteArrayView prefix)
{
    return text.size() >= prefix.size() && text.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

QByteArrayView skipBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    return text;
}

/** The file split into lines; LF or CRLF, surrounding white space removed. */
class LineReader
{
public:
    explicit LineReader(QByteArrayView text) : m_text(text) {}

    bool next(QByteArrayView& line)
    {
        if (m_pos >= m_text.size())
            return false;
        qsizetype end = m_text.indexOf('\n', m_pos);
        if (end < 0)
            end = m_text.size();
        line = m_text.sliced(m_pos, end - m_pos).trimmed();
        m_pos = end + 1;
        ++m_number;
        return true;
    }

    int number() const { return m_number; }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
    int m_number = 0;
};

class Parser
{
public:
    explicit Parser(QByteArrayView text) : m_lines(text) {}

    std::optional<RegistryTree> run(QString* error)
    {
        if (!parseFile()) {
            if (error)
                *error = QCoreApplication::translate("RegFileFormat", "Zeile %1: %2")
                             .arg(std::max(m_lines.number(), 1))
                             .arg(m_error);
            return std::nullopt;
        }
        return std::move(m_tree);
    }

private:
    bool fail(const QString& message)
    {
        m_error = message;
        return false;
    }

    bool parseFile()
    {
        QByteArrayView line;
        if (!m_lines.next(line) || line != kSignature)
            return fail(QCoreApplication::translate("RegFileFormat", "Die Datei beginnt nicht mit REGEDIT4"));
        while (m_lines.next(line)) {
            if (line.isEmpty() || line.startsWith(';'))
                continue;
            if (line.startsWith('[')) {
                if (!parseSection(line))
                    return false;
            } else if (!m_key) {
                return fail(QCoreApplication::translate("RegFileFormat", "Wert vor dem ersten Schlüssel"));
            } else if (!parseValue(line)) {
                return false;
            }
        }
        return true;
    }

    bool parseSection(QByteArrayView line)
    {
        if (!line.endsWith(']'))
            return fail(QCoreApplication::translate("RegFileFormat", "Schlüssel ohne schließende Klammer"));
        const QByteArrayView inner = line.sliced(1, line.size() - 2);
        if (inner.startsWith('-'))
            return fail(QCoreApplication::translate("RegFileFormat", "Löschen von Schlüsseln wird nicht unterstützt"));
        const QString fullPath = decodeText(inner);
        if (!fullPath.startsWith(kHive, Qt::CaseInsensitive) ||
            (fullPath.size() > kHive.size() && fullPath[kHive.size()] != u'\\'))
            return fail(QCoreApplication::translate("RegFileFormat", "Schlüssel liegt nicht unter HKEY_CURRENT_USER"));
        const QString path = fullPath.mid(kHive.size());
        if (path.split(u'\\', Qt::SkipEmptyParts).size() > kMaxKeyDepth)
            return fail(QCoreApplication::translate("RegFileFormat", "Schlüssel ist zu tief verschachtelt"));
        m_tree.createKey(path);
        m_key = path;
        return true;
    }

    /** Reads a quoted text at the start of `rest` and advances `rest` behind its closing quote. */
    bool parseQuoted(QByteArrayView& rest, QString& text)
    {
        QByteArray bytes;
        for (qsizetype i = 1; i < rest.size(); ++i) {
            const char c = rest[i];
            if (c == '"') {
                rest = rest.sliced(i + 1);
                text = decodeText(bytes);
                return true;
            }
            if (c == '\\') {
                if (++i == rest.size())
                    break;
                if (rest[i] != '\\' && rest[i] != '"')
                    return fail(QCoreApplication::translate("RegFileFormat", "Ungültige Escape-Sequenz"));
            }
            bytes += rest[i];
        }
        return fail(QCoreApplication::translate("RegFileFormat", "Anführungszeichen nicht geschlossen"));
    }

    bool parseHexBytes(QByteArrayView text, QByteArray& bytes)
    {
        text = text.trimmed();
        if (text.isEmpty())
            return true;
        for (qsizetype start = 0; start <= text.size();) {
            qsizetype end = text.indexOf(',', start);
            if (end < 0)
                end = text.size();
            const QByteArrayView item = text.sliced(start, end - start).trimmed();
            if (item.size() != 2 || hexDigit(item[0]) < 0 || hexDigit(item[1]) < 0)
                return fail(QCoreApplication::translate("RegFileFormat", "Ungültige Hex-Daten"));
            bytes += static_cast<char>(hexDigit(item[0]) * 16 + hexDigit(item[1]));
            start = end + 1;
        }
        return true;
    }

    /** hex:, hex(n): with its bytes, which may continue over lines that end in a backslash. */
    bool parseHexValue(QByteArrayView rest, RegValue& value)
    {
        quint32 type = REG_BINARY;
        rest = rest.sliced(3);
        if (rest.startsWith('(')) {
            const qsizetype close = rest.indexOf(')');
            const std::optional<quint32> number = close < 0 ? std::nullopt : parseHexNumber(rest.sliced(1, close - 1));
            if (!number)
                return fail(QCoreApplication::translate("RegFileFormat", "Ungültiger Typ in hex(…)"));
            type = *number;
            rest = rest.sliced(close + 1);
        }
        if (!rest.startsWith(':'))
            return fail(QCoreApplication::translate("RegFileFormat", "Doppelpunkt nach hex fehlt"));
        QByteArray text = rest.sliced(1).toByteArray();
        while (text.endsWith('\\')) {
            text.chop(1);
            QByteArrayView continuation;
            if (!m_lines.next(continuation))
                return fail(QCoreApplication::translate("RegFileFormat", "Fortsetzungszeile fehlt"));
            text += continuation;
        }
        QByteArray bytes;
        if (!parseHexBytes(text, bytes))
            return false;

        switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            // Exactly one terminating zero belongs to the format; further zeros are part of the text.
            if (bytes.endsWith('\0'))
                bytes.chop(1);
            value = {type, decodeText(bytes), 0, {}};
            return true;
        case REG_DWORD:
            if (bytes.size() != 4)
                return fail(QCoreApplication::translate("RegFileFormat", "REG_DWORD braucht genau 4 Bytes"));
            value = RegValue::fromDword(static_cast<quint32>(static_cast<unsigned char>(bytes[0])) |
                                        static_cast<quint32>(static_cast<unsigned char>(bytes[1])) << 8 |
                                        static_cast<quint32>(static_cast<unsigned char>(bytes[2])) << 16 |
                                        static_cast<quint32>(static_cast<unsigned char>(bytes[3])) << 24);
            return true;
        default:
            value = {type, {}, 0, bytes};
            return true;
        }
    }

    bool parseValue(QByteArrayView line)
    {
        QString name;
        QByteArrayView rest = line;
        if (rest.startsWith('@'))
            rest = rest.sliced(1);
        else if (!rest.startsWith('"'))
            return fail(QCoreApplication::translate("RegFileFormat", "Zeile ist weder Schlüssel noch Wert"));
        else if (!parseQuoted(rest, name))
            return false;

        rest = skipBlanks(rest);
        if (!rest.startsWith('='))
            return fail(QCoreApplication::translate("RegFileFormat", "Gleichheitszeichen fehlt"));
        rest = skipBlanks(rest.sliced(1));

        RegValue value;
        if (rest.startsWith('"')) {
            QString text;
            if (!parseQuoted(rest, text))
                return false;
            if (!rest.trimmed().isEmpty())
                return fail(QCoreApplication::translate("RegFileFormat", "Zeichen nach dem Wert"));
            value = RegValue::sz(text);
        } else if (rest == "-") {
            return fail(QCoreApplication::translate("RegFileFormat", "Löschen von Werten wird nicht unterstützt"));
        } else if (startsWithIgnoringCase(rest, "dword:")) {
            const std::optional<quint32> number = parseHexNumber(rest.sliced(6));
            if (!number)
                return fail(QCoreApplication::translate("RegFileFormat", "Ungültiger DWORD-Wert"));
            value = RegValue::fromDword(*number);
        } else if (startsWithIgnoringCase(rest, "hex")) {
            if (!parseHexValue(rest, value))
                return false;
        } else {
            return fail(QCoreApplication::translate("RegFileFormat", "Unbekannte Art von Wert"));
        }
        m_tree.setValue(*m_key, name, value);
        return true;
    }

    LineReader m_lines;
    RegistryTree m_tree;
    std::optional<QString> m_key; // the section the values belong to
    QString m_error;
};

} // namespace

QByteArray write(const RegistryTree& tree)
{
    QByteArray out = kSignature.toByteArray();
    out += '\n';
    appendKey(out, tree, QString());
    return out;
}

std::optional<RegistryTree> parse(const QByteArray& bytes, QString* error)
{
    QByteArrayView text(bytes);
    if (text.startsWith(kUtf8Bom))
        text = text.sliced(kUtf8Bom.size());
    return Parser(text).run(error);
}

bool canWrite(const RegistryTree& tree, QString* error)
{
    return checkWritable(tree, QString(), 0, error);
}

} // namespace kelvaro::RegFileFormat
