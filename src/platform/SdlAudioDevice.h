#pragma once

#include "core/AudioDevice.h"

#include <memory>

namespace kelvaro {

/**
 * The audio output on SDL2_mixer. The SDL audio subsystem and the mixer are opened lazily at the
 * first sound, so start-up never touches the audio hardware; if that fails, every later sound
 * tries again. SDL's audio state is process-wide, so there is exactly one instance.
 */
class SdlAudioDevice : public AudioDevice
{
public:
    static SdlAudioDevice& instance();

    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;
    ~SdlAudioDevice() override;

    void beep(int frequencyHz, int durationMs, int count) override;
    Track openFile(const QString& path, QString& errorText) override;
    bool play(Track track, QString& errorText) override;
    void stop(Track track) override;
    bool isPlaying(Track track) override;
    void close(Track track) override;
    /** Closes the output and SDL's audio subsystem when nothing plays; the open tracks let go of
     *  their decoded files and load them again when they are played. */
    bool release() override;

    /** Halts everything, releases all tracks and closes the output and SDL's audio subsystem. The
     *  next sound opens them again and so reads SDL's environment (driver, output file) anew. */
    void shutdown();

private:
    SdlAudioDevice();
    bool ensureOpen(QString& errorText);
    void closeOutput();

    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace kelvaro
