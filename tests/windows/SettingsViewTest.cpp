#include "MainWindowFixture.h"
#include "mock/TempDir.h"
#include "widgets/ActionPanel.h"
#include "widgets/ClickPanel.h"
#include "widgets/SoundPanel.h"
#include "widgets/StartPanel.h"
#include "widgets/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <utility>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class SettingsView : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        createAndShow();
        advance(1'000);           // the first clock tick
        ui().Btn_Config->click(); // open the settings area
        QApplication::setActiveWindow(main.get());
    }

    ActionPanel& aktion() { return *ui().Aktion; }
    SoundPanel& soundPage() { return *ui().Sound; }
    TEinst& options() { return main->CurrentOptions(); }
    QString status(int panel) const { return ui().StatusBar1->panelText(panel); }

    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5)); }
    bool soundTabVisible() const { return ui().PageControl1->isTabVisible(ui().PageControl1->indexOf(ui().TS_Sound)); }
};

TEST_F(SettingsView, ForceStaysWhileAnotherActionIsChosen)
{
    click(aktion().P_Shutdown);
    EXPECT_EQ(options().GetAktion(), AktionShutdown);
    ASSERT_TRUE(aktion().CBx_Force->isEnabled());
    click(aktion().CBx_Force);
    EXPECT_TRUE(options().GetForce());
    EXPECT_EQ(status(0), QStringLiteral("Rechner herunterfahren (erzwingen)"));
    EXPECT_TRUE(aktion().P_Shutdown->isChosen());

    click(aktion().P_Msg);
    EXPECT_EQ(status(0), QStringLiteral("Nachricht anzeigen"));
    EXPECT_FALSE(aktion().CBx_Force->isEnabled());
    EXPECT_TRUE(aktion().CBx_Force->isChecked());
    EXPECT_TRUE(options().GetForce());
    EXPECT_TRUE(aktion().P_Msg->isChosen());
    EXPECT_FALSE(aktion().P_Shutdown->isChosen());

    // A click on the picture counts as a click on the panel.
    click(aktion().findChild<QLabel*>(QStringLiteral("Img_Restart")));
    EXPECT_EQ(status(0), QStringLiteral("Rechner neu starten (erzwingen)"));

    // Hibernate and lock cannot be forced, as standby.
    for (const auto& [panel, code] :
         {std::pair{aktion().P_Hibernate, AktionHibernate}, std::pair{aktion().P_Sperren, AktionSperren}}) {
        click(panel);
        EXPECT_EQ(options().GetAktion(), code);
        EXPECT_TRUE(panel->isChosen());
        EXPECT_FALSE(aktion().CBx_Force->isEnabled());
        EXPECT_EQ(status(0), ActionPanel::statusText(code));
    }
}

TEST_F(SettingsView, StoredForceWithStandbyShowsADisabledTickedBoxWithoutSuffix)
{
    options().SetAktion(AktionStandby);
    options().SetForce(true);
    main->ShowOptions();
    EXPECT_FALSE(aktion().CBx_Force->isEnabled());
    EXPECT_TRUE(aktion().CBx_Force->isChecked());
    EXPECT_EQ(status(0), QStringLiteral("Standby Modus"));
    EXPECT_FALSE(soundTabVisible());
    EXPECT_FALSE(aktion().Ed_Nachricht->isEnabled());
}

struct StatusCase
{
    quint8 aktion;
    quint8 zeitMode;
    quint8 soundMode;
    qint32 beeps;
    const char* file;
    const char* panel0;
    const char* panel1;
};

class StatusTexts : public SettingsView, public ::testing::WithParamInterface<StatusCase>
{};

TEST_P(StatusTexts, FollowTheOptions)
{
    const StatusCase& c = GetParam();
    options().SetAktion(c.aktion);
    options().SetZeitMode(c.zeitMode);
    options().SetSoundMode(c.soundMode);
    options().SetAnzBeeps(c.beeps);
    options().SetSoundFile(QString::fromUtf8(c.file));
    main->ShowOptions();
    EXPECT_EQ(status(0).toStdString(), c.panel0);
    EXPECT_EQ(status(1).toStdString(), c.panel1);
}

