#include "core/TimeFields.h"

namespace kelvaro {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

int decimalDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') ? u - u'0' : -1;
}

/** Reads digits of `base` from `pos` to the end; nothing else may follow. At least one digit is
 *  needed and the value may not exceed `limit`. */
std::optional<quint64> readDigits(const QString& text, qsizetype pos, int base, quint64 limit)
{
    if (pos >= text.size())
        return std::nullopt;
    quint64 value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = base == 16 ? hexDigit(text[pos]) : decimalDigit(text[pos]);
        if (digit < 0)
            return std::nullopt;
        value = value * quint64(base) + quint64(digit);
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

QString twoDigitForm(qint32 value, qint32 upper, bool leadingZero)
{
    if (value < 0 || value > upper)
        return leadingZero ? QStringLiteral("00") : QStringLiteral("0");
    if (value <= 9 && leadingZero)
        return QLatin1Char('0') + QString::number(value);
    return QString::number(value);
}

} // namespace

std::optional<qint32> StrToInt(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == QLatin1Char(' '))
        ++pos;
    if (pos >= text.size())
        return std::nullopt;

    // Hexadecimal: "$", "x", "X", "0x" or "0X", unsigned up to FFFFFFFF, taken as signed 32 bits.
    qsizetype hexStart = -1;
    if (text[pos] == QLatin1Char('$') || text[pos] == QLatin1Char('x') || text[pos] == QLatin1Char('X'))
        hexStart = pos + 1;
    else if (text[pos] == QLatin1Char('0') && pos + 1 < text.size() &&
             (text[pos + 1] == QLatin1Char('x') || text[pos + 1] == QLatin1Char('X')))
        hexStart = pos + 2;
    if (hexStart >= 0) {
        const std::optional<quint64> value = readDigits(text, hexStart, 16, 0xFFFFFFFFull);
        if (!value)
            return std::nullopt;
        return static_cast<qint32>(static_cast<quint32>(*value));
    }

    bool negative = false;
    if (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-')) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    const quint64 limit = negative ? 2147483648ull : 2147483647ull;
    const std::optional<quint64> value = readDigits(text, pos, 10, limit);
    if (!value)
        return std::nullopt;
    const qint64 signedValue = negative ? -static_cast<qint64>(*value) : static_cast<qint64>(*value);
    return static_cast<qint32>(signedValue);
}

bool IsNumber(const QString& text)
{
    return StrToInt(text).has_value();
}

std::optional<qint32> StrToVorwarnzeit(const QString& text)
{
    const std::optional<qint32> seconds = StrToInt(text);
    if (!seconds || *seconds < 0)
        return std::nullopt;
    return seconds;
}

QString StundenToStr(qint32 value, bool leadingZero)
{
    return twoDigitForm(value, 23, leadingZero);
}

QString MinutenToStr(qint32 value, bool leadingZero)
{
    return twoDigitForm(value, 59, leadingZero);
}

QString SekundenToStr(qint32 value, bool leadingZero)
{
    return twoDigitForm(value, 59, leadingZero);
}

} // namespace kelvaro
