#include "SoundFixture.h"

#include "platform/SdlAudioDevice.h"

#include <QDataStream>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelvaro::test {

namespace {

const char* const AudioVariables[] = {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY", "AUDIODEV"};
/** Samples up to this size count as silence (an audible tone is far louder). */
constexpr int QuietLevel = 64;

Recording measure(const std::vector<int>& mono, int rate)
{
    Recording result;
    const auto loud = [](int sample) {
        return std::abs(sample) > QuietLevel;
    };
    const auto first = std::find_if(mono.begin(), mono.end(), loud);
    if (first == mono.end())
        return result;
    const auto last = std::find_if(mono.rbegin(), mono.rend(), loud).base() - 1;
    // A crossing counts when the signal swings from clearly negative to clearly positive, so that
    // codec noise around zero adds none.
    int crossings = 0;
    bool negative = false;
    std::ptrdiff_t quietRun = 0;
    std::ptrdiff_t longestQuiet = 0;
    for (auto sample = first; sample <= last; ++sample) {
        if (*sample < -QuietLevel)
            negative = true;
        else if (*sample > QuietLevel && negative) {
            negative = false;
            ++crossings;
        }
        quietRun = loud(*sample) ? 0 : quietRun + 1;
        longestQuiet = std::max(longestQuiet, quietRun);
    }
    const double seconds = static_cast<double>(last - first + 1) / rate;
    result.soundMs = seconds * 1000;
    result.frequencyHz = crossings / seconds;
    result.longestPauseMs = static_cast<double>(longestQuiet) * 1000 / rate;
    return result;
}

} // namespace

void SoundFixture::SetUp()
{
    useDiskAudio();
}

void SoundFixture::TearDown()
{
    SdlAudioDevice::instance().shutdown();
    for (const char* name : AudioVariables)
        qunsetenv(name);
}

void SoundFixture::useDiskAudio(int delayMs)
{
    SdlAudioDevice::instance().shutdown();
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_dir.file(QStringLiteral("out.raw"))));
    qputenv("SDL_DISKAUDIODELAY", QByteArray::number(delayMs));
}

void SoundFixture::useAudioDriver(const char* driver, const char* device)
{
    SdlAudioDevice::instance().shutdown();
    qputenv("SDL_AUDIODRIVER", driver);
    if (device)
        qputenv("AUDIODEV", device);
}

Recording SoundFixture::recording()
{
    SdlAudioDevice::instance().shutdown();
    QFile file(m_dir.file(QStringLiteral("out.raw")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray raw = file.readAll();
    // Signed 16-bit stereo frames in the machine's byte order, as the output was opened.
    std::vector<int> mono(static_cast<size_t>(raw.size()) / 4);
    const auto* samples = reinterpret_cast<const qint16*>(raw.constData());
    for (size_t i = 0; i < mono.size(); ++i)
        mono[i] = (samples[2 * i] + samples[2 * i + 1]) / 2;
    return measure(mono, Rate);
}

QString SoundFixture::writeToneWav(const QString& name, int frequencyHz, int durationMs)
{
    const qint32 frames = Rate * durationMs / 1000;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // RIFF header of 16-bit PCM, one channel.
    out.writeRawData("RIFF", 4);
    out << quint32(36 + frames * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(Rate) << quint32(Rate * 2) << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(frames * 2);
    for (qint32 i = 0; i < frames; ++i)
        out << static_cast<qint16>(10000 * std::sin(2 * std::numbers::pi * frequencyHz * i / Rate));
    return writeFile(name, bytes);
}

QString SoundFixture::writeToneMp3(const QString& name, int frequencyHz, int durationMs)
{
    const QString wav = writeToneWav(name + QStringLiteral(".wav"), frequencyHz, durationMs);
    const QString mp3 = m_dir.file(name);
    for (QStringList command : {QStringList{QStringLiteral("sox"), wav, mp3},
                                QStringList{QStringLiteral("lame"), QStringLiteral("--quiet"), wav, mp3}}) {
        const QString program = QStandardPaths::findExecutable(command.takeFirst());
        if (!program.isEmpty() && QProcess::execute(program, command) == 0 && QFile(mp3).size() > 0)
            return mp3;
    }
    return {};
}

QString SoundFixture::writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(m_dir.file(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

} // namespace kelvaro::test