INSTANTIATE_TEST_SUITE_P(Options, StatusTexts,
                         ::testing::Values(StatusCase{0, 0, 1, 3, "", "Nachricht anzeigen", "Beep (3x)"},
                                           StatusCase{0, 0, 2, 3, "C:\\Media\\gong.wav", "Nachricht anzeigen",
                                                      "Sound-Datei [gong.wav]"},
                                           StatusCase{0, 1, 2, 3, "/home/anna/Töne/Gong 2.mp3", "Nachricht anzeigen",
                                                      "Sound-Datei [Gong 2.mp3]"},
                                           StatusCase{0, 0, 0, 3, "", "Nachricht anzeigen", ""},
                                           StatusCase{1, 0, 1, 3, "", "Rechner herunterfahren", ""},
                                           StatusCase{3, 1, 2, 3, "x.wav", "Benutzer abmelden", ""},
                                           StatusCase{5, 3, 1, 3, "", "Ruhezustand", ""},
                                           StatusCase{6, 0, 1, 3, "", "Bildschirm sperren", ""},
                                           StatusCase{0, 2, 1, 3, "", "", ""}, // the stopwatch empties both panels
                                           StatusCase{4, 2, 0, 3, "", "", ""}));

TEST_F(SettingsView, UnknownActionKeepsTheStatusText)
{
    click(aktion().P_Logoff);
    options().SetAktion(7);
    main->ShowOptions();
    EXPECT_EQ(status(0), QStringLiteral("Benutzer abmelden"));
    for (quint8 code = 0; isKnownAktion(code); ++code)
        EXPECT_FALSE(aktion().panel(code)->isChosen());
}

TEST_F(SettingsView, MessageFollowsEveryKeystrokeAndMayBeEmptied)
{
    aktion().Ed_Nachricht->setFocus();
    QTest::keyClicks(aktion().Ed_Nachricht, QStringLiteral("Tee"));
    EXPECT_EQ(options().GetNachricht(), QStringLiteral("Tee"));
    QTest::keyClick(aktion().Ed_Nachricht, Qt::Key_Home);
    QTest::keyClicks(aktion().Ed_Nachricht, QStringLiteral("Gr"));
    aktion().Ed_Nachricht->insert(QStringLiteral("üner ")); // typed where the cursor stands
    EXPECT_EQ(options().GetNachricht(), QStringLiteral("Grüner Tee"));
    aktion().Ed_Nachricht->clear();
    EXPECT_EQ(options().GetNachricht(), QString());
}

TEST_F(SettingsView, SoundTabIsVisibleOnlyForTheMessage)
{
    EXPECT_TRUE(soundTabVisible());
    click(aktion().P_Restart);
    EXPECT_FALSE(soundTabVisible());
    click(aktion().P_Msg);
    EXPECT_TRUE(soundTabVisible());
}

