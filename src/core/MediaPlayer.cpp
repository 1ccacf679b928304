#include "core/MediaPlayer.h"

#include "core/AppError.h"

namespace kelvaro {

namespace {

[[noreturn]] void fail(const QString& reason)
{
    throw AppError(reason.isEmpty() ? MediaPlayer::unknownErrorText() : reason);
}

} // namespace

MediaPlayer::MediaPlayer(AudioDevice& device, QObject* parent) : QObject(parent), m_device(device) {}

MediaPlayer::~MediaPlayer()
{
    Close();
}

QString MediaPlayer::noDeviceOpenText()
{
    return tr("No MCI device open");
}

QString MediaPlayer::unknownErrorText()
{
    return tr("Unknown error code");
}

void MediaPlayer::Close()
{
    if (m_track == 0)
        return;
    m_device.close(m_track);
    m_track = 0;
}

void MediaPlayer::Open()
{
    Close();
    QString reason;
    const AudioDevice::Track track = m_device.openFile(m_fileName, reason);
    if (track == 0)
        fail(reason);
    m_track = track;
}

void MediaPlayer::Play()
{
    if (m_track == 0)
        throw AppError(noDeviceOpenText());
    QString reason;
    if (!m_device.play(m_track, reason))
        fail(reason);
}

void MediaPlayer::Stop()
{
    if (m_track == 0)
        throw AppError(noDeviceOpenText());
    m_device.stop(m_track);
}

bool MediaPlayer::IsPlaying() const
{
    return m_track != 0 && m_device.isPlaying(m_track);
}

} // namespace kelvaro
