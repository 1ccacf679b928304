#include "windows/TEinstellungen.h"

#include "mock/FakeAudioDevice.h"
#include "mock/FakeProcessWatcher.h"
#include "mock/QtPrinters.h"
#include "mock/RecordingMessageBoxes.h"
#include "mock/ScriptedFileDialogs.h"
#include "mock/ScriptedModalRunner.h"
#include "widgets/ActionPanel.h"
#include "widgets/ClickPanel.h"
#include "widgets/QuietLimitsPanel.h"
#include "widgets/SoundPanel.h"
#include "widgets/StartPanel.h"
#include "widgets/TimeEntryBox.h"
#include "widgets/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace kelvaro::test {
namespace {

constexpr const char* kZeroCountdownUtf8 =
    "Beim Countdown müssen Sie eine Zeit größer Null eingeben,\n\rdamit der Countdown durchgeführt werden kann!";
constexpr const char* kNoMessageUtf8 = "Fehler - Keine Nachricht eingegeben";
constexpr const char* kNoProgramUtf8 = "Fehler - Kein Programm eingegeben";
constexpr const char* kNoQuietLimitUtf8 = "Beim Leerlauf muss eine Grenze für den Prozessor oder das Netz größer "
                                          "Null sein, sonst wird nichts beobachtet.";
const QString kZeroCountdown = QString::fromUtf8(kZeroCountdownUtf8);
const QString kNoMessage = QString::fromUtf8(kNoMessageUtf8);

class Editor : public ::testing::Test
{
protected:
    RecordingMessageBoxes boxes;
    ScriptedFileDialogs fileDialogs;
    FakeAudioDevice audio;
    ScriptedModalRunner modal;
    FakeProcessWatcher processes;
    TEinstellungen dialog{boxes, fileDialogs, audio, processes};

    void TearDown() override { dialog.hide(); }

    TEinst& options() { return dialog.EditorOptions(); }

    /** Shows the dialog modally, as its callers do, and acts inside it. */
    void run(const std::function<void()>& act)
    {
        modal.actions[QStringLiteral("Einstellungen")] = [act](QDialog& shown) {
            QApplication::setActiveWindow(&shown);
            act();
        };
        modal.exec(dialog);
    }

    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5)); }

    QList<QWidget*> soundControls() const
    {
        const SoundPanel& s = *dialog.Sound;
        return {s.RBtn_NoSound, s.RBtn_Beep,    s.RBtn_SoundDatei,      s.L_AnzTone,   s.Ed_AnzToene,
                s.UpDown3,      s.Ed_SoundFile, s.Btn_SoundDurchsuchen, s.Btn_PlayStop};
    }
    /** The names of the enabled sound controls. */
    QStringList enabledSoundControls() const
    {
        QStringList names;
        for (QWidget* control : soundControls()) {
            if (control->isEnabled())
                names << control->objectName();
        }
        return names;
    }
};

