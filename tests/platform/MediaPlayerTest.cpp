#include "core/MediaPlayer.h"

#include "SoundFixture.h"
#include "core/AppError.h"
#include "core/ExpirySoundPlayer.h"
#include "core/TEinst.h"
#include "core/TestSound.h"
#include "mock/FakeClock.h"
#include "mock/RecordingMessageBoxes.h"
#include "mock/VirtualTimerService.h"
#include "platform/IdleClosingAudioDevice.h"
#include "platform/SdlAudioDevice.h"

#include <QDir>
#include <QFileInfo>

namespace kelvaro::test {
namespace {

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& error) {
        return error.message();
    }
    return {};
}

class MediaPlayerTest : public SoundFixture
{
protected:
    // A slow output: a file that was started is still playing when the test looks.
    void SetUp() override { useDiskAudio(50); }

    QString longFile()
    {
        if (m_longFile.isEmpty())
            m_longFile = writeToneWav(QStringLiteral("long.wav"), 1000, 4000);
        return m_longFile;
    }

    QString m_longFile;

    MediaPlayer m_player{SdlAudioDevice::instance(), nullptr};
};

TEST_F(MediaPlayerTest, PlayAndStopNeedAnOpenFile)
{
    const QString noDevice = QStringLiteral("No MCI device open");
    EXPECT_EQ(errorOf([this] { m_player.Play(); }), noDevice);
    EXPECT_EQ(errorOf([this] { m_player.Stop(); }), noDevice);
    m_player.SetFileName(longFile());
    m_player.Open();
    m_player.Close();
    EXPECT_EQ(errorOf([this] { m_player.Play(); }), noDevice);
    EXPECT_FALSE(m_player.IsPlaying());
}

TEST_F(MediaPlayerTest, StopHaltsAndOpenClosesFirst)
{
    m_player.SetFileName(longFile());
    m_player.Open();
    m_player.Play();
    ASSERT_TRUE(m_player.IsPlaying());
    m_player.Stop();
    EXPECT_FALSE(m_player.IsPlaying());
    m_player.Play();
    EXPECT_TRUE(m_player.IsPlaying());

    m_player.Open();
    EXPECT_FALSE(m_player.IsPlaying());
    EXPECT_TRUE(m_player.IsOpen());
}

// The main window's player and the preset editor's share the one sound-file channel.
TEST_F(MediaPlayerTest, TheLastPlayerToPlayOwnsTheChannel)
{
    MediaPlayer editor(SdlAudioDevice::instance(), nullptr);
    for (MediaPlayer* player : {&editor, &m_player}) {
        player->SetFileName(longFile());
        player->Open();
        player->Play();
    }
    EXPECT_FALSE(editor.IsPlaying());
    editor.Stop();
    editor.Close();
    EXPECT_TRUE(m_player.IsPlaying());
}

TEST_F(MediaPlayerTest, TestButtonPlaysTheFieldsFileAndStops)
{
    const QString testen = QStringLiteral("Testen");
    const QString stop = QStringLiteral("Stop");
    EXPECT_EQ(TestSound(m_player, longFile(), testen), stop);
    EXPECT_TRUE(m_player.IsPlaying());
    EXPECT_EQ(TestSound(m_player, {}, stop), testen);
    EXPECT_FALSE(m_player.IsOpen());
    // Pressed again after the player was closed elsewhere: back to "Testen" without an error.
    EXPECT_EQ(TestSound(m_player, {}, stop), testen);

    EXPECT_EQ(TestSound(m_player, longFile(), testen), stop);
    EXPECT_THROW(TestSound(m_player, m_dir.file(QStringLiteral("missing.mp3")), testen), AppError);
    EXPECT_FALSE(m_player.IsOpen());
}

struct NoAudio
{
    const char* driver;
    const char* device;
};

class WithoutAudioOutput : public MediaPlayerTest, public ::testing::WithParamInterface<NoAudio>
{};

// Either SDL has no such driver, or the driver starts but its device cannot be opened.
TEST_P(WithoutAudioOutput, BeepsAreSilentAndFilesFailWithTheReason)
{
    useAudioDriver(GetParam().driver, GetParam().device);
    RecordingMessageBoxes boxes;
    ExpirySoundPlayer sound(m_player, boxes, SdlAudioDevice::instance());
    TEinst options;
    options.SetDefaults();
    sound.PlayExpirySound(options);

    options.SetSoundMode(SoundFile);
    options.SetSoundFile(longFile());
    const QString reason = errorOf([&] { sound.PlayExpirySound(options); });
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_NE(reason, MediaPlayer::unknownErrorText());
    EXPECT_FALSE(m_player.IsOpen());
    EXPECT_NO_THROW(sound.StopSound());
}

INSTANTIATE_TEST_SUITE_P(Drivers, WithoutAudioOutput,
                         ::testing::Values(NoAudio{"kelvaro-no-such-driver", nullptr},
                                           NoAudio{"alsa", "kelvaro-no-such-device"}));

/** Whether this process holds the file open: the disk audio driver keeps its recording open for as
 *  long as the output is open, writing silence when nothing plays. */
bool holdsOpen(const QString& path)
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo& descriptor :
         descriptors.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (descriptor.symLinkTarget() == wanted)
            return true;
    return false;
}

class IdleAudioOutput : public SoundFixture
{
protected:
    QString output() { return m_dir.file(QStringLiteral("out.raw")); }

    FakeClock m_clock;
    VirtualTimerService m_timers{m_clock};
    IdleClosingAudioDevice m_audio{SdlAudioDevice::instance(), m_timers};
};

TEST_F(IdleAudioOutput, ClosesAFewSecondsAfterTheLastSoundAndOpensForTheNext)
{
    m_audio.beep(1900, 150, 2);
    EXPECT_TRUE(holdsOpen(output()));
    m_timers.advance(IdleClosingAudioDevice::IdleMs - 1);
    EXPECT_TRUE(holdsOpen(output()));
    m_timers.advance(1);
    EXPECT_FALSE(holdsOpen(output())) << "the recording must stop growing";

    m_audio.beep(1900, 150, 1); // a new recording
    EXPECT_TRUE(holdsOpen(output()));
    EXPECT_NEAR(recording().soundMs, 150, 30);

    // A file keeps the output open while it plays; after the output was closed it plays again.
    useDiskAudio(50);
    MediaPlayer player(m_audio, nullptr);
    player.SetFileName(writeToneWav(QStringLiteral("long.wav"), 1000, 4000));
    player.Open();
    player.Play();
    m_timers.advance(3 * IdleClosingAudioDevice::IdleMs);
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_TRUE(holdsOpen(output()));
    player.Stop();
    m_timers.advance(IdleClosingAudioDevice::IdleMs);
    EXPECT_FALSE(holdsOpen(output()));
    ASSERT_TRUE(player.IsOpen());
    player.Play();
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_TRUE(holdsOpen(output()));
}

} // namespace
} // namespace kelvaro::test
