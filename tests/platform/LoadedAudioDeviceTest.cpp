#include "platform/LoadedAudioDevice.h"

#include "mock/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kelvaro;

namespace {

TEST(LoadedAudioDevice, WithoutItsModuleTonesAreSilentAndFilesReportWhy)
{
    test::TempDir empty;
    LoadedAudioDevice device({empty.path()});
    device.beep(1900, 150, 3); // returns at once, nothing to hear
    QString error;
    EXPECT_EQ(device.openFile(QStringLiteral("/tmp/x.wav"), error), 0);
    EXPECT_TRUE(error.contains(LoadedAudioDevice::moduleFileName())) << error.toStdString();
    EXPECT_FALSE(device.play(1, error));
    EXPECT_FALSE(device.isPlaying(1));
    device.stop(1);
    device.close(1);
}

TEST(LoadedAudioDevice, ABrokenModuleIsReportedNotLoaded)
{
    test::TempDir dir;
    QFile broken(dir.file(LoadedAudioDevice::moduleFileName()));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a shared library");
    broken.close();
    LoadedAudioDevice device({dir.path()});
    QString error;
    EXPECT_EQ(device.openFile(QStringLiteral("/tmp/x.wav"), error), 0);
    EXPECT_FALSE(error.isEmpty());
}

TEST(LoadedAudioDevice, TheBuiltModuleIsFoundBesideTheProgram)
{
    // The test programs live below the build folder; the module is built into its top.
    // cdUp stops at the root; comparing cleaned paths there never ended when the module was missing.
    QDir folder(QCoreApplication::applicationDirPath());
    while (!folder.exists(LoadedAudioDevice::moduleFileName())) {
        if (!folder.cdUp())
            GTEST_SKIP() << "the audio module is not built";
    }
    qputenv("SDL_AUDIODRIVER", "kelvaro-no-such-driver");
    LoadedAudioDevice device({folder.path()});
    QString error;
    EXPECT_EQ(device.openFile(QStringLiteral("/tmp/x.wav"), error), 0);
    // The module itself answered: SDL names the driver it could not find.
    EXPECT_FALSE(error.contains(LoadedAudioDevice::moduleFileName())) << error.toStdString();
    qunsetenv("SDL_AUDIODRIVER");
}

} // namespace
