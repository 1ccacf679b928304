// Any option set: written into a launcher file, its Exec line split back and read by the
// command-line parser, it gives the same options. Sets the command line cannot carry (a message
// or a program name with a double quote, a stopwatch, a missing sound file ...) must still never crash the writer or
// the reader, and a launcher that is written always carries exactly the command line's parameters.
#include "FuzzSupport.h"
#include "core/CommandLine.h"
#include "core/LauncherFile.h"
#include "core/TEinst.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

using namespace kelvaro;
using namespace kelvaro::fuzz;

namespace {

std::unique_ptr<QTemporaryDir> g_folder;

/** A text the command line carries unchanged: no double quote, no control character. */
bool carried(const QString& text)
{
    return !text.contains(u'"') && !hasControlCharacter(text);
}

/** A sound file path: an existing file when `existing` and the name can be a file name. */
QString soundFilePath(const QString& name, bool existing)
{
    const QString path = g_folder->path() + QStringLiteral("/sounds/") + name;
    if (existing && !name.isEmpty() && !name.contains(u'/') && !name.contains(QChar(0)) && name != u"." &&
        name != u"..") {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            return path;
    }
    return g_folder->path() + QStringLiteral("/missing/") + name;
}

/** Whether the command line is meant to carry `o`, so that the launcher must work. */
bool carriable(const TROptionen& o)
{
    const bool timeInRange = o.Zeit_Stunden >= 0 && o.Zeit_Stunden <= 23 && o.Zeit_Minuten >= 0 &&
                             o.Zeit_Minuten <= 59 && o.Zeit_Sekunden >= 0 && o.Zeit_Sekunden <= 59;
    if (!isKnownAktion(o.Aktion))
        return false;
    if (o.ZeitMode == ZeitProgrammende) {
        if (o.Programm.isEmpty() || !carried(o.Programm))
            return false;
    } else if (o.ZeitMode == ZeitStopuhr || o.ZeitMode > ZeitLeerlauf || !timeInRange) {
        return false;
    }
    if (o.Aktion != AktionNachricht)
        return true;
    if (o.Nachricht.isEmpty() || !carried(o.Nachricht) || o.SoundMode > SoundFile)
        return false;
    return o.SoundMode != SoundFile || (carried(o.SoundFile) && QFile::exists(o.SoundFile));
}

/** The fields the command line carries for `o`, compared with what was read back. */
QString differences(const TROptionen& o, const TROptionen& read)
{
    QStringList fields;
    const auto compare = [&](bool same, const char* field) {
        if (!same)
            fields << QString::fromLatin1(field);
    };
    compare(read.Aktion == o.Aktion, "Aktion");
    compare(read.ZeitMode == o.ZeitMode, "ZeitMode");
    if (o.ZeitMode == ZeitLeerlauf) {
        // Limits out of range are written as the defaults.
        compare(read.Leerlauf_CPU == (o.Leerlauf_CPU >= 0 && o.Leerlauf_CPU <= 100 ? o.Leerlauf_CPU : 10) &&
                    read.Leerlauf_Netz == (o.Leerlauf_Netz >= 0 ? o.Leerlauf_Netz : 50),
                "Leerlauf_CPU/Leerlauf_Netz");
    }
    if (o.ZeitMode == ZeitProgrammende) {
        compare(read.Programm == o.Programm, "Programm");
    } else {
        compare(read.Zeit_Stunden == o.Zeit_Stunden && read.Zeit_Minuten == o.Zeit_Minuten &&
                    read.Zeit_Sekunden == o.Zeit_Sekunden,
                "Zeit");
    }
    // A negative lead time is none the command line can carry: it reads back as the default.
    compare(read.Vorwarnzeit == (o.Vorwarnzeit >= 0 ? o.Vorwarnzeit : TEinst::kDefaultVorwarnzeit), "Vorwarnzeit");
    compare(read.SofortStart == o.SofortStart && read.ClosePgm == o.ClosePgm && read.Minimize == o.Minimize,
            "SofortStart/ClosePgm/Minimize");
    const bool forceCarried = o.Aktion >= AktionShutdown && o.Aktion <= AktionLogoff;
    compare(read.Force == (forceCarried && o.Force), "Force");
    if (o.Aktion == AktionNachricht) {
        compare(read.Nachricht == o.Nachricht, "Nachricht");
        compare(read.SoundMode == o.SoundMode, "SoundMode");
        if (o.SoundMode == SoundBeep)
            compare(read.AnzBeeps == o.AnzBeeps, "AnzBeeps");
        if (o.SoundMode == SoundFile)
            compare(read.SoundFile == o.SoundFile, "SoundFile");
    }
    return fields.join(QStringLiteral(", "));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The writer flushes every launcher to disk; in memory (tmpfs) that costs nothing.
    const QString base =
        QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    g_folder = std::make_unique<QTemporaryDir>(base + QStringLiteral("/kelvaro-fuzz-XXXXXX"));
    if (!g_folder->isValid() || !QDir(g_folder->path()).mkpath(QStringLiteral("sounds")) ||
        !QDir(g_folder->path()).mkpath(QStringLiteral("bin $folder \"x\" %f")))
        fail("the fuzzer's temporary folder can be made");
    std::atexit([] { g_folder.reset(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    TROptionen o;
    o.Aktion = static_cast<quint8>(input.takeInRange(0, 7));
    o.ZeitMode = static_cast<quint8>(input.takeInRange(0, 6));
    o.SofortStart = input.takeBool();
    o.ClosePgm = input.takeBool();
    o.Minimize = input.takeBool();
    o.Force = input.takeBool();
    o.SoundMode = static_cast<quint8>(input.takeInRange(0, 3));
    o.AnzBeeps = input.takeInt32();
    o.Zeit_Stunden = static_cast<qint32>(input.takeInRange(-1, 24));
    o.Zeit_Minuten = static_cast<qint32>(input.takeInRange(-1, 60));
    o.Zeit_Sekunden = static_cast<qint32>(input.takeInRange(-1, 60));
    o.Vorwarnzeit = input.takeInt32();
    const bool existingSound = input.takeBool();
    o.SoundFile = soundFilePath(input.takeText(40), existingSound);
    o.Name = input.takeText(40);
    o.Programm = input.takeText(40);
    o.Leerlauf_CPU = static_cast<qint32>(input.takeInRange(-1, 101));
    o.Leerlauf_Netz = input.takeInt32();
    o.Nachricht = input.takeRest();

    TEinst einst;
    einst.SetOptions(o);
    const QString line = BuildCommandLine(einst);
    const QStringList parameters = SplitParameters(line);
    const QString program = g_folder->path() + QStringLiteral("/bin $folder \"x\" %f/kelvaro");
    const QString launcher = g_folder->path() + QStringLiteral("/Kelvaro.desktop");

    QString error;
    const bool written = CreateShortcut(program, line, launcher, o.Name, &error);
    if (!written) {
        check(!carriable(o), "a set the command line carries gives a launcher", line + u'\n' + error);
        check(!ExecValue(program, parameters).has_value(), "a launcher is refused only for a control character",
              line + u'\n' + error);
        check(!QFile::exists(launcher), "a refused launcher leaves no file", line);
    } else {
        const std::optional<QStringList> command = ReadLauncherCommand(launcher);
        check(command.has_value(), "a written launcher can be read back", line);
        check(command->value(0) == program, "the launcher starts the program", command->value(0));
        check(command->mid(1) == parameters, "the launcher carries the command line's parameters",
              line + u'\n' + describe(command->mid(1)));

        if (carriable(o)) {
            TEinst read;
            CountingMessageBoxes boxes;
            check(ParseCommandLine(read, ParametersFromArguments(*command), boxes),
                  "the launcher's command line is accepted", line);
            const QString changed = differences(o, read.options());
            check(changed.isEmpty(), "the launcher gives the same options", line + QStringLiteral("\n") + changed);
        }
    }
    QFile::remove(launcher);
    QDir(g_folder->path() + QStringLiteral("/sounds")).removeRecursively();
    QDir(g_folder->path()).mkpath(QStringLiteral("sounds"));
    return 0;
}
