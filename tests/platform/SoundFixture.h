#pragma once

#include "mock/TempDir.h"

#include <QString>

#include <gtest/gtest.h>

#include <vector>

namespace kelvaro::test {

/** What the disk audio driver recorded, mixed down to one channel and measured. */
struct Recording
{
    /** From the first to the last audible sample; 0 for a silent recording. */
    double soundMs = 0;
    /** From the upward zero crossings over that stretch. */
    double frequencyHz = 0;
    /** The longest near-silent stretch inside it. */
    double longestPauseMs = 0;

    bool silent() const { return soundMs == 0; }
};

/**
 * Sound tests run on SDL's disk audio driver, which writes everything played to a file in the test's
 * temporary folder. The audio output is shut down after each test, so the next one opens it anew.
 */
class SoundFixture : public ::testing::Test
{
protected:
    static constexpr int Rate = 44100;

    void SetUp() override;
    void TearDown() override;

    /** Selects the disk driver; with a delay (ms per buffer) it plays slower than real time, so a
     *  file started is still playing when the test looks. Takes effect at the next sound. */
    void useDiskAudio(int delayMs = 0);
    /** Selects a driver that cannot work, as on a machine without sound. */
    void useAudioDriver(const char* driver, const char* device = nullptr);
    /** Closes the output and measures what it recorded. */
    Recording recording();

    /** A mono WAV file holding a sine tone. */
    QString writeToneWav(const QString& name, int frequencyHz, int durationMs);
    /** The same as MP3; empty when no MP3 encoder (sox with MP3 support, or lame) is installed. */
    QString writeToneMp3(const QString& name, int frequencyHz, int durationMs);
    QString writeFile(const QString& name, const QByteArray& bytes);

    TempDir m_dir;
};

} // namespace kelvaro::test
