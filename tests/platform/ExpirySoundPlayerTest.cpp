#include "core/ExpirySoundPlayer.h"

#include "SoundFixture.h"
#include "core/AppError.h"
#include "core/MediaPlayer.h"
#include "core/TEinst.h"
#include "mock/RecordingMessageBoxes.h"
#include "platform/SdlAudioDevice.h"

#include <QDeadlineTimer>
#include <QThread>

namespace kelvaro::test {
namespace {

class ExpirySoundTest : public SoundFixture
{
protected:
    void play(quint8 mode, qint32 beeps, const QString& file)
    {
        m_options.SetSoundMode(mode);
        m_options.SetAnzBeeps(beeps);
        m_options.SetSoundFile(file);
        m_sound.PlayExpirySound(m_options);
    }

    void waitUntilFileEnded()
    {
        const QDeadlineTimer deadline(10000);
        while (m_player.IsPlaying() && !deadline.hasExpired())
            QThread::msleep(1);
        ASSERT_FALSE(m_player.IsPlaying());
    }

    TEinst m_options;
    MediaPlayer m_player{SdlAudioDevice::instance(), nullptr};
    RecordingMessageBoxes m_boxes;
    ExpirySoundPlayer m_sound{m_player, m_boxes, SdlAudioDevice::instance()};
};

struct SoundCase
{
    quint8 mode;
    qint32 anzBeeps;
    double expectedHz; // 0: silence
    double expectedMs;
};

class WhatSounds : public ExpirySoundTest, public ::testing::WithParamInterface<SoundCase>
{};

// Beeps and an existing 300 ms file of 1000 Hz are configured together; the mode decides what
// sounds. Beeps follow each other without a pause, and at most 100 of them sound.
TEST_P(WhatSounds, AsTheModeAndCountSay)
{
    const SoundCase expected = GetParam();
    play(expected.mode, expected.anzBeeps, writeToneWav(QStringLiteral("tone.wav"), 1000, 300));
    waitUntilFileEnded();
    const Recording recorded = recording();
    EXPECT_NEAR(recorded.soundMs, expected.expectedMs, 30);
    EXPECT_NEAR(recorded.frequencyHz, expected.expectedHz, 40);
    EXPECT_LT(recorded.longestPauseMs, 2);
    EXPECT_EQ(m_options.GetAnzBeeps(), expected.anzBeeps) << "the stored count is kept";
    EXPECT_TRUE(m_boxes.boxes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Table, WhatSounds,
                         ::testing::Values(SoundCase{SoundBeep, 3, 1900, 450}, SoundCase{SoundBeep, 1, 1900, 150},
                                           SoundCase{SoundBeep, 150, 1900, 100 * 150}, SoundCase{SoundBeep, 0, 0, 0},
                                           SoundCase{SoundBeep, -5, 0, 0}, SoundCase{SoundFile, 3, 1000, 300},
                                           SoundCase{SoundNone, 3, 0, 0}, SoundCase{7, 3, 0, 0}));

TEST_F(ExpirySoundTest, PlaysAnMp3File)
{
    const QString mp3 = writeToneMp3(QStringLiteral("tone.mp3"), 1000, 400);
    if (mp3.isEmpty())
        GTEST_SKIP() << "no MP3 encoder: install the Debian package libsox-fmt-mp3 (or lame)";
    play(SoundFile, 0, mp3);
    waitUntilFileEnded();
    const Recording recorded = recording();
    EXPECT_GT(recorded.soundMs, 350);
    EXPECT_NEAR(recorded.frequencyHz, 1000, 40);
}

TEST_F(ExpirySoundTest, MissingFileShowsTheErrorBoxAndReturns)
{
    for (const QString& file : {m_dir.file(QStringLiteral("gone.mp3")), QString(), m_dir.path()}) {
        EXPECT_NO_THROW(play(SoundFile, 3, file)) << file.toStdString();
        EXPECT_FALSE(m_player.IsOpen());
    }
    ASSERT_EQ(m_boxes.boxes.size(), 3);
    EXPECT_EQ(m_boxes.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(m_boxes.boxes[0].text, QStringLiteral("Sound-Datei nicht gefunden."));
    EXPECT_TRUE(recording().silent());
}

TEST_F(ExpirySoundTest, UnplayableFileThrowsTheLibrarysReason)
{
    const QString corrupt = writeFile(QStringLiteral("corrupt.wav"), QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24));
    try {
        play(SoundFile, 0, corrupt);
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_FALSE(error.message().isEmpty());
        EXPECT_NE(error.message(), MediaPlayer::unknownErrorText());
    }
    EXPECT_FALSE(m_player.IsOpen());
    EXPECT_TRUE(m_boxes.boxes.isEmpty());
}

TEST_F(ExpirySoundTest, StopSoundClosesOnlyAFileThatStillPlays)
{
    play(SoundFile, 0, writeToneWav(QStringLiteral("short.wav"), 1000, 100));
    waitUntilFileEnded();
    m_sound.StopSound();
    EXPECT_TRUE(m_player.IsOpen());

    useDiskAudio(50); // slower than real time: the long file is still playing below
    play(SoundFile, 0, writeToneWav(QStringLiteral("long.wav"), 1000, 4000));
    ASSERT_TRUE(m_player.IsPlaying());
    m_sound.StopSound();
    EXPECT_FALSE(m_player.IsPlaying());
    EXPECT_FALSE(m_player.IsOpen());
}

} // namespace
} // namespace kelvaro::test
