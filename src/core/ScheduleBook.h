#pragma once

#include "core/Schedule.h"
#include "core/ServiceManager.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

namespace kelvaro {

/**
 * The repeating schedules in the user's unit folder, made and removed together with the service
 * manager, so that a schedule is either whole (both files written, the timer enabled and started) or
 * not there at all: a step that fails undoes the steps before it.
 */
class ScheduleBook
{
    Q_DECLARE_TR_FUNCTIONS(ScheduleBook)

public:
    using Error = ServiceManager::Error;

    /** Works on the unit files in `folder` (created when missing) and on `manager`. */
    ScheduleBook(QString folder, ServiceManager& manager);

    QString folder() const { return m_folder; }

    /** The schedules whose files are there, ordered by id; files this program did not write are left out. */
    QList<Schedule> schedules() const;
    /** An id no schedule has: the smallest unused whole number. */
    QString freeId() const;

    /** Writes the two units that start `programPath` with the schedule's arguments, enables the
     *  timer and starts it. */
    Error add(const Schedule& schedule, const QString& programPath);
    /** Stops the timer, disables it and removes both files. */
    Error remove(const QString& id);

private:
    QString pathOf(const QString& unit) const;
    bool exists(const QString& id) const;
    /** Removes the schedule's files, as far as they are there. */
    void removeFiles(const QString& id) const;
    Error write(const QString& unit, const QString& text) const;

    QString m_folder;
    ServiceManager& m_manager;
};

} // namespace kelvaro
