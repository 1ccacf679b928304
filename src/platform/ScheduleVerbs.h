#pragma once

#include <QStringList>

#include <functional>
#include <optional>

class QTextStream;

namespace kelvaro {

class ServiceManager;

/**
 * The command-line verbs of repeating schedules, which open no window:
 *   --schedule=<calendar> <switches>   makes a schedule that runs the switches at the calendar's moments
 *   --schedules [--json]               lists the schedules
 *   --unschedule=<id>                  removes one
 * Exit codes: 0 done, 1 refused by the service manager, 2 invalid input (the reason on `err`).
 */
namespace ScheduleVerbs {

/** Whether `arguments` (argv[1..]) ask for one of these verbs. */
bool isScheduleVerb(const QStringList& arguments);

/** Carries the verb out with the schedules in `folder` kept by `manager`, for `programPath`;
 *  `calendarCheck` tells why a calendar expression is refused (nothing when it is accepted). */
int run(const QStringList& arguments, ServiceManager& manager, const QString& folder, const QString& programPath,
        const std::function<std::optional<QString>(const QString&)>& calendarCheck, QTextStream& out,
        QTextStream& err);

/** What `systemd-analyze calendar` says against `calendar`; nothing when it accepts it or cannot be run. */
std::optional<QString> systemdCalendarCheck(const QString& calendar);

} // namespace ScheduleVerbs
} // namespace kelvaro
