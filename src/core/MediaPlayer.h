#pragma once

#include "core/AudioDevice.h"

#include <QObject>
#include <QString>

namespace kelvaro {

/**
 * A window's invisible media player: it holds the name of the file to open next and at most one
 * open sound file (its "device"). Play returns at once and the file plays on by itself.
 *
 * All players share the audio output's single sound-file channel: a player that starts playing
 * takes the channel over, after which IsPlaying of the player that played before is false. Stop and
 * Close of that other player then leave the new sound alone.
 */
class MediaPlayer : public QObject
{
    Q_OBJECT

public:
    /** A player on `device`, which must outlive it. */
    explicit MediaPlayer(AudioDevice& device, QObject* parent = nullptr);
    /** Closes the open file, ending its sound. */
    ~MediaPlayer() override;

    QString FileName() const { return m_fileName; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }

    /** Closes the open file, if any, halting it when it plays. Never fails. */
    void Close();
    /** Closes the open file, then opens FileName(). Throws AppError with the audio library's reason,
     *  or "Unknown error code" when it gives none; the player then stays closed. */
    void Open();
    /** Starts the open file from its beginning and returns at once. Throws AppError "No MCI device
     *  open" when no file is open, or the library's reason when the file cannot be started. */
    void Play();
    /** Halts the open file. Throws AppError "No MCI device open" when no file is open. */
    void Stop();
    /** True while the open file is being played; false when none is open. */
    bool IsPlaying() const;
    /** True between a successful Open and the next Close. */
    bool IsOpen() const { return m_track != 0; }

    static QString noDeviceOpenText();
    static QString unknownErrorText();

private:
    AudioDevice& m_device;
    QString m_fileName;
    AudioDevice::Track m_track = 0;
};

} // namespace kelvaro
