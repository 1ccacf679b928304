#include "platform/IdleClosingAudioDevice.h"

#include "core/TimerService.h"

namespace kelvaro {

IdleClosingAudioDevice::IdleClosingAudioDevice(AudioDevice& device, TimerService& timers, quint32 idleMs)
    : m_device(device), m_idleMs(idleMs), m_idleTimer(timers.create([this] { idleCheck(); }))
{}

IdleClosingAudioDevice::~IdleClosingAudioDevice() = default;

void IdleClosingAudioDevice::closeWhenIdle()
{
    // Every sound starts the wait anew.
    m_idleTimer->start(m_idleMs);
}

void IdleClosingAudioDevice::idleCheck()
{
    // A sound file still playing keeps the timer going: the next tick looks again.
    if (m_device.release())
        m_idleTimer->stop();
}

void IdleClosingAudioDevice::beep(int frequencyHz, int durationMs, int count)
{
    m_device.beep(frequencyHz, durationMs, count);
    closeWhenIdle();
}

AudioDevice::Track IdleClosingAudioDevice::openFile(const QString& path, QString& errorText)
{
    const Track track = m_device.openFile(path, errorText);
    closeWhenIdle();
    return track;
}

bool IdleClosingAudioDevice::play(Track track, QString& errorText)
{
    const bool started = m_device.play(track, errorText);
    closeWhenIdle();
    return started;
}

void IdleClosingAudioDevice::stop(Track track)
{
    m_device.stop(track);
}

bool IdleClosingAudioDevice::isPlaying(Track track)
{
    return m_device.isPlaying(track);
}

void IdleClosingAudioDevice::close(Track track)
{
    m_device.close(track);
}

bool IdleClosingAudioDevice::release()
{
    const bool released = m_device.release();
    if (released)
        m_idleTimer->stop();
    return released;
}

} // namespace kelvaro
