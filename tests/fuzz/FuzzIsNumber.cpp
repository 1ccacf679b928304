// Any text: IsNumber and StrToInt agree with each other and with a reading of the number rules
// written independently here (a pattern for the form, then the digits' value checked for range);
// values of the time fields survive their text form.
#include "FuzzSupport.h"
#include "core/TimeFields.h"

#include <QRegularExpression>

#include <limits>
#include <optional>

using namespace kelvaro;
using namespace kelvaro::fuzz;

namespace {

/** The value `text` stands for by the number rules, or nothing. */
std::optional<qint32> referenceValue(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("\\A *(?:(?:\\$|0?[xX])([0-9A-Fa-f]+)|([+-]?)([0-9]+))\\z"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto significant = [](QString digits) {
        while (digits.size() > 1 && digits.front() == u'0')
            digits.remove(0, 1);
        return digits;
    };
    if (match.capturedLength(1) > 0) {
        const QString digits = significant(match.captured(1));
        if (digits.size() > 8)
            return std::nullopt;
        return static_cast<qint32>(digits.toUInt(nullptr, 16));
    }
    const QString digits = significant(match.captured(3));
    if (digits.size() > 10)
        return std::nullopt;
    const qint64 magnitude = digits.toLongLong();
    const qint64 value = match.captured(2) == QStringLiteral("-") ? -magnitude : magnitude;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

void checkTimeField(QString (*toText)(qint32, bool), qint32 value, qint32 upper, const QString& input)
{
    const QString padded = toText(value, true);
    const QString plain = toText(value, false);
    check(padded.size() == 2, "the padded time text has two digits", input);
    const qint32 shown = value >= 0 && value <= upper ? value : 0;
    check(StrToInt(padded) == shown && StrToInt(plain) == shown, "a time text reads back as its value", input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(bytesOf(data, size));
    const std::optional<qint32> value = StrToInt(text);
    check(IsNumber(text) == value.has_value(), "IsNumber agrees with StrToInt", text);
    const std::optional<qint32> expected = referenceValue(text);
    check(value == expected, "StrToInt follows the number rules",
          text + QStringLiteral("\ngot ") + (value ? QString::number(*value) : QStringLiteral("nothing")) +
              QStringLiteral(", expected ") + (expected ? QString::number(*expected) : QStringLiteral("nothing")));
    if (value) {
        checkTimeField(StundenToStr, *value, 23, text);
        checkTimeField(MinutenToStr, *value, 59, text);
        checkTimeField(SekundenToStr, *value, 59, text);
    }
    return 0;
}
