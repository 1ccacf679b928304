#pragma once

#include "core/AudioDevice.h"

#include <QStringList>

#include <map>

namespace kelvaro::test {

/** An audio output that plays nothing: it records beeps and file tracks; a file ends when the test says. */
class FakeAudioDevice : public AudioDevice
{
public:
    int beeps = 0;
    QStringList opened;
    /** Files that cannot be opened, with the reason given. */
    std::map<QString, QString> unplayable;
    Track playing = 0;

    void beep(int, int, int count) override { beeps += count > 0 ? count : 0; }

    Track openFile(const QString& path, QString& errorText) override
    {
        if (auto it = unplayable.find(path); it != unplayable.end()) {
            errorText = it->second;
            return 0;
        }
        opened << path;
        m_tracks[++m_next] = path;
        return m_next;
    }
    bool play(Track track, QString&) override
    {
        playing = track;
        return true;
    }
    void stop(Track track) override
    {
        if (playing == track)
            playing = 0;
    }
    bool isPlaying(Track track) override { return track != 0 && playing == track; }
    void close(Track track) override
    {
        stop(track);
        m_tracks.erase(track);
    }

    bool release() override { return playing == 0; }

    /** The file on the channel ends by itself. */
    void finish() { playing = 0; }
    QString playingFile() const
    {
        auto it = m_tracks.find(playing);
        return it == m_tracks.end() ? QString() : it->second;
    }

private:
    std::map<Track, QString> m_tracks;
    Track m_next = 0;
};

} // namespace kelvaro::test
