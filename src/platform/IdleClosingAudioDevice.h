#pragma once

#include "core/AudioDevice.h"

#include <memory>

namespace kelvaro {

class Timer;
class TimerService;

/**
 * An audio output that lets go of its device while it is idle: a few seconds after the last sound
 * has ended the device is closed, and the next sound opens it again, so that a program waiting for
 * its next run holds no sound stream and keeps no audio hardware awake. A sound file that is still
 * playing keeps the device open; it is looked at again every few seconds until it has ended.
 */
class IdleClosingAudioDevice : public AudioDevice
{
public:
    static constexpr quint32 IdleMs = 3000;

    /** `device` and `timers` must outlive the object. */
    IdleClosingAudioDevice(AudioDevice& device, TimerService& timers, quint32 idleMs = IdleMs);
    ~IdleClosingAudioDevice() override;

    void beep(int frequencyHz, int durationMs, int count) override;
    Track openFile(const QString& path, QString& errorText) override;
    bool play(Track track, QString& errorText) override;
    void stop(Track track) override;
    bool isPlaying(Track track) override;
    void close(Track track) override;
    bool release() override;

private:
    /** The device may be open now: it is closed once it has been idle for a while. */
    void closeWhenIdle();
    void idleCheck();

    AudioDevice& m_device;
    quint32 m_idleMs;
    std::unique_ptr<Timer> m_idleTimer;
};

} // namespace kelvaro
