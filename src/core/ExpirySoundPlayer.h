#pragma once

#include "core/ExpirySound.h"

#include <QString>

namespace kelvaro {

class AudioDevice;
class MediaPlayer;
class MessageBoxes;

/**
 * The expiry sound of the main window: beeps on the audio output, or the sound file on the main
 * window's media player. Sound mode 1 sounds AnzBeeps tones of 1900 Hz and 150 ms back to back (none
 * for a count of 0 or less, at most MaxBeeps whatever the stored count); sound mode 2 plays the
 * sound file, or shows the error box "Sound-Datei nicht gefunden." when there is no such file.
 */
class ExpirySoundPlayer : public ExpirySound
{
public:
    static constexpr int BeepFrequencyHz = 1900;
    static constexpr int BeepLengthMs = 150;
    /** The most beeps sounded at once; the beeps block the program while they sound. */
    static constexpr int MaxBeeps = 100;

    ExpirySoundPlayer(MediaPlayer& player, MessageBoxes& boxes, AudioDevice& device);

    void PlayExpirySound(const TEinst& options) override;
    void StopSound() override;

    static QString fileNotFoundText();

private:
    MediaPlayer& m_player;
    MessageBoxes& m_boxes;
    AudioDevice& m_device;
};

} // namespace kelvaro
