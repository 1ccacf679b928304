#pragma once

#include <QString>

#include <optional>

namespace kelvaro {

/**
 * Whether `text` converts to a signed 32-bit whole number: leading blanks are skipped, then either
 * a hexadecimal number introduced by "$", "x", "X", "0x" or "0X" (no sign, at most FFFFFFFF, read as
 * signed 32 bits) or an optional "+" or "-" with decimal digits that fit 32 bits signed. At least one
 * digit is needed and nothing may follow.
 */
bool IsNumber(const QString& text);
/** The value of `text` by the rules of IsNumber, or nothing. */
std::optional<qint32> StrToInt(const QString& text);

/** A lead time in seconds as it is typed or given on the command line: a whole number by the rules
 *  of IsNumber, 0 or more; nothing for any other text. */
std::optional<qint32> StrToVorwarnzeit(const QString& text);

/** Hours 0-23 as text: one digit, or two with `leadingZero`; any other value gives "0" or "00". */
QString StundenToStr(qint32 value, bool leadingZero);
/** Minutes 0-59 as text, like StundenToStr. */
QString MinutenToStr(qint32 value, bool leadingZero);
/** Seconds 0-59 as text, like StundenToStr. */
QString SekundenToStr(qint32 value, bool leadingZero);

} // namespace kelvaro
