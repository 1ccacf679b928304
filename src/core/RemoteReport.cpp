#include "core/RemoteReport.h"

#include "core/SerialDateTime.h"
#include "core/TEinst.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonValue>

#include <algorithm>
#include <array>

namespace kelvaro::RemoteReport {

namespace {

using Run = RemoteState::Run;

/** The symbol before the time in a panel, by action code; a run without an end has its own. */
QString symbol(const RemoteState& state)
{
    if (state.run == Run::Stopwatch)
        return QStringLiteral(u"\u23F1"); // stopwatch
    if (state.run == Run::Waiting)
        return QStringLiteral(u"\u23F3"); // hourglass
    static const std::array<const char16_t*, 7> symbols{
        u"\u2709",     // message: envelope
        u"\u23FB",     // power off: power symbol
        u"\u21BB",     // reboot: clockwise arrow
        u"\u21E5",     // log out: arrow to a bar
        u"\u23FE",     // suspend: power sleep symbol
        u"\u2744",     // hibernate: snowflake
        u"\U0001F512", // lock: padlock
    };
    return isKnownAktion(state.action) ? QString::fromUtf16(symbols[state.action]) : QString();
}

QString timeOfDay(qint64 ms)
{
    return SerialDateTime::formatTime(SerialDateTime::fromMSecsSinceEpoch(ms));
}

QString isoMoment(qint64 ms)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

qint64 remainingMs(const RemoteState& state, qint64 nowMs)
{
    return std::max<qint64>(state.endMs - nowMs, 0);
}

QString escapeMarkup(QString text)
{
    return text.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
}

/** The tooltip; the message is escaped as markup when `markup`. */
QString tooltip(const RemoteState& state, bool markup)
{
    QString text;
    if (state.run == Run::Stopwatch)
        return QCoreApplication::translate("RemoteReport", "Stoppuhr seit %1").arg(timeOfDay(state.startMs));
    if (state.run == Run::Waiting)
        text =
            QCoreApplication::translate("RemoteReport", "%1 nach dem Ende des Programms").arg(actionText(state.action));
    else
        text = QCoreApplication::translate("RemoteReport", "%1 um %2")
                   .arg(actionText(state.action), timeOfDay(state.endMs));
    if (state.run == Run::Announced)
        text += QCoreApplication::translate("RemoteReport", " (angekündigt)");
    if (state.action == AktionNachricht && !state.message.isEmpty())
        text += QStringLiteral(": ") + (markup ? escapeMarkup(state.message) : state.message);
    return text;
}

/** The time the panel shows: left until the end, or gone by since the start of a run without one. */
QString panelTime(const RemoteState& state, qint64 nowMs)
{
    return duration(state.timed() ? remainingMs(state, nowMs) : std::max<qint64>(nowMs - state.startMs, 0));
}

} // namespace

QString duration(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(ms, 0) / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString moment(qint64 ms, qint64 nowMs)
{
    const QDate date = SerialDateTime::localDate(ms);
    if (date == SerialDateTime::localDate(nowMs))
        return timeOfDay(ms);
    return date.toString(Qt::ISODate) + u' ' + timeOfDay(ms);
}

QString stateText(Run run)
{
    switch (run) {
    case Run::Idle:
        return QCoreApplication::translate("RemoteReport", "bereit");
    case Run::Running:
        return QCoreApplication::translate("RemoteReport", "läuft");
    case Run::Announced:
        return QCoreApplication::translate("RemoteReport", "angekündigt");
    case Run::Waiting:
        return QCoreApplication::translate("RemoteReport", "wartet");
    case Run::Stopwatch:
        return QCoreApplication::translate("RemoteReport", "Stoppuhr");
    }
    return {};
}

QString actionText(quint8 action)
{
    static const std::array<const char*, 7> texts{
        QT_TRANSLATE_NOOP("RemoteReport", "Nachricht"),
        QT_TRANSLATE_NOOP("RemoteReport", "Herunterfahren"),
        QT_TRANSLATE_NOOP("RemoteReport", "Neustart"),
        QT_TRANSLATE_NOOP("RemoteReport", "Abmelden"),
        QT_TRANSLATE_NOOP("RemoteReport", "Standby"),
        QT_TRANSLATE_NOOP("RemoteReport", "Ruhezustand"),
        QT_TRANSLATE_NOOP("RemoteReport", "Bildschirm sperren"),
    };
    return isKnownAktion(action) ? QCoreApplication::translate("RemoteReport", texts[action]) : QString();
}

QStringList listLines(const QList<RemoteInstance>& instances, qint64 nowMs)
{
    QList<QStringList> rows{
        {QCoreApplication::translate("RemoteReport", "PID"), QCoreApplication::translate("RemoteReport", "Zustand"),
         QCoreApplication::translate("RemoteReport", "Aktion"), QCoreApplication::translate("RemoteReport", "Ende"),
         QCoreApplication::translate("RemoteReport", "Rest"), QCoreApplication::translate("RemoteReport", "Vorgabe")},
    };
    const QString none = QStringLiteral("-");
    for (const RemoteInstance& instance : instances) {
        const RemoteState& state = instance.state;
        const bool ends = state.endMs != 0 && state.run != Run::Idle;
        // A stopwatch ends with nothing.
        const QString action = state.run == Run::Stopwatch ? none : actionText(state.action);
        rows.append({QString::number(instance.pid), stateText(state.run), action,
                     ends ? moment(state.endMs, nowMs) : none, ends ? duration(remainingMs(state, nowMs)) : none,
                     state.preset});
    }
    // Each column as wide as its widest entry, two blanks between; the last one is not padded.
    QList<qsizetype> widths(rows.first().size(), 0);
    for (const QStringList& row : rows)
        for (qsizetype column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    QStringList lines;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype column = 0; column < row.size(); ++column)
            line += column + 1 < row.size() ? row[column].leftJustified(widths[column] + 2) : row[column];
        lines.append(line);
    }
    return lines;
}

QJsonArray listJson(const QList<RemoteInstance>& instances, qint64 nowMs)
{
    QJsonArray list;
    for (const RemoteInstance& instance : instances) {
        const RemoteState& state = instance.state;
        const bool ends = state.endMs != 0 && state.run != Run::Idle;
        list.append(QJsonObject{
            {QStringLiteral("pid"), instance.pid},
            {QStringLiteral("state"), RemoteState::runName(state.run)},
            {QStringLiteral("action"), RemoteState::actionName(state.action)},
            {QStringLiteral("end"), ends ? QJsonValue(isoMoment(state.endMs)) : QJsonValue()},
            {QStringLiteral("remaining"), ends ? QJsonValue(remainingMs(state, nowMs) / 1000) : QJsonValue()},
            {QStringLiteral("message"), state.message},
            {QStringLiteral("preset"), state.preset},
        });
    }
    return list;
}

std::optional<RemoteInstance> shownRun(const QList<RemoteInstance>& instances)
{
    std::optional<RemoteInstance> shown;
    const auto before = [](const RemoteState& a, const RemoteState& b) {
        if (a.timed() != b.timed())
            return a.timed();
        return a.timed() ? a.endMs < b.endMs : a.startMs < b.startMs;
    };
    for (const RemoteInstance& instance : instances)
        if (instance.state.active() && (!shown || before(instance.state, shown->state)))
            shown = instance;
    return shown;
}

QJsonObject panel(const std::optional<RemoteInstance>& shown, qint64 nowMs)
{
    if (!shown || !shown->state.active())
        return QJsonObject{{QStringLiteral("text"), QString()}};
    const RemoteState& state = shown->state;
    int percentage = 0;
    if (state.timed()) {
        const qint64 length = state.endMs - state.startMs;
        percentage =
            length <= 0 ? 100 : static_cast<int>(std::clamp<qint64>((nowMs - state.startMs) * 100 / length, 0, 100));
    }
    return QJsonObject{
        {QStringLiteral("text"), QString(symbol(state) + u' ' + panelTime(state, nowMs))},
        {QStringLiteral("tooltip"), tooltip(state, true)},
        {QStringLiteral("class"),
         state.run == Run::Stopwatch ? RemoteState::runName(state.run) : RemoteState::actionName(state.action)},
        {QStringLiteral("percentage"), percentage},
    };
}

QString panelLine(const std::optional<RemoteInstance>& shown, qint64 nowMs)
{
    if (!shown || !shown->state.active())
        return {};
    return symbol(shown->state) + u' ' + panelTime(shown->state, nowMs) + QStringLiteral("  ") +
           tooltip(shown->state, false);
}

std::optional<qint64> nextChangeMs(const std::optional<RemoteInstance>& shown, qint64 nowMs)
{
    if (!shown || !shown->state.active())
        return std::nullopt;
    const RemoteState& state = shown->state;
    // The shown second changes when the time left (or gone by) passes a whole second; a few
    // milliseconds later, so that a timer that comes a little early still finds the new second.
    constexpr qint64 kMargin = 10;
    if (state.timed()) {
        const qint64 left = state.endMs - nowMs;
        return left < 0 ? 1000 : left % 1000 + 1 + kMargin;
    }
    return 1000 - std::max<qint64>(nowMs - state.startMs, 0) % 1000 + kMargin;
}

} // namespace kelvaro::RemoteReport
