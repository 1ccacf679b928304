#include "platform/LoadedAudioDevice.h"

#include "BuildInfo.h"
#include "core/ProgramInfo.h"
#include "platform/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace kelvaro {

LoadedAudioDevice::LoadedAudioDevice(QStringList folders) : m_folders(std::move(folders)) {}

QString LoadedAudioDevice::moduleFileName()
{
    return QStringLiteral(KELVARO_AUDIO_MODULE);
}

QStringList LoadedAudioDevice::defaultFolders()
{
    const QString programFolder = ProgramInfo::programFolder();
    return {programFolder, QDir::cleanPath(programFolder + u'/' + QStringLiteral(KELVARO_MODULE_DIR_FROM_BIN))};
}

AudioDevice* LoadedAudioDevice::device()
{
    if (m_tried)
        return m_device;
    m_tried = true;
    QStringList reasons;
    for (const QString& folder : m_folders) {
        const QString file = QDir(folder).filePath(moduleFileName());
        if (!QFile::exists(file))
            continue;
        // The module stays loaded for the rest of the program's life.
        QLibrary library(file);
        using Entry = AudioDevice* (*)();
        if (auto entry = reinterpret_cast<Entry>(library.resolve("kelvaroAudioDevice"))) {
            m_device = entry();
            return m_device;
        }
        reasons << library.errorString();
    }
    m_failure =
        reasons.isEmpty()
            ? QCoreApplication::translate("LoadedAudioDevice", "Audio-Modul %1 nicht gefunden").arg(moduleFileName())
            : reasons.join(QStringLiteral("; "));
    qCWarning(lcKelvaro, "keine Tonausgabe: %s", qUtf8Printable(m_failure));
    return nullptr;
}

void LoadedAudioDevice::beep(int frequencyHz, int durationMs, int count)
{
    if (AudioDevice* d = device())
        d->beep(frequencyHz, durationMs, count);
}

AudioDevice::Track LoadedAudioDevice::openFile(const QString& path, QString& errorText)
{
    if (AudioDevice* d = device())
        return d->openFile(path, errorText);
    errorText = m_failure;
    return 0;
}

bool LoadedAudioDevice::play(Track track, QString& errorText)
{
    if (AudioDevice* d = device())
        return d->play(track, errorText);
    errorText = m_failure;
    return false;
}

void LoadedAudioDevice::stop(Track track)
{
    if (AudioDevice* d = device())
        d->stop(track);
}

bool LoadedAudioDevice::isPlaying(Track track)
{
    AudioDevice* d = device();
    return d && d->isPlaying(track);
}

void LoadedAudioDevice::close(Track track)
{
    if (AudioDevice* d = device())
        d->close(track);
}

bool LoadedAudioDevice::release()
{
    // Before the first sound the module is not loaded, and nothing is open.
    return !m_device || m_device->release();
}

} // namespace kelvaro
