#include "core/ExpirySoundPlayer.h"
#include "mock/TempDir.h"
#include "platform/SdlAudioDevice.h"
#include "widgets/SoundPanel.h"
#include "windows/MainWindowFixture.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace kelvaro::test {
namespace {

/**
 * The main window and the preset editor on the real audio output, SDL's disk driver, which writes
 * what is played to a file in the test's folder instead of a speaker.
 */
class SoundFileOnTheRealOutput : public MainWindowFixture
{
protected:
    TempDir dir;
    MediaPlayer realPlayer{SdlAudioDevice::instance(), nullptr};
    ExpirySoundPlayer realSound{realPlayer, boxes, SdlAudioDevice::instance()};

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        SdlAudioDevice::instance().shutdown();
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(dir.file(QStringLiteral("out.raw"))));
        qputenv("SDL_DISKAUDIODELAY", "0");
        mainPlayer = &realPlayer;
        editorAudio = &SdlAudioDevice::instance();
        expirySound = &realSound;
    }

    void TearDown() override
    {
        MainWindowFixture::TearDown();
        // The windows go before the players they use, and the output is shut for the next test.
        main->setSecondaryWindows({});
        einstellungen = {};
        nachricht = {};
        main.reset();
        realPlayer.Close();
        SdlAudioDevice::instance().shutdown();
        for (const char* name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"})
            qunsetenv(name);
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.file(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
};

struct NotAudio
{
    const char* name;
    const char* fileName;
    QByteArray bytes;
};

class NotAudioFile : public SoundFileOnTheRealOutput, public ::testing::WithParamInterface<NotAudio>
{};

// A file that exists but holds no sound: each test button reports the output's reason in an error
// box and keeps its caption; at expiry the reason is reported and the message window follows.
TEST_P(NotAudioFile, IsReportedByTestAndExpiryAndTheMessageStillAppears)
{
    const QString path = writeFile(QString::fromUtf8(GetParam().fileName), GetParam().bytes);
    createAndShow();
    main->CurrentOptions().SetSoundMode(SoundFile);
    main->CurrentOptions().SetSoundFile(path);
    main->ShowOptions();

    ui().Sound->Btn_PlayStop->click();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Kelvaro"));
    EXPECT_FALSE(boxes.boxes[0].text.isEmpty());
    EXPECT_EQ(ui().Sound->Btn_PlayStop->text(), QStringLiteral("Testen"));
    EXPECT_FALSE(realPlayer.IsOpen());

    einstellungen->EditorOptions().SetSoundMode(SoundFile);
    einstellungen->EditorOptions().SetSoundFile(path);
    modal.actions[QStringLiteral("Einstellungen")] = [&](QDialog&) {
        einstellungen->Sound->Btn_PlayStop->click();
    };
    ui().Button2->click(); // the editor, from the launcher page
    ASSERT_EQ(boxes.boxes.size(), 2);
    EXPECT_EQ(boxes.boxes[1].caption, QStringLiteral("Kelvaro"));
    EXPECT_EQ(einstellungen->Sound->Btn_PlayStop->text(), QStringLiteral("Testen"));

    bool messageShown = false;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog&) {
        messageShown = true;
        nachricht->Btn_OK->click();
    };
    setCountdown(0, 0, 1);
    ui().Btn_Start->click();
    advance(3'000);
    ASSERT_EQ(boxes.boxes.size(), 3);
    EXPECT_EQ(boxes.boxes[2].caption, QStringLiteral("Kelvaro"));
    EXPECT_EQ(boxes.boxes[2].text, boxes.boxes[0].text);
    EXPECT_TRUE(messageShown);
    EXPECT_FALSE(running());
    EXPECT_FALSE(realPlayer.IsPlaying());
}

QByteArray text(int repeat)
{
    QByteArray bytes;
    for (int i = 0; i < repeat; ++i)
        bytes += "Das ist kein Ton, nur eine Zeile Text.\n";
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Files, NotAudioFile,
                         ::testing::Values(NotAudio{"TextAsMp3", "x.mp3", text(200)},
                                           NotAudio{"EmptyMp3", "leer.mp3", QByteArray()},
                                           NotAudio{"TextAsWav", "x.wav", text(200)},
                                           NotAudio{"EmptyWav", "leer.wav", QByteArray()},
                                           NotAudio{"WavHeaderOnly", "kopf.wav", QByteArray("RIFF\x24\0\0\0WAVE", 12)}),
                         [](const ::testing::TestParamInfo<NotAudio>& row) { return std::string(row.param.name); });

} // namespace
} // namespace kelvaro::test
