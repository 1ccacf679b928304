#include "core/ExpirySoundPlayer.h"

#include "core/AudioDevice.h"
#include "core/FileSystem.h"
#include "core/MediaPlayer.h"
#include "core/MessageBoxes.h"
#include "core/TEinst.h"

#include <QCoreApplication>

#include <algorithm>

namespace kelvaro {

ExpirySoundPlayer::ExpirySoundPlayer(MediaPlayer& player, MessageBoxes& boxes, AudioDevice& device)
    : m_player(player), m_boxes(boxes), m_device(device)
{}

QString ExpirySoundPlayer::fileNotFoundText()
{
    return QCoreApplication::translate("ExpirySoundPlayer", "Sound-Datei nicht gefunden.");
}

void ExpirySoundPlayer::PlayExpirySound(const TEinst& options)
{
    const quint8 mode = options.GetSoundMode();
    if (mode == SoundBeep) {
        const int count = std::min(options.GetAnzBeeps(), MaxBeeps);
        if (count > 0)
            m_device.beep(BeepFrequencyHz, BeepLengthMs, count);
    }
    // Deliberately a second test and not an "else": mode 1 never plays a file, mode 2 never beeps.
    if (mode == SoundFile) {
        const QString file = options.GetSoundFile();
        if (!FileSystem::fileExists(file)) {
            m_boxes.error(fileNotFoundText());
            return;
        }
        m_player.Close();
        m_player.SetFileName(file);
        m_player.Open();
        m_player.Play();
    }
}

void ExpirySoundPlayer::StopSound()
{
    // A file that has ended by itself stays open until the next Open.
    if (!m_player.IsPlaying())
        return;
    m_player.Stop();
    m_player.Close();
}

} // namespace kelvaro