TEST_F(SettingsView, ShowingTheOptionsRunsNoHandler)
{
    TROptionen o;
    o.Name = QStringLiteral("x");
    o.Aktion = AktionLogoff;
    o.Force = true;
    o.SoundMode = SoundFile;
    o.AnzBeeps = 500;
    o.SoundFile = QStringLiteral("/nicht/da.wav");
    o.Nachricht = QStringLiteral("Nachricht");
    o.Zeit_Minuten = 5;
    options().SetOptions(o);
    main->ShowOptions();
    EXPECT_EQ(options().options(), o);
    EXPECT_EQ(soundPage().Ed_AnzToene->text(), QStringLiteral("500"));
    EXPECT_EQ(ui().Eingabe->Ed_Minuten->text(), QStringLiteral("5"));
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(SettingsView, SoundModesEnableTheirControls)
{
    ui().PageControl1->setCurrentWidget(ui().TS_Sound);
    click(soundPage().RBtn_SoundDatei);
    EXPECT_EQ(options().GetSoundMode(), SoundFile);
    EXPECT_TRUE(soundPage().RBtn_SoundDatei->isChecked());
    EXPECT_FALSE(soundPage().RBtn_Beep->isChecked());
    EXPECT_TRUE(soundPage().Ed_SoundFile->isEnabled());
    EXPECT_TRUE(soundPage().Btn_PlayStop->isEnabled());
    EXPECT_FALSE(soundPage().Ed_AnzToene->isEnabled());
    EXPECT_EQ(soundPage().Ed_SoundFile->palette().color(QPalette::Base), QColor(255, 255, 255));

    click(soundPage().RBtn_NoSound);
    EXPECT_EQ(options().GetSoundMode(), SoundNone);
    EXPECT_FALSE(soundPage().Ed_SoundFile->isEnabled());
    EXPECT_FALSE(soundPage().Btn_SoundDurchsuchen->isEnabled());
    EXPECT_NE(soundPage().Ed_SoundFile->palette().color(QPalette::Base), QColor(255, 255, 255));

    click(soundPage().RBtn_Beep);
    EXPECT_TRUE(soundPage().Ed_AnzToene->isEnabled());
    EXPECT_TRUE(soundPage().UpDown3->isEnabled());
}

struct CountCase
{
    const char* typed;
    qint32 stored;
    const char* shown;
};

class CountField : public SettingsView, public ::testing::WithParamInterface<CountCase>
{};

TEST_P(CountField, IsTakenWhenTheFieldIsLeft)
{
    const CountCase& c = GetParam();
    ui().PageControl1->setCurrentWidget(ui().TS_Sound);
    soundPage().Ed_AnzToene->setFocus(Qt::TabFocusReason);
    soundPage().Ed_AnzToene->setText(QString::fromUtf8(c.typed));
    leave();
    EXPECT_EQ(options().GetAnzBeeps(), c.stored);
    EXPECT_EQ(soundPage().Ed_AnzToene->text().toStdString(), c.shown);
}

// Whole numbers as the beep count takes them.
INSTANTIATE_TEST_SUITE_P(Texts, CountField,
                         ::testing::Values(CountCase{"abc", 3, "3"}, CountCase{"0", 0, "0"},
                                           CountCase{"500", 500, "500"}, CountCase{"", 3, "3"},
                                           CountCase{"-2", -2, "-2"}));

/** The lead time field of the main window (false) or of the preset editor (true), with a text typed. */
class LeadTimeField : public SettingsView, public ::testing::WithParamInterface<std::tuple<bool, CountCase>>
{};

TEST_P(LeadTimeField, TakesZeroToAnHourAndWarnsOfAnythingElse)
{
    const auto& [editor, c] = GetParam();
    TEinst& o = editor ? einstellungen->EditorOptions() : options();
    o.SetVorwarnzeit(45);
    if (editor) {
        einstellungen->show();
        QApplication::setActiveWindow(einstellungen.get());
    } else {
        main->ShowOptions();
        ui().PageControl1->setCurrentWidget(ui().Sonstiges);
    }
    StartPanel& panel = editor ? *einstellungen->Start : *ui().Start;
    panel.Ed_Vorwarnzeit->setFocus(Qt::TabFocusReason);
    panel.Ed_Vorwarnzeit->setText(QString::fromUtf8(c.typed));
    panel.CBx_Minimize->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(o.GetVorwarnzeit(), c.stored);
    EXPECT_EQ(panel.Ed_Vorwarnzeit->text().toStdString(), c.shown);
    const QString warning =
        QStringLiteral("Fehler bei der Eingabe!\n\rEs sind nur Zahlen zwischen 0 und 3600 erlaubt.");
    EXPECT_EQ(boxes.texts(), c.stored == 45 ? QStringList{warning} : QStringList{});
    einstellungen->hide();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadTimeField,
    ::testing::Combine(::testing::Bool(),
                       ::testing::Values(CountCase{"x", 45, "45"}, CountCase{"99999999999", 45, "45"},
                                         CountCase{"-1", 45, "45"}, CountCase{"3601", 45, "45"},
                                         CountCase{"", 45, "45"}, CountCase{"0", 0, "0"},
                                         CountCase{"3600", 3600, "3600"}, CountCase{"$3C", 60, "60"})));

TEST_F(SettingsView, SpinnerMovesWithinOneToAHundred)
{
    options().SetAnzBeeps(99);
    main->ShowOptions();
    soundPage().UpDown3->stepUp();
    EXPECT_EQ(options().GetAnzBeeps(), 100);
    soundPage().UpDown3->stepUp();
    EXPECT_EQ(options().GetAnzBeeps(), 100);
    options().SetAnzBeeps(1);
    main->ShowOptions();
    soundPage().UpDown3->stepDown();
    EXPECT_EQ(options().GetAnzBeeps(), 1);
    QTest::keyClick(soundPage().Ed_AnzToene, Qt::Key_Up);
    EXPECT_EQ(options().GetAnzBeeps(), 2);
    EXPECT_EQ(soundPage().Ed_AnzToene->text(), QStringLiteral("2"));
}

TEST_F(SettingsView, ChoosingASoundFileTakesOnlyAnExistingOne)
{
    TempDir dir;
    const QString gong = dir.file(QStringLiteral("gong.wav"));
    QFile(gong).open(QIODevice::WriteOnly);
    options().SetSoundMode(SoundFile);
    main->ShowOptions();

    fileDialogs.answers = {QString()}; // cancelled
    click(soundPage().Btn_SoundDurchsuchen);
    EXPECT_EQ(options().GetSoundFile(), QString());
    EXPECT_EQ(fileDialogs.askedFilters, QStringList{QStringLiteral("MP3-Datei (*.mp3);;WAV-Datei (*.wav)")});

    fileDialogs.answers = {dir.file(QStringLiteral("fehlt.wav"))};
    click(soundPage().Btn_SoundDurchsuchen);
    EXPECT_EQ(options().GetSoundFile(), QString());

    fileDialogs.answers = {gong};
    click(soundPage().Btn_SoundDurchsuchen);
    EXPECT_EQ(options().GetSoundFile(), gong);
    EXPECT_EQ(soundPage().Ed_SoundFile->text(), gong);
    EXPECT_EQ(status(1), QStringLiteral("Sound-Datei [gong.wav]"));

    // A name typed by hand is taken as it is in the main window.
    soundPage().Ed_SoundFile->setFocus(Qt::TabFocusReason);
    soundPage().Ed_SoundFile->setText(QStringLiteral("/gibt/es/nicht.mp3"));
    leave();
    EXPECT_EQ(options().GetSoundFile(), QStringLiteral("/gibt/es/nicht.mp3"));
}

TEST_F(SettingsView, TestButtonPlaysTheFieldsFileAndStartEndsTheTest)
{
    options().SetSoundMode(SoundFile);
    options().SetSoundFile(QStringLiteral("/musik/a.wav"));
    setCountdown(0, 1, 0);
    main->ShowOptions();
    soundPage().Ed_SoundFile->setText(QStringLiteral("/musik/b.wav")); // not yet left: the field counts
    click(soundPage().Btn_PlayStop);
    EXPECT_EQ(soundPage().Btn_PlayStop->text(), QStringLiteral("Stop"));
    EXPECT_EQ(audio.playingFile(), QStringLiteral("/musik/b.wav"));

    ui().Btn_Start->click();
    EXPECT_TRUE(running());
    EXPECT_EQ(soundPage().Btn_PlayStop->text(), QStringLiteral("Testen"));
    EXPECT_EQ(audio.playingFile(), QString());
}

TEST_F(SettingsView, TestOfAFileThatCannotBeOpenedIsReportedAndTheCaptionStays)
{
    audio.unplayable[QStringLiteral("/musik/kaputt.mp3")] = QStringLiteral("Unrecognized audio format");
    options().SetSoundMode(SoundFile);
    options().SetSoundFile(QStringLiteral("/musik/kaputt.mp3"));
    main->ShowOptions();
    click(soundPage().Btn_PlayStop);
    EXPECT_TRUE(onlyBox(boxes, QStringLiteral("Kelvaro"), QStringLiteral("Unrecognized audio format.")));
    EXPECT_EQ(soundPage().Btn_PlayStop->text(), QStringLiteral("Testen"));
}

} // namespace
