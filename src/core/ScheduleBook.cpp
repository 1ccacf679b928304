#include "core/ScheduleBook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace kelvaro {

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

ScheduleBook::ScheduleBook(QString folder, ServiceManager& manager) : m_folder(std::move(folder)), m_manager(manager) {}

QString ScheduleBook::pathOf(const QString& unit) const
{
    return QDir(m_folder).filePath(unit);
}

bool ScheduleBook::exists(const QString& id) const
{
    return QFile::exists(pathOf(Schedule::timerName(id))) || QFile::exists(pathOf(Schedule::serviceName(id)));
}

QList<Schedule> ScheduleBook::schedules() const
{
    QList<Schedule> found;
    const QStringList timers = QDir(m_folder).entryList({QStringLiteral("kelvaro-*.timer")}, QDir::Files);
    for (const QString& timer : timers) {
        const std::optional<QString> id = Schedule::idOfTimer(timer);
        if (!id)
            continue;
        const std::optional<Schedule> schedule = Schedule::parse(*id, readText(pathOf(timer)),
                                                                 readText(pathOf(Schedule::serviceName(*id))));
        if (schedule)
            found << *schedule;
    }
    // Whole numbers in their order, so that schedule 10 comes after schedule 9.
    std::sort(found.begin(), found.end(), [](const Schedule& a, const Schedule& b) {
        return a.id.size() != b.id.size() ? a.id.size() < b.id.size() : a.id < b.id;
    });
    return found;
}

QString ScheduleBook::freeId() const
{
    for (int n = 1;; ++n) {
        const QString id = QString::number(n);
        if (!exists(id))
            return id;
    }
}

ScheduleBook::Error ScheduleBook::write(const QString& unit, const QString& text) const
{
    // Written under a temporary name and renamed, so the manager never reads half a file.
    QSaveFile file(pathOf(unit));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        return tr("Die Datei %1 kann nicht geschrieben werden: %2").arg(pathOf(unit), file.errorString());
    return std::nullopt;
}

void ScheduleBook::removeFiles(const QString& id) const
{
    QFile::remove(pathOf(Schedule::timerName(id)));
    QFile::remove(pathOf(Schedule::serviceName(id)));
}

ScheduleBook::Error ScheduleBook::add(const Schedule& schedule, const QString& programPath)
{
    if (!Schedule::validId(schedule.id))
        return tr("Ungültige Kennung eines Zeitplans: %1").arg(schedule.id);
    if (exists(schedule.id))
        return tr("Den Zeitplan %1 gibt es schon.").arg(schedule.id);
    const std::optional<QString> service = schedule.serviceText(programPath);
    if (!service)
        return tr("Ein Parameter enthält ein Steuerzeichen, das eine Befehlszeile nicht tragen kann.");
    if (!QDir().mkpath(m_folder))
        return tr("Der Ordner %1 kann nicht angelegt werden.").arg(m_folder);

    const QString timer = Schedule::timerName(schedule.id);
    Error error = write(Schedule::serviceName(schedule.id), *service);
    if (!error)
        error = write(timer, schedule.timerText());
    if (!error && (error = m_manager.reload())) {
        removeFiles(schedule.id);
        return error;
    }
    if (!error && (error = m_manager.enable({timer}))) {
        removeFiles(schedule.id);
        m_manager.reload();
        return error;
    }
    if (!error && (error = m_manager.start(timer))) {
        m_manager.disable({timer});
        removeFiles(schedule.id);
        m_manager.reload();
        return error;
    }
    if (error)
        removeFiles(schedule.id);
    return error;
}

ScheduleBook::Error ScheduleBook::remove(const QString& id)
{
    if (!Schedule::validId(id) || !exists(id))
        return tr("Es gibt keinen Zeitplan %1.").arg(id);
    const QString timer = Schedule::timerName(id);
    if (Error error = m_manager.stop(timer))
        return error;
    if (Error error = m_manager.disable({timer})) {
        // The schedule stays as it was: its timer runs again.
        m_manager.start(timer);
        return error;
    }
    removeFiles(id);
    return m_manager.reload();
}

} // namespace kelvaro
