// The X11 idle clocks (X Sync, MIT-SCREEN-SAVER) on an Xvfb display of the test's own, with input sent by xdotool.
#include "platform/X11IdleClock.h"

#include "platform/QtTimerService.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

namespace kelvaro {
namespace {

/** An Xvfb server on a free display number from :200 up; stopped with the object. */
class OwnDisplay
{
public:
    ~OwnDisplay()
    {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            m_server.waitForFinished(5000);
        }
        if (m_saved)
            qputenv("DISPLAY", *m_saved);
        else
            qunsetenv("DISPLAY");
    }

    /** Starts the server and points DISPLAY at it; false when there is no free number. */
    bool start()
    {
        m_saved = qEnvironmentVariableIsSet("DISPLAY") ? std::optional<QByteArray>(qgetenv("DISPLAY")) : std::nullopt;
        for (int number = 200; number <= 220; ++number) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
                continue;
            m_name = QStringLiteral(":%1").arg(number);
            // -displayfd 1: the server writes the number to its output once it takes connections.
            // -noreset: without it the server resets when its last client leaves (xdotool after a
            // move), refusing connections meanwhile.
            m_server.start(QStringLiteral("Xvfb"),
                           {m_name, QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp"), QStringLiteral("-noreset"), QStringLiteral("-screen"),
                            QStringLiteral("0"), QStringLiteral("320x240x24")});
            if (m_server.waitForReadyRead(10000)) {
                qputenv("DISPLAY", m_name.toLatin1());
                return true;
            }
            m_server.kill();
            m_server.waitForFinished(5000);
        }
        return false;
    }

    /** Moves the pointer: input as the server sees it. */
    void moveMouse(int x)
    {
        ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                    {QStringLiteral("mousemove"), QString::number(x), QStringLiteral("10")}),
                  0);
    }

private:
    QProcess m_server;
    QString m_name;
    std::optional<QByteArray> m_saved;
};

using Factory = std::unique_ptr<IdleWatch> (*)(TimerService&, qint64, std::function<void(bool)>);

class X11IdleClockTest : public ::testing::TestWithParam<Factory>
{};

TEST_P(X11IdleClockTest, TellsWhenIdleAndWhenInputComesBack)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "Xvfb und xdotool fehlen";
    const Factory watchOn = GetParam();
    QtTimerService timers;
    OwnDisplay display;
    ASSERT_TRUE(display.start());
    display.moveMouse(5);

    std::string events;
    std::unique_ptr<IdleWatch> watch =
        watchOn(timers, 2000, [&events](bool idle) { events += idle ? "idle " : "active "; });
    ASSERT_TRUE(watch);
    EXPECT_LT(watch->idleMs(), 2000);

    ASSERT_TRUE(QTest::qWaitFor([&] { return events == "idle "; }, 10000)) << events;
    EXPECT_GE(watch->idleMs(), 2000);
    display.moveMouse(50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return events == "idle active "; }, 10000)) << events;
    EXPECT_LT(watch->idleMs(), 2000);
    // Watching goes on for the next time without input.
    ASSERT_TRUE(QTest::qWaitFor([&] { return events == "idle active idle "; }, 10000)) << events;

    // A watch made while the display is idle past its threshold tells so at once, from the event loop.
    std::string second;
    std::unique_ptr<IdleWatch> late =
        watchOn(timers, 100, [&second](bool idle) { second += idle ? "idle" : "active"; });
    ASSERT_TRUE(late);
    EXPECT_EQ(second, "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return second == "idle"; }, 5000)) << second;
    late.reset();
    watch.reset();

    // Without a display there is no X11 clock.
    qunsetenv("DISPLAY");
    EXPECT_FALSE(watchOn(timers, 800, [](bool) {}));
}

INSTANTIATE_TEST_SUITE_P(Extensions, X11IdleClockTest,
                         ::testing::Values(&X11IdleClock::watch, &X11IdleClock::watchScreenSaver));

} // namespace
} // namespace kelvaro
