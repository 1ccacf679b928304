#include "platform/SdlAudioDevice.h"

#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <vector>

namespace kelvaro {

namespace {

constexpr int RequestedRate = 44100;
constexpr int RequestedChannels = 2;
constexpr int BufferFrames = 1024;
constexpr double ToneAmplitude = 12000.0;
constexpr int FadeMs = 4;
/** How much longer than its nominal length a tone may take before it is cut off. */
constexpr Uint64 ToneGraceMs = 2000;

QString sdlError()
{
    return QString::fromUtf8(SDL_GetError());
}

/** One tone of `frames` frames, interleaved for `channels` channels, faded in and out over a few
 *  milliseconds so that neither its start nor its end clicks. */
std::vector<Sint16> makeTone(int frequencyHz, int rate, int channels, int frames)
{
    std::vector<Sint16> samples(static_cast<size_t>(frames) * static_cast<size_t>(channels));
    const int fade = std::max(1, std::min(rate * FadeMs / 1000, frames / 2));
    const double step = 2.0 * std::numbers::pi * frequencyHz / rate;
    for (int frame = 0; frame < frames; ++frame) {
        const int edge = std::min(frame, frames - 1 - frame);
        const double envelope = edge < fade ? static_cast<double>(edge) / fade : 1.0;
        const auto value = static_cast<Sint16>(std::lround(ToneAmplitude * envelope * std::sin(step * frame)));
        std::fill_n(samples.begin() + static_cast<std::ptrdiff_t>(frame) * channels, channels, value);
    }
    return samples;
}

} // namespace

struct SdlAudioDevice::State
{
    struct Loaded
    {
        QString path;
        Mix_Music* music = nullptr; // none while the output is closed
    };

    bool open = false;
    int rate = RequestedRate;
    int channels = RequestedChannels;
    std::map<Track, Loaded> tracks;
    Track nextTrack = 1;
    /** The track that was started last and so owns the music channel. */
    Track owner = 0;
};

SdlAudioDevice& SdlAudioDevice::instance()
{
    static SdlAudioDevice device;
    return device;
}

SdlAudioDevice::SdlAudioDevice() : m_state(std::make_unique<State>()) {}

SdlAudioDevice::~SdlAudioDevice()
{
    shutdown();
}

bool SdlAudioDevice::ensureOpen(QString& errorText)
{
    if (m_state->open)
        return true;
    // The program is a Qt application; SDL must leave its signal handling alone.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_ClearError();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        errorText = sdlError();
        return false;
    }
    // WAV needs no decoder library; MP3 and OGG are loaded where available.
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    SDL_ClearError();
    if (Mix_OpenAudio(RequestedRate, AUDIO_S16SYS, RequestedChannels, BufferFrames) != 0) {
        errorText = sdlError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // The mixer may have been granted another rate or channel count; tones are made to match.
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&rate, &format, &channels) != 0) {
        m_state->rate = rate;
        m_state->channels = channels;
    }
    m_state->open = true;
    return true;
}

void SdlAudioDevice::shutdown()
{
    if (!m_state->open)
        return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (const auto& [track, loaded] : m_state->tracks)
        Mix_FreeMusic(loaded.music);
    m_state->tracks.clear();
    closeOutput();
}

bool SdlAudioDevice::release()
{
    if (!m_state->open)
        return true;
    if (Mix_PlayingMusic() != 0 || Mix_Playing(-1) != 0)
        return false;
    // Decoded files belong to the output they were opened for.
    for (auto& [track, loaded] : m_state->tracks) {
        Mix_FreeMusic(loaded.music);
        loaded.music = nullptr;
    }
    closeOutput();
    return true;
}

void SdlAudioDevice::closeOutput()
{
    m_state->owner = 0;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_state->open = false;
}

void SdlAudioDevice::beep(int frequencyHz, int durationMs, int count)
{
    QString ignored;
    if (frequencyHz <= 0 || durationMs <= 0 || count <= 0 || !ensureOpen(ignored))
        return;
    const int frames = static_cast<int>(static_cast<qint64>(m_state->rate) * durationMs / 1000);
    std::vector<Sint16> tone = makeTone(frequencyHz, m_state->rate, m_state->channels, frames);
    Mix_Chunk* chunk =
        Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(tone.data()), static_cast<Uint32>(tone.size() * sizeof(Sint16)));
    if (!chunk)
        return;
    // The mixer repeats the chunk seamlessly, so `count` tones follow each other without a gap.
    const int channel = Mix_PlayChannel(-1, chunk, count - 1);
    if (channel >= 0) {
        // Wait on the channel rather than the clock: an output may run faster or slower than real time.
        const Uint64 deadline =
            SDL_GetTicks64() + static_cast<Uint64>(durationMs) * static_cast<Uint64>(count) + ToneGraceMs;
        while (Mix_Playing(channel) && SDL_GetTicks64() < deadline)
            SDL_Delay(2);
        Mix_HaltChannel(channel);
        // The last mixed buffer is still on its way to the speaker.
        SDL_Delay(static_cast<Uint32>(BufferFrames * 1000 / m_state->rate));
    }
    Mix_FreeChunk(chunk);
}

AudioDevice::Track SdlAudioDevice::openFile(const QString& path, QString& errorText)
{
    if (!ensureOpen(errorText))
        return 0;
    SDL_ClearError();
    Mix_Music* music = Mix_LoadMUS(QFile::encodeName(path).constData());
    if (!music) {
        errorText = sdlError();
        return 0;
    }
    const Track track = m_state->nextTrack++;
    m_state->tracks.emplace(track, State::Loaded{path, music});
    return track;
}

bool SdlAudioDevice::play(Track track, QString& errorText)
{
    const auto found = m_state->tracks.find(track);
    if (found == m_state->tracks.end())
        return false;
    State::Loaded& loaded = found->second;
    if (!loaded.music) { // released while the output was closed
        if (!ensureOpen(errorText))
            return false;
        SDL_ClearError();
        loaded.music = Mix_LoadMUS(QFile::encodeName(loaded.path).constData());
        if (!loaded.music) {
            errorText = sdlError();
            return false;
        }
    }
    SDL_ClearError();
    if (Mix_PlayMusic(loaded.music, 0) != 0) {
        errorText = sdlError();
        return false;
    }
    m_state->owner = track;
    return true;
}

void SdlAudioDevice::stop(Track track)
{
    if (m_state->open && track != 0 && track == m_state->owner)
        Mix_HaltMusic();
}

bool SdlAudioDevice::isPlaying(Track track)
{
    return m_state->open && track != 0 && track == m_state->owner && Mix_PlayingMusic() != 0;
}

void SdlAudioDevice::close(Track track)
{
    const auto found = m_state->tracks.find(track);
    if (found == m_state->tracks.end())
        return;
    if (track == m_state->owner) {
        Mix_HaltMusic();
        m_state->owner = 0;
    }
    Mix_FreeMusic(found->second.music);
    m_state->tracks.erase(found);
}

} // namespace kelvaro
