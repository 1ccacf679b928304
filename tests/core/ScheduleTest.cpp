// Repeating schedules: the unit files as systemd reads them, and the book that makes and removes them
// whole or not at all.
#include "core/ScheduleBook.h"
#include "core/TEinst.h"
#include "mock/RecordingServiceManager.h"
#include "mock/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

/** What `systemd-analyze <arguments>` says when it refuses; empty when it accepts (or is missing). */
QString systemdRefusal(const QStringList& arguments)
{
    const QString analyze = QStandardPaths::findExecutable(QStringLiteral("systemd-analyze"));
    if (analyze.isEmpty())
        return QString();
    test::TempDir runtime; // the user mode of systemd-analyze wants a runtime folder of its own
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(environment);
    process.start(analyze, arguments);
    process.waitForFinished(20000);
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardError() + process.readAllStandardOutput());
}

TEST(ScheduleTest, CalendarOfDaysAndTimeIsOneSystemdAccepts)
{
    const struct
    {
        QList<int> days;
        const char* expected;
    } rows[] = {
        {{1, 2, 3, 4, 5}, "Mon..Fri *-*-* 23:00:00"},
        {{6, 7}, "Sat,Sun *-*-* 23:00:00"},
        {{5, 1, 3}, "Mon,Wed,Fri *-*-* 23:00:00"},
        {{1, 2, 4, 5, 6, 4}, "Mon,Tue,Thu..Sat *-*-* 23:00:00"},
        {{1, 2, 3, 4, 5, 6, 7}, "*-*-* 23:00:00"},
        {{}, "*-*-* 23:00:00"},
    };
    for (const auto& row : rows) {
        const QString calendar = Schedule::calendarFor(row.days, QTime(23, 0));
        EXPECT_EQ(calendar.toStdString(), row.expected);
        EXPECT_EQ(systemdRefusal({QStringLiteral("calendar"), calendar}).toStdString(), "");
    }
}

// Every action and the texts a unit file could misread: quotes, %, $, backslashes, umlauts.
TEST(ScheduleTest, UnitFilesCarryTheCommandLineAsSystemdReadsIt)
{
    const struct
    {
        quint8 action;
        const char* preset;
        const char* message;
        const char* description;
    } rows[] = {
        {AktionNachricht, "Tee", "Der \"Tee\" ist zu 100% fertig: $HOME \\ äöü ß", "Kelvaro: Tee – Nachricht"},
        {AktionShutdown, "Nacht 50%", "", "Kelvaro: Nacht 50% – Herunterfahren"},
        {AktionRestart, "", "", "Kelvaro: Neustart"},
        {AktionLogoff, "Ende", "", "Kelvaro: Ende – Abmelden"},
        {AktionStandby, "Pause", "", "Kelvaro: Pause – Standby"},
        {AktionHibernate, "Ruhe", "", "Kelvaro: Ruhe – Ruhezustand"},
        {AktionSperren, "Weg", "", "Kelvaro: Weg – Bildschirm sperren"},
    };
    const QString program = QCoreApplication::applicationFilePath();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.description);
        TEinst options;
        options.SetAktion(row.action);
        options.SetNachricht(QString::fromUtf8(row.message));
        options.SetZeitMode(ZeitUhrzeit);
        options.SetSofortStart(true);
        const Schedule schedule = Schedule::of(QStringLiteral("7"), QStringLiteral("Mon..Fri *-*-* 23:00:00"), options,
                                               QString::fromUtf8(row.preset));
        EXPECT_EQ(schedule.description.toStdString(), row.description);
        EXPECT_EQ(schedule.arguments.count(QStringLiteral("-A")), 1);
        EXPECT_EQ(schedule.arguments.constFirst(), QStringLiteral("-A"));

        test::TempDir folder;
        const std::optional<QString> service = schedule.serviceText(program);
        ASSERT_TRUE(service);
        test::writeFile(folder.file(Schedule::serviceName(schedule.id)), service->toUtf8());
        test::writeFile(folder.file(Schedule::timerName(schedule.id)), schedule.timerText().toUtf8());
        EXPECT_EQ(systemdRefusal({QStringLiteral("verify"), QStringLiteral("--user"),
                                  folder.file(Schedule::timerName(schedule.id)),
                                  folder.file(Schedule::serviceName(schedule.id))})
                      .toStdString(),
                  "");
        EXPECT_EQ(Schedule::parse(schedule.id, schedule.timerText(), *service), schedule);
    }

    Schedule broken;
    broken.arguments = {QStringLiteral("-M\nzwei Zeilen")};
    EXPECT_FALSE(broken.serviceText(program));
}

TEST(ScheduleTest, BookMakesAndRemovesWholeSchedulesOrNone)
{
    const struct
    {
        const char* refuse;
        const char* calls;
        int schedulesLeft;
    } adding[] = {
        {"", "reload|enable kelvaro-1.timer|start kelvaro-1.timer", 1},
        {"reload", "reload", 0},
        {"enable", "reload|enable kelvaro-1.timer|reload", 0},
        {"start", "reload|enable kelvaro-1.timer|start kelvaro-1.timer|disable kelvaro-1.timer|reload", 0},
    };
    TEinst options;
    for (const auto& row : adding) {
        SCOPED_TRACE(row.refuse);
        test::TempDir folder;
        test::RecordingServiceManager manager;
        manager.refuse = QString::fromLatin1(row.refuse);
        ScheduleBook book(folder.path() + QStringLiteral("/systemd/user"), manager);
        const ServiceManager::Error error =
            book.add(Schedule::of(book.freeId(), QStringLiteral("*-*-* 23:00:00"), options), QStringLiteral("/bin/kelvaro"));
        EXPECT_EQ(error.has_value(), *row.refuse != 0);
        EXPECT_EQ(manager.calls.join(u'|').toStdString(), row.calls);
        EXPECT_EQ(book.schedules().size(), row.schedulesLeft);
        EXPECT_EQ(QDir(book.folder()).entryList(QDir::Files).size(), 2 * row.schedulesLeft);
    }

    const struct
    {
        const char* refuse;
        int schedulesLeft;
    } removing[] = {{"", 0}, {"stop", 1}, {"disable", 1}};
    for (const auto& row : removing) {
        SCOPED_TRACE(row.refuse);
        test::TempDir folder;
        test::RecordingServiceManager manager;
        ScheduleBook book(folder.path(), manager);
        ASSERT_FALSE(book.add(Schedule::of(QStringLiteral("3"), QStringLiteral("*-*-* 23:00:00"), options),
                              QStringLiteral("/bin/kelvaro")));
        EXPECT_EQ(book.freeId(), QStringLiteral("1"));
        manager.refuse = QString::fromLatin1(row.refuse);
        EXPECT_EQ(book.remove(QStringLiteral("3")).has_value(), *row.refuse != 0);
        EXPECT_EQ(book.schedules().size(), row.schedulesLeft);
    }
    test::TempDir empty;
    test::RecordingServiceManager manager;
    EXPECT_TRUE(ScheduleBook(empty.path(), manager).remove(QStringLiteral("9")));
    EXPECT_TRUE(manager.calls.isEmpty());
}

} // namespace
} // namespace kelvaro
