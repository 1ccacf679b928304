#pragma once

#include <QString>

namespace kelvaro {

/**
 * The program's audio output: synchronous tones for beeps, and one channel for sound files.
 *
 * Any number of sound files may be open at once, each as a track, but they share one channel: the
 * track that was started last owns it, and starting a track ends whichever track played before.
 * Without a usable audio output, tones are silent and return at once, and opening a file fails with
 * the reason the output could not be opened.
 */
class AudioDevice
{
public:
    /** A sound file opened by openFile(); 0 stands for none. */
    using Track = int;

    virtual ~AudioDevice() = default;

    /** Sounds `count` tones of `frequencyHz`, each `durationMs` long, back to back without a pause, and
     *  returns once they have been played out. Does nothing for a count or length of 0 or less. */
    virtual void beep(int frequencyHz, int durationMs, int count) = 0;

    /** Opens a sound file (WAV, MP3, ...). Returns its track, or 0 with the library's reason in
     *  `errorText` (which stays empty when the library gave none). */
    virtual Track openFile(const QString& path, QString& errorText) = 0;
    /** Starts the track from its beginning and returns at once; the track takes over the channel.
     *  Returns false with the reason in `errorText` (possibly empty) when it cannot be started. */
    virtual bool play(Track track, QString& errorText) = 0;
    /** Halts the track if it is the one on the channel; otherwise does nothing. */
    virtual void stop(Track track) = 0;
    /** True while the track is being played on the channel. */
    virtual bool isPlaying(Track track) = 0;
    /** Halts the track if it plays and releases it; unknown tracks are ignored. */
    virtual void close(Track track) = 0;
    /** Closes the audio output unless a sound plays on it, and returns whether it is closed. Open
     *  tracks stay open: the next sound, or playing one of them, opens the output again. */
    virtual bool release() = 0;
};

} // namespace kelvaro