TEST_F(Editor, NewPresetNeedsATimeThenAMessage)
{
    options().SetDefaults();
    run([this] {
        click(dialog.Btn_OK);
        EXPECT_EQ(boxes.texts(), QStringList{kZeroCountdown});
        EXPECT_EQ(boxes.boxes.last().caption, QStringLiteral("Information"));
        EXPECT_TRUE(dialog.isVisible());

        dialog.Eingabe->Ed_Minuten->setText(QStringLiteral("1"));
        QWidget* focusAtWarning = nullptr;
        boxes.onShow = [&](const RecordingMessageBoxes::Box&) {
            focusAtWarning = dialog.focusWidget();
        };
        click(dialog.Btn_OK);
        EXPECT_EQ(boxes.texts(), (QStringList{kZeroCountdown, kNoMessage}));
        EXPECT_EQ(boxes.boxes.last().caption, QStringLiteral("Warning"));
        EXPECT_EQ(focusAtWarning, dialog.Aktion->Ed_Nachricht);
        EXPECT_TRUE(dialog.isVisible());

        QTest::keyClicks(dialog.Aktion->Ed_Nachricht, QStringLiteral("Tee"));
        click(dialog.Btn_OK);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_TRUE(dialog.Accepted());
    EXPECT_EQ(boxes.boxes.size(), 2);
    EXPECT_EQ(options().GetNachricht(), QStringLiteral("Tee"));
    EXPECT_EQ(options().options().Zeit_Minuten, 1);
}

struct OkCase
{
    quint8 aktion;
    quint8 zeitMode;
    qint32 seconds;
    const char* nachricht;
    const char* box; // the one box shown, or nothing
    const char* programm = "";
    qint32 cpu = 10;
    qint32 netz = 50;
};

class OkChecks : public Editor, public ::testing::WithParamInterface<OkCase>
{};

TEST_P(OkChecks, ComeInOrderAndOnlyTheFirstFailingOneSpeaks)
{
    const OkCase& c = GetParam();
    options().SetAktion(c.aktion);
    options().SetZeitMode(c.zeitMode);
    options().SetSekunden(c.seconds);
    options().SetNachricht(QString::fromUtf8(c.nachricht));
    options().SetProgramm(QString::fromUtf8(c.programm));
    options().SetLeerlaufCpu(c.cpu);
    options().SetLeerlaufNetz(c.netz);
    run([this] { click(dialog.Btn_OK); });
    const QStringList expected = c.box ? QStringList{QString::fromUtf8(c.box)} : QStringList{};
    EXPECT_EQ(boxes.texts(), expected);
    EXPECT_EQ(dialog.Accepted(), c.box == nullptr);
}

INSTANTIATE_TEST_SUITE_P(Settings, OkChecks,
                         ::testing::Values(OkCase{AktionNachricht, ZeitCountdown, 0, "", kZeroCountdownUtf8},
                                           OkCase{AktionShutdown, ZeitCountdown, 0, "", kZeroCountdownUtf8},
                                           OkCase{AktionShutdown, ZeitUhrzeit, 0, "", nullptr},
                                           OkCase{AktionNachricht, ZeitUhrzeit, 0, "", kNoMessageUtf8},
                                           OkCase{AktionStandby, ZeitStopuhr, 0, "", nullptr},
                                           OkCase{AktionNachricht, ZeitCountdown, 1, "Tee", nullptr},
                                           // A preset may name a program that does not run now.
                                           OkCase{AktionSperren, ZeitProgrammende, 0, "", nullptr, "wget"},
                                           OkCase{AktionNachricht, ZeitProgrammende, 0, "", kNoProgramUtf8, " "},
                                           OkCase{AktionNachricht, ZeitProgrammende, 0, "x", kNoProgramUtf8},
                                           // Waiting for quiet needs one limit to watch.
                                           OkCase{AktionSperren, ZeitLeerlauf, 5, "", kNoQuietLimitUtf8, "", 0, 0},
                                           OkCase{AktionSperren, ZeitLeerlauf, 5, "", nullptr, "", 0, 1}));

TEST_F(Editor, AcceptedOnlyAfterAValidOkAndClearedAtTheNextShowing)
{
    options().SetSekunden(5);
    options().SetNachricht(QStringLiteral("Pizza"));
    const std::function<void()> ways[] = {
        [this] { click(dialog.Btn_Schliessen); },
        [this] { dialog.close(); }, // the close box
        [this] { QTest::keyClick(&dialog, Qt::Key_Escape); },
    };
    for (const auto& way : ways) {
        run([this] { click(dialog.Btn_OK); });
        ASSERT_TRUE(dialog.Accepted());
        run([this, &way] {
            EXPECT_FALSE(dialog.Accepted());
            way();
            EXPECT_FALSE(dialog.isVisible());
        });
        EXPECT_FALSE(dialog.Accepted());
    }
}

TEST_F(Editor, EnterInTheClockTimeFieldTakesTheTimeOverAndMeansOk)
{
    options().SetZeitMode(ZeitUhrzeit);
    options().SetNachricht(QStringLiteral("Tee"));
    run([this] {
        QLineEdit* field = dialog.Eingabe->Ed_Uhrzeit;
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("073000"));
        QTest::keyClick(field, Qt::Key_Return);
    });
    EXPECT_TRUE(dialog.Accepted());
    const TROptionen& o = options().options();
    EXPECT_EQ(o.Zeit_Stunden * 10000 + o.Zeit_Minuten * 100 + o.Zeit_Sekunden, 73000);
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(Editor, ForceBoxSetsForce)
{
    options().SetAktion(AktionLogoff);
    run([this] {
        ASSERT_TRUE(dialog.Aktion->CBx_Force->isEnabled());
        click(dialog.Aktion->CBx_Force);
        EXPECT_TRUE(options().GetForce());
        click(dialog.Aktion->P_Standby); // force stays stored while standby is chosen
        EXPECT_FALSE(dialog.Aktion->CBx_Force->isEnabled());
        EXPECT_TRUE(dialog.Aktion->CBx_Force->isChecked());
        click(dialog.Aktion->P_Shutdown);
        click(dialog.Aktion->CBx_Force);
        EXPECT_FALSE(options().GetForce());
    });
}

TEST_F(Editor, SoundControlsAreDisabledUnlessTheActionIsTheMessage)
{
    for (const quint8 mode : {SoundBeep, SoundFile}) {
        options().SetAktion(AktionNachricht);
        options().SetSoundMode(mode);
        run([this, mode] {
            const QStringList byMode =
                mode == SoundBeep ? QStringList{QStringLiteral("RBtn_NoSound"),    QStringLiteral("RBtn_Beep"),
                                                QStringLiteral("RBtn_SoundDatei"), QStringLiteral("L_AnzTone"),
                                                QStringLiteral("Ed_AnzToene"),     QStringLiteral("UpDown3")}
                                  : QStringList{QStringLiteral("RBtn_NoSound"),         QStringLiteral("RBtn_Beep"),
                                                QStringLiteral("RBtn_SoundDatei"),      QStringLiteral("Ed_SoundFile"),
                                                QStringLiteral("Btn_SoundDurchsuchen"), QStringLiteral("Btn_PlayStop")};
            EXPECT_EQ(enabledSoundControls(), byMode);
            for (quint8 aktion : {AktionShutdown, AktionRestart, AktionLogoff, AktionStandby}) {
                click(dialog.Aktion->panel(aktion));
                EXPECT_EQ(enabledSoundControls(), QStringList{}) << int(aktion);
            }
            click(dialog.Aktion->P_Msg);
            EXPECT_EQ(enabledSoundControls(), byMode);
        });
    }
}

TEST_F(Editor, LeadTimeTypedAndConfirmedWithEnterIsTaken)
{
    options().SetAktion(AktionShutdown);
    options().SetMinuten(1);
    run([this] {
        EXPECT_EQ(dialog.Start->Ed_Vorwarnzeit->text(), QStringLiteral("60"));
        dialog.Start->Ed_Vorwarnzeit->setFocus();
        dialog.Start->Ed_Vorwarnzeit->selectAll();
        QTest::keyClicks(dialog.Start->Ed_Vorwarnzeit, QStringLiteral("25"));
        QTest::keyClick(dialog.Start->Ed_Vorwarnzeit, Qt::Key_Return);
    });
    EXPECT_TRUE(dialog.Accepted());
    EXPECT_EQ(options().GetVorwarnzeit(), 25);
}

TEST_F(Editor, EnterOnARefusedLimitWarnsAndDoesNotCloseTheDialog)
{
    options().SetAktion(AktionSperren);
    options().SetZeitMode(ZeitLeerlauf);
    run([this] {
        QLineEdit* cpu = dialog.Eingabe->P_Leerlauf->Ed_LeerlaufCPU;
        for (const QString& typed : {QStringLiteral("101"), QStringLiteral("40")}) {
            cpu->setFocus();
            cpu->selectAll();
            QTest::keyClicks(cpu, typed);
            QTest::keyClick(cpu, Qt::Key_Return);
            EXPECT_EQ(dialog.isVisible(), typed == QStringLiteral("101"));
        }
    });
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(dialog.Accepted());
    EXPECT_EQ(options().GetLeerlaufCpu(), 40);
}

TEST_F(Editor, CloseKeepsTheChangesInTheOptions)
{
    options().SetDefaults();
    run([this] {
        click(dialog.Aktion->P_Restart);
        click(dialog.Start->CBx_Minimize);
        click(dialog.Btn_Schliessen);
    });
    EXPECT_FALSE(dialog.Accepted());
    EXPECT_EQ(options().GetAktion(), AktionRestart);
    EXPECT_TRUE(options().GetMinimize());
}

} // namespace
} // namespace kelvaro::test
