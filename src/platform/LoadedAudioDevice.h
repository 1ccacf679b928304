#pragma once

#include "core/AudioDevice.h"

#include <QString>
#include <QStringList>

namespace kelvaro {

/**
 * The program's audio output, loaded from its module at the first sound. The module links the
 * audio libraries, so the program starts without them. When the module cannot be loaded, tones are
 * silent and opening a file fails with the reason.
 */
class LoadedAudioDevice : public AudioDevice
{
public:
    /** Looks for the module in each of `folders`, in order. */
    explicit LoadedAudioDevice(QStringList folders);

    void beep(int frequencyHz, int durationMs, int count) override;
    Track openFile(const QString& path, QString& errorText) override;
    bool play(Track track, QString& errorText) override;
    void stop(Track track) override;
    bool isPlaying(Track track) override;
    void close(Track track) override;
    bool release() override;

    /** The module's file name. */
    static QString moduleFileName();
    /** Where the program looks for the module: beside itself (build tree), then its library folder. */
    static QStringList defaultFolders();

private:
    AudioDevice* device();

    QStringList m_folders;
    AudioDevice* m_device = nullptr;
    bool m_tried = false;
    QString m_failure;
};

} // namespace kelvaro
