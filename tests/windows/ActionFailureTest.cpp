// A power action that fails is reported (window and notification, with the choices that can help),
// the program stays; Start refuses an action the system cannot or may not carry out; a blocking
// program is named in the announcement.
#include "MainWindowFixture.h"
#include "widgets/ActionPanel.h"
#include "widgets/ClickPanel.h"
#include "widgets/StartPanel.h"
#include "windows/Announcer.h"
#include "windows/PowerActionRun.h"
#include "windows/TAktionsfehler.h"

#include <QCheckBox>
#include <QTabWidget>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

using Kind = PowerFailure::Kind;

struct ReportCase
{
    const char* name;
    quint8 action;
    PowerFailure failure;
    const char* title;
    const char* reason;   // a part of the reason in plain words
    bool forceOffered;    // "Trotzdem ausführen" among the choices
    bool closesOnSuccess; // with "Programm beenden nach Aktion", once the retry succeeded
};

class Report : public MainWindowFixture, public ::testing::WithParamInterface<ReportCase>
{};

TEST_P(Report, NamesWhatDidNotHappenAndWhyKeepsTheProgramAndOffersWhatCanHelp)
{
    const ReportCase& c = GetParam();
    createAndShow();
    setCountdown(0, 0, 2);
    TEinst& options = main->CurrentOptions();
    options.SetAktion(c.action);
    options.SetClosePgm(true);
    options.SetVorwarnzeit(0);
    main->ShowOptions();
    QSignalSpy closed(main.get(), &TMain::closed);
    power.outcome = c.failure;
    ui().Btn_Start->click();
    advance(3000);

    TAktionsfehler* const report = main->powerRun().reportWindow();
    ASSERT_TRUE(report && report->isVisible());
    EXPECT_TRUE(report->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(report->L_Titel->text().toStdString(), c.title);
    EXPECT_TRUE(report->L_Grund->text().contains(QString::fromUtf8(c.reason))) << report->L_Grund->text().toStdString();
    EXPECT_EQ(report->Btn_Trotzdem->isVisibleTo(report), c.forceOffered);
    EXPECT_EQ(closed.count(), 0); // the failure does not end the program
    EXPECT_EQ(ui().StatusBar1->panelText(1), PowerFailure::failedNote());
    EXPECT_TRUE(main->trayHint().contains(QString::fromUtf8(c.title))); // for a window hidden in the tray

    const auto up = notifications.up();
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].notification.summary.toStdString(), c.title);
    EXPECT_EQ(up[0].notification.body, report->L_Grund->text());
    EXPECT_EQ(up[0].notification.urgency, Notification::Urgency::Critical);
    EXPECT_EQ(up[0].notification.actions.size(), c.forceOffered ? 3 : 2);

    // The system is mended; the choice that can help is taken once more, in the window or the notification.
    power.outcome.reset();
    if (c.forceOffered)
        report->Btn_Trotzdem->click();
    else
        notifications.choose(up[0].id, PowerActionRun::retryKey());
    ASSERT_EQ(power.calls.size(), 2);
    EXPECT_EQ(power.calls[1], (std::pair<int, bool>{c.action, c.forceOffered}));
    EXPECT_FALSE(report->isVisible());
    EXPECT_TRUE(notifications.up().empty());
    EXPECT_EQ(closed.count(), c.closesOnSuccess ? 1 : 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Kinds, Report,
    ::testing::Values(
        ReportCase{"NotAllowed",     AktionShutdown,  {Kind::NotAllowed, {}, {}},     "Der Rechner wurde nicht heruntergefahren.", "keine Berechtigung", false, false},
        ReportCase{"NeedsPassword",  AktionRestart,   {Kind::NeedsPassword, {}, {}},  "Der Rechner wurde nicht neu gestartet.", "kein Anmeldedialog", false, false},
        ReportCase{"Inhibited",      AktionShutdown,  {Kind::Inhibited, QStringLiteral("Firefox"), QStringLiteral("Download läuft")},
                                                                                       "Der Rechner wurde nicht heruntergefahren.", "Firefox verhindert es: Download läuft", true, false},
        ReportCase{"NotAvailable",   AktionHibernate, {Kind::NotAvailable, {}, {}},   "Der Rechner wurde nicht in den Ruhezustand versetzt.", "nicht verfügbar", false, true},
        ReportCase{"NoSession",      AktionSperren,   {Kind::NoSession, {}, {}},      "Der Bildschirm wurde nicht gesperrt.", "Sitzung wurde nicht gefunden", false, true},
        ReportCase{"Unreachable",    AktionStandby,   {Kind::Unreachable, {}, {}},    "Der Rechner wurde nicht in den Standby versetzt.", "nicht erreichbar", false, true},
        ReportCase{"NoAnswer",       AktionStandby,   {Kind::NoAnswer, {}, {}},       "Der Rechner wurde nicht in den Standby versetzt.", "nicht rechtzeitig", false, true},
        ReportCase{"SessionRefused", AktionLogoff,    {Kind::SessionRefused, {}, {}}, "Sie wurden nicht abgemeldet.", "Sitzungsverwaltung", true, true},
        ReportCase{"Error",          AktionRestart,   {Kind::Error, {}, QStringLiteral("kaputt")}, "Der Rechner wurde nicht neu gestartet.", "kaputt", false, false}),
    [](const ::testing::TestParamInfo<ReportCase>& row) { return std::string(row.param.name); });
