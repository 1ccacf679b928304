#pragma once

#include "core/MessageBoxes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

// What the fuzz targets share: reading the input, and stopping with a readable message when a
// property does not hold, so that libFuzzer keeps the input as a crash.
namespace kelvaro::fuzz {

[[noreturn]] inline void fail(const char* property, const QString& detail = {})
{
    std::fprintf(stderr, "Property does not hold: %s\n%s\n", property, detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

inline void check(bool holds, const char* property, const QString& detail = {})
{
    if (!holds)
        fail(property, detail);
}

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

/**
 * Takes typed values off the front of the input, so that one input describes a whole structure.
 * An exhausted input gives zeros and empty texts.
 */
class InputReader
{
public:
    InputReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }

    bool takeBool() { return (takeByte() & 1) != 0; }

    /** A value from `low` to `high` (inclusive), from as many bytes as the range needs. */
    qint64 takeInRange(qint64 low, qint64 high)
    {
        const quint64 span = static_cast<quint64>(high - low);
        quint64 value = 0;
        for (quint64 rest = span; rest != 0 && m_pos < m_size; rest >>= 8)
            value = (value << 8) | takeByte();
        return low + static_cast<qint64>(span == UINT64_MAX ? value : value % (span + 1));
    }

    qint32 takeInt32()
    {
        return static_cast<qint32>(takeInRange(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
    }

    /** UTF-8 text up to a zero byte (which is taken too) or `maxBytes`, whichever comes first. */
    QString takeText(std::size_t maxBytes)
    {
        QByteArray bytes;
        while (m_pos < m_size && static_cast<std::size_t>(bytes.size()) < maxBytes) {
            const std::uint8_t byte = takeByte();
            if (byte == 0)
                break;
            bytes.append(static_cast<char>(byte));
        }
        return QString::fromUtf8(bytes);
    }

    /** Everything left, as UTF-8 text. */
    QString takeRest()
    {
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char*>(m_data + m_pos), static_cast<qsizetype>(m_size - m_pos));
        m_pos = m_size;
        return text;
    }

private:
    std::uint8_t takeByte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

/** The input split at zero bytes, each piece read as UTF-8: a list of program arguments. */
inline QStringList argumentsOf(const QByteArray& input)
{
    QStringList arguments;
    for (const QByteArray& piece : input.split('\0'))
        arguments << QString::fromUtf8(piece);
    return arguments;
}

/** Shows no box; counts them, so a target can tell whether a list was refused. */
class CountingMessageBoxes : public MessageBoxes
{
public:
    int count = 0;

    void show(Kind, const QString&) override { ++count; }
    bool askYesNo(const QString&) override
    {
        ++count;
        return false;
    }
    void showError(const QString&, const QString&) override { ++count; }
};

/** The arguments for a message in a failure report, one per line between angle quotes. */
inline QString describe(const QStringList& arguments)
{
    QString text;
    for (const QString& argument : arguments)
        text += QStringLiteral("  \u00ab") + argument + QStringLiteral("\u00bb\n");
    return text;
}

} // namespace kelvaro::fuzz
