#include "MainWindowFixture.h"
#include "core/ExpirySoundPlayer.h"
#include "mock/TempDir.h"
#include "widgets/SoundPanel.h"
#include "widgets/UpDown.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QRadioButton>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

/** The main window with the real expiry sound on the fake output, which counts the beeps. */
class HostileRun : public MainWindowFixture
{
protected:
    ExpirySoundPlayer player{mediaPlayer, boxes, audio};

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        expirySound = &player;
    }
};

// The longest countdown runs on the injected clock to its end: caption and tip count down every
// second, the tray ring only empties, and the message comes within about a second after the end.
TEST_F(HostileRun, LongestCountdownRunsToItsEnd)
{
    clock.setLocal(QDate(2026, 12, 7), QTime(9, 59, 59));
    createAndShow({QStringLiteral("-M<b>Tee</b>"), QStringLiteral("-T-23:59:59")});
    advance(1'000); // the first clock tick, at 10:00:00
    ui().Btn_Start->click();
    ASSERT_TRUE(running());
    EXPECT_EQ(ui().Label11->text(), QStringLiteral("09:59:59")); // tomorrow
    advance(1'100);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90  [23:59:58]"));
    EXPECT_EQ(main->trayHint(), QStringLiteral("Kelvaro  [23:59:58]"));
    EXPECT_EQ(main->trayRingStep(), 60);

    int lastStep = main->trayRingStep();
    int stepChanges = 0;
    bool shown = false;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog&) {
        shown = true;
        EXPECT_EQ(nachricht->Label_Nachricht->text(), QStringLiteral("<b>Tee</b>"));
        nachricht->Btn_OK->click();
    };
    const qint64 totalMs = (23 * 3600 + 59 * 60 + 59) * 1000LL;
    qint64 done = 1'100;
    for (; done + 60'000 < totalMs; done += 60'000) {
        advance(60'000);
        ASSERT_TRUE(running()) << done;
        ASSERT_LE(main->trayRingStep(), lastStep) << done;
        ASSERT_GE(main->trayRingStep(), 1) << done;
        stepChanges += main->trayRingStep() != lastStep ? 1 : 0;
        lastStep = main->trayRingStep();
    }
    EXPECT_GE(stepChanges, 55);
    advance(totalMs - 500 - done);
    EXPECT_TRUE(running());
    EXPECT_FALSE(shown);
    advance(2'200);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(running());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90"));
    EXPECT_EQ(main->trayHint(), QStringLiteral("Kelvaro"));
    EXPECT_EQ(main->trayRingStep(), -1);
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

// A run started before the first clock tick (in the first second after the window appeared)
// counts down from its length, not from the time of day.
TEST_F(HostileRun, StartBeforeTheFirstClockTickShowsTheCountdown)
{
    createAndShow();
    setCountdown(0, 0, 5);
    ui().Btn_Start->click();
    advance(100); // the first run tick
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("00:00:05"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90  [00:00:05]"));
    EXPECT_EQ(main->trayHint(), QStringLiteral("Kelvaro  [00:00:05]"));
    EXPECT_EQ(main->trayRingStep(), 60);
    advance(1'000);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90  [00:00:04]"));
}

enum class BeepSource { Field, Store, CommandLine };

std::string beepSourceName(BeepSource source)
{
    static const char* const names[] = {"Field", "Store", "CommandLine"};
    return names[static_cast<int>(source)];
}

class LargestBeepCount : public HostileRun, public ::testing::WithParamInterface<BeepSource>
{};

// 2^31-1 beeps are taken and kept as they are, but an expiry sounds at most 100 before the
// message window opens; it closes with OK, and no sound is left behind.
TEST_P(LargestBeepCount, SoundsAHundredAndTheMessageCloses)
{
    constexpr qint32 largest = 2147483647;
    switch (GetParam()) {
    case BeepSource::Field:
        createAndShow();
        advance(1'000);           // the first clock tick
        ui().Btn_Config->click(); // opens the settings area
        ui().PageControl1->setCurrentWidget(ui().TS_Sound);
        QApplication::setActiveWindow(main.get());
        ui().Sound->RBtn_Beep->click();
        ui().Sound->Ed_AnzToene->setFocus();
        ui().Sound->Ed_AnzToene->selectAll();
        QTest::keyClicks(ui().Sound->Ed_AnzToene, QStringLiteral("2147483647"));
        ui().Btn_Beenden->setFocus(Qt::TabFocusReason); // leaves the field
        QCoreApplication::processEvents();
        break;
    case BeepSource::Store: {
        TEinst stored;
        stored.SetDefaults();
        stored.SetAnzBeeps(largest);
        stored.SaveToRegistry(store, 0);
        createAndShow();
        break;
    }
    case BeepSource::CommandLine:
        createAndShow({QStringLiteral("-MTee"), QStringLiteral("-B2147483647"), QStringLiteral("-T-00:00:05")});
        break;
    }
    EXPECT_EQ(main->CurrentOptions().GetAnzBeeps(), largest);
    EXPECT_EQ(ui().Sound->Ed_AnzToene->text(), QStringLiteral("2147483647"));
    EXPECT_EQ(ui().StatusBar1->panelText(1), QStringLiteral("Beep (2147483647x)"));
    EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.texts().join(u'|').toStdString();

    int beepsWhenShown = -1;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog&) {
        beepsWhenShown = audio.beeps;
        QTest::mouseClick(nachricht->Btn_OK, Qt::LeftButton);
    };
    setCountdown(0, 0, 1);
    ui().Btn_Start->click();
    advance(3'000);
    EXPECT_EQ(beepsWhenShown, ExpirySoundPlayer::MaxBeeps);
    EXPECT_EQ(audio.beeps, ExpirySoundPlayer::MaxBeeps);
    EXPECT_FALSE(nachricht->isVisible());
    EXPECT_FALSE(running());
    EXPECT_EQ(audio.playingFile(), QString());
    EXPECT_EQ(main->CurrentOptions().GetAnzBeeps(), largest) << "the count is kept";

    ui().Btn_Speichern->click();
    TEinst saved;
    saved.LoadFromRegistry(store, 0);
    EXPECT_EQ(saved.GetAnzBeeps(), largest);

    // The spinner continues from the number shown, within its range.
    ui().Sound->UpDown3->stepDown();
    EXPECT_EQ(main->CurrentOptions().GetAnzBeeps(), 99);
}

INSTANTIATE_TEST_SUITE_P(Sources, LargestBeepCount,
                         ::testing::Values(BeepSource::Field, BeepSource::Store, BeepSource::CommandLine),
                         [](const ::testing::TestParamInfo<BeepSource>& row) { return beepSourceName(row.param); });

// ---------------------------------------------------------------------------------------------
// Launcher files that cannot be written

struct LauncherCase
{
    const char* name;
    const char* path; // inside the test's folder
    const char* message;
};

class UnwritableLauncher : public MainWindowFixture, public ::testing::WithParamInterface<LauncherCase>
{
protected:
    TempDir dir;

    QStringList everything() const
    {
        QStringList found;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        found.sort();
        return found;
    }
};

// The warning is shown, nothing is written anywhere, and the page goes on working: the next
// launcher with a good path and settings is written.
TEST_P(UnwritableLauncher, IsRefusedWithTheWarningAndThePageGoesOn)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Ordner")));
    QFile plain(dir.file(QStringLiteral("Datei")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    programPath = dir.file(QStringLiteral("Ordner/kelvaro"));
    createAndShow();
    einstellungen->EditorOptions().SetMinuten(5);
    einstellungen->EditorOptions().SetNachricht(QString::fromUtf8(GetParam().message));
    const QStringList before = everything();

    ui().Ed_LinkDatei->setText(dir.file(QString::fromUtf8(GetParam().path)));
    ui().Button3->click();
    EXPECT_TRUE(onlyBox(boxes, QStringLiteral("Warning"), QStringLiteral("Verknüpfung konnte nicht ereugt werden")));
    EXPECT_EQ(everything(), before);

    einstellungen->EditorOptions().SetNachricht(QStringLiteral("Tee"));
    ui().Ed_LinkDatei->setText(dir.file(QStringLiteral("Ordner/Tee.desktop")));
    ui().Button3->click();
    ASSERT_EQ(boxes.boxes.size(), 2);
    EXPECT_EQ(boxes.boxes[1].text, QStringLiteral("Verknüpfung erfolgreich erzeugt"));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("Ordner/Tee.desktop"))));
}

INSTANTIATE_TEST_SUITE_P(Paths, UnwritableLauncher,
                         ::testing::Values(LauncherCase{"MissingFolder", "fehlt/Tee.desktop", "Tee"},
                                           LauncherCase{"MissingFolders", "a/b/c/Tee.desktop", "Tee"},
                                           LauncherCase{"FolderIsAFile", "Datei/Tee.desktop", "Tee"},
                                           LauncherCase{"PathIsAFolder", "Ordner", "Tee"},
                                           LauncherCase{"TrailingSlash", "Ordner/Tee.desktop/", "Tee"},
                                           LauncherCase{"LineBreakInMessage", "Ordner/Tee.desktop", "Tee\nist fertig"},
                                           LauncherCase{"ControlInMessage", "Ordner/Tee.desktop", "Tee\x01"}),
                         [](const ::testing::TestParamInfo<LauncherCase>& row) { return std::string(row.param.name); });

} // namespace