// clang-format on

TEST_F(MainWindowFixture, StartRefusesWhatTheSystemCannotOrMayNotDoAndGreysItOut)
{
    // The action page, when it is first shown, asks once and greys out what cannot be done; the
    // stored choice stays.
    power.permissions = {{AktionHibernate, PowerPermission::NotAvailable}, {AktionShutdown, PowerPermission::No}};
    create();
    main->CurrentOptions().SetAktion(AktionHibernate);
    main->show();
    ui().PageControl1->setCurrentWidget(ui().TabSheet1);
    if (!ui().Aktion->isVisible())
        ui().Btn_Config->click();
    ASSERT_TRUE(ui().Aktion->isVisible());
    EXPECT_TRUE(ui().Aktion->P_Hibernate->isDimmed());
    EXPECT_TRUE(ui().Aktion->P_Hibernate->toolTip().contains(QStringLiteral("nicht verfügbar")));
    EXPECT_TRUE(ui().Aktion->P_Shutdown->isDimmed());
    EXPECT_FALSE(ui().Aktion->P_Restart->isDimmed());
    EXPECT_TRUE(ui().Aktion->P_Hibernate->isChosen());

    const std::pair<PowerPermission, const char*> answers[] = {
        {PowerPermission::NotAvailable, "Die Aktion „Ruhezustand“ ist auf diesem Rechner nicht verfügbar."},
        {PowerPermission::No, "Sie dürfen die Aktion „Ruhezustand“ auf diesem Rechner nicht ausführen."},
        {PowerPermission::Challenge, nullptr},
        {PowerPermission::Yes, nullptr}};
    setCountdown(0, 1, 0);
    for (const auto& [answer, refusal] : answers) {
        SCOPED_TRACE(static_cast<int>(answer));
        boxes.boxes.clear();
        power.permissions[AktionHibernate] = answer;
        ui().Btn_Start->click();
        EXPECT_EQ(running(), refusal == nullptr);
        if (refusal) {
            EXPECT_TRUE(onlyBox(boxes, QStringLiteral("Error"), QString::fromUtf8(refusal)));
        }
        EXPECT_EQ(ui().StatusBar1->panelText(1),
                  answer == PowerPermission::Challenge ? PowerFailure::passwordNote() : QString());
        ui().Btn_Reset->click();
        EXPECT_EQ(ui().StatusBar1->panelText(1), QString());
    }
}

TEST_F(MainWindowFixture, AnnouncementNamesTheBlockingProgramAndTrotzdemForcesTheAction)
{
    power.inhibitor = PowerInhibitor{QStringLiteral("Firefox"), QStringLiteral("Download läuft")};
    createAndShow();
    setCountdown(0, 2, 0);
    main->CurrentOptions().SetAktion(AktionShutdown);
    ui().Btn_Start->click();
    advance(60'000);

    auto up = notifications.up();
    ASSERT_EQ(up.size(), 1u);
    EXPECT_TRUE(
        up[0].notification.body.contains(QStringLiteral("Firefox verhindert das Herunterfahren: Download läuft")));
    ASSERT_EQ(up[0].notification.actions.size(), 3);
    EXPECT_EQ(up[0].notification.actions[2].first, Announcer::forceKey());
    EXPECT_TRUE(notifications.choose(up[0].id, Announcer::forceKey()));

    // Still announced, now as forced, without the third choice; the end forces the request.
    up = notifications.up();
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].notification.actions.size(), 2);
    EXPECT_TRUE(up[0].notification.body.contains(QStringLiteral("(erzwungen)")));
    advance(60'000);
    EXPECT_EQ(power.calls, (QList<std::pair<int, bool>>{{AktionShutdown, true}}));
}

} // namespace
