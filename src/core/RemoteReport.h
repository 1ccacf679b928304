#pragma once

#include "core/RemoteCommand.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvaro {

/**
 * What the verbs print about running programs, at the moment `nowMs` (milliseconds since the
 * epoch): the lines and JSON of `--list`, and the line a panel reads from `--watch`. Texts are in
 * the program's language; names in JSON (state, class) are the bus names and never change.
 */
namespace RemoteReport {

/** "hh:mm:ss" of a span; the hours go beyond 23, the fraction of a second is cut off. */
QString duration(qint64 ms);
/** The local time of day of `ms`, with the date in front when it is not the day of `nowMs`. */
QString moment(qint64 ms, qint64 nowMs);
/** The state and the action in words. */
QString stateText(RemoteState::Run run);
QString actionText(quint8 action);

/** A header line and one line per program: process number, state, action, end, time left, set. */
QStringList listLines(const QList<RemoteInstance>& instances, qint64 nowMs);
/** One object per program: pid, state, action, end (ISO 8601 with the offset, or null),
 *  remaining (whole seconds, or null), message, preset. */
QJsonArray listJson(const QList<RemoteInstance>& instances, qint64 nowMs);

/** The run a panel shows: the countdown or clock-time run that ends first, else the run that began
 *  first; nothing while no program has a run. */
std::optional<RemoteInstance> shownRun(const QList<RemoteInstance>& instances);
/** The object a panel module reads: text (a symbol and the time left, or the time elapsed),
 *  tooltip, class (the action's name) and percentage (the share of the run gone by); an object
 *  with an empty text without a run. The tooltip is escaped for panels that read it as markup. */
QJsonObject panel(const std::optional<RemoteInstance>& shown, qint64 nowMs);
/** The same as one line of text: the panel text and its tooltip; empty without a run. */
QString panelLine(const std::optional<RemoteInstance>& shown, qint64 nowMs);
/** When the panel text changes next, in milliseconds from `nowMs`; nothing without a run. */
std::optional<qint64> nextChangeMs(const std::optional<RemoteInstance>& shown, qint64 nowMs);

} // namespace RemoteReport
} // namespace kelvaro
