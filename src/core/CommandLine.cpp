#include "core/CommandLine.h"

#include "core/FileSystem.h"
#include "core/MessageBoxes.h"
#include "core/TEinst.h"
#include "core/TimeFields.h"

#include <QCoreApplication>

#include <algorithm>

namespace kelvaro {

namespace {

/** What one pass over the parameters has collected; written into the options only when the whole
 *  list is accepted. */
struct WorkingValues
{
    bool a = false, c = false, e = false, f = false, k = false, l = false, r = false, s = false;
    bool h = false, v = false;
    QString message;
    quint8 soundMode = SoundNone;
    qint32 beeps = 0;
    QString soundFile;
    bool countdown = false;
    QString hours, minutes, seconds;
    QString program; // -P: the program whose end the run waits for, in place of a time
    qint32 lead = TEinst::kDefaultVorwarnzeit;
    // -T, -I and -Q each give the time fields; which of them was given.
    bool timeOfT = false, idle = false, quiet = false;
    qint32 cpuLimit = TEinst::kDefaultLeerlaufCpu;
    qint32 netLimit = TEinst::kDefaultLeerlaufNetz;
};

/** A two-character group of a time switch: a number from 0 to `upper`. */
bool timeGroupValid(const QString& group, qint32 upper)
{
    const std::optional<qint32> value = StrToInt(group);
    return value && *value >= 0 && *value <= upper;
}

/** The eight characters hh:mm:ss of a time switch, starting at `from`, into the three time texts. */
bool readClock(const QString& text, qsizetype from, WorkingValues& values)
{
    if (text.size() < from + 8)
        return false;
    const QString hh = text.mid(from, 2), mm = text.mid(from + 3, 2), ss = text.mid(from + 6, 2);
    if (!timeGroupValid(hh, 23) || text[from + 2] != QLatin1Char(':') || !timeGroupValid(mm, 59) ||
        text[from + 5] != QLatin1Char(':') || !timeGroupValid(ss, 59))
        return false;
    values.hours = hh;
    values.minutes = mm;
    values.seconds = ss;
    return true;
}

bool readTime(const QString& parameter, WorkingValues& values)
{
    if (parameter.size() != 10 && parameter.size() != 11)
        return false;
    QString text = parameter;
    if (text[2] == QLatin1Char('-')) {
        values.countdown = true;
        text.remove(0, 1);
    }
    // Characters beyond the time are not looked at.
    values.timeOfT = true;
    return readClock(text, 2, values);
}

/** -I and hh:mm:ss: the time without input after which the action comes. */
bool readIdle(const QString& parameter, WorkingValues& values)
{
    values.idle = true;
    return parameter.size() == 10 && readClock(parameter, 2, values);
}

/** -Q, hh:mm:ss, then optionally "," and the processor limit in percent, then "," and the network
 *  limit in kB/s; a limit left out is the default. */
bool readQuiet(const QString& parameter, WorkingValues& values)
{
    values.quiet = true;
    if (!readClock(parameter, 2, values))
        return false;
    const QString rest = parameter.mid(10);
    values.cpuLimit = TEinst::kDefaultLeerlaufCpu;
    values.netLimit = TEinst::kDefaultLeerlaufNetz;
    if (rest.isEmpty())
        return true;
    if (rest[0] != QLatin1Char(','))
        return false;
    const QStringList limits = rest.mid(1).split(QLatin1Char(','));
    if (limits.size() > 2)
        return false;
    const std::optional<qint32> cpu = StrToInt(limits[0]);
    if (!cpu || !TEinst::isLeerlaufCpu(*cpu))
        return false;
    values.cpuLimit = *cpu;
    if (limits.size() == 2) {
        const std::optional<qint32> net = StrToInt(limits[1]);
        if (!net || !TEinst::isLeerlaufNetz(*net))
            return false;
        values.netLimit = *net;
    }
    return true;
}

bool readSound(const QString& parameter, WorkingValues& values)
{
    values.soundMode = SoundBeep;
    values.beeps = 3;
    if (parameter.size() == 2)
        return true;
    const QString value = parameter.mid(2);
    if (IsNumber(value.left(1))) {
        const std::optional<qint32> count = StrToInt(value);
        if (!count)
            return false;
        values.beeps = *count;
        return true;
    }
    if (!FileSystem::fileExists(value))
        return false;
    values.soundFile = value;
    values.soundMode = SoundFile;
    return true;
}

bool readParameter(const QString& parameter, WorkingValues& values)
{
    if (parameter.size() < 2 || parameter[0] != QLatin1Char('-'))
        return false;
    const QChar letter = parameter[1].toLower();
    const auto flag = [&](bool& target) {
        if (parameter.size() != 2)
            return false;
        target = true;
        return true;
    };
    switch (letter.unicode()) {
    case u'a':
        return flag(values.a);
    case u'c':
        return flag(values.c);
    case u'e':
        return flag(values.e);
    case u'f':
        return flag(values.f);
    case u'h':
        return flag(values.h);
    case u'k':
        return flag(values.k);
    case u'l':
        return flag(values.l);
    case u'r':
        return flag(values.r);
    case u's':
        return flag(values.s);
    case u'v':
        return flag(values.v);
    case u'm':
        if (parameter.size() < 3)
            return false;
        values.message = parameter.mid(2);
        return true;
    case u'b':
        return readSound(parameter, values);
    case u't':
        return readTime(parameter, values);
    case u'i':
        return readIdle(parameter, values);
    case u'q':
        return readQuiet(parameter, values);
    case u'p':
        if (parameter.size() < 3)
            return false;
        values.program = parameter.mid(2);
        return true;
    case u'w': {
        const std::optional<qint32> lead = StrToVorwarnzeit(parameter.mid(2));
        if (!lead)
            return false;
        values.lead = *lead;
        return true;
    }
    default:
        return false;
    }
}

/** Exactly one action; sounds only with a message; force only with shut down, restart or log off;
 *  exactly one of a time, a time without input, a quiet time or a program to wait for. */
bool combinationValid(const WorkingValues& v)
{
    const bool message = !v.message.isEmpty();
    if (int(v.s) + int(v.r) + int(v.l) + int(v.e) + int(v.h) + int(v.v) + int(message) != 1)
        return false;
    if (v.soundMode != SoundNone && !message)
        return false;
    if (v.f && !(v.s || v.r || v.l))
        return false;
    return int(v.timeOfT) + int(v.idle) + int(v.quiet) + int(!v.program.isEmpty()) == 1;
}

void write(TEinst& einst, const WorkingValues& v)
{
    einst.SetSoundMode(v.soundMode);
    einst.SetAnzBeeps(v.beeps);
    einst.SetSoundFile(v.soundFile);
    einst.SetZeitMode(!v.program.isEmpty() ? ZeitProgrammende
                      : v.idle             ? ZeitInaktivitaet
                      : v.quiet            ? ZeitLeerlauf
                      : v.countdown        ? ZeitCountdown
                                           : ZeitUhrzeit);
    if (!v.program.isEmpty())
        einst.SetProgramm(v.program);
    if (v.v) {
        einst.SetAktion(AktionSperren);
    } else if (v.h) {
        einst.SetAktion(AktionHibernate);
    } else if (v.e) {
        einst.SetAktion(AktionStandby);
    } else if (v.l) {
        einst.SetAktion(AktionLogoff);
    } else if (v.r) {
        einst.SetAktion(AktionRestart);
    } else if (v.s) {
        einst.SetAktion(AktionShutdown);
    } else {
        einst.SetAktion(AktionNachricht);
        einst.SetNachricht(v.message);
    }
    einst.SetForce(v.f);
    einst.SetSofortStart(v.a);
    einst.SetClosePgm(v.c);
    einst.SetMinimize(v.k);
    einst.SetVorwarnzeit(v.lead);
    einst.SetLeerlaufCpu(v.cpuLimit);
    einst.SetLeerlaufNetz(v.netLimit);
    // The texts were range-checked while reading, so the setters accept them.
    einst.SetStunden(StrToInt(v.hours).value_or(0));
    einst.SetMinuten(StrToInt(v.minutes).value_or(0));
    einst.SetSekunden(StrToInt(v.seconds).value_or(0));
}

/** A beep count as the reader takes it back. A negative count written in decimal would start with
 *  "-", which the reader takes for the start of a file name; it is written as "0x" and its 32 bits,
 *  which the reader reads back as the same signed number. */
QString beepCountText(qint32 count)
{
    if (count >= 0)
        return QString::number(count);
    return QStringLiteral("0x") + QString::number(static_cast<quint32>(count), 16).toUpper();
}

void appendQuoted(QString& text, const QString& value)
{
    text += QLatin1Char('"') + value + QLatin1Char('"');
}

} // namespace

bool ParseCommandLine(TEinst& einst, const QStringList& parameters, MessageBoxes& boxes)
{
    if (parameters.isEmpty())
        return false;

    WorkingValues values;
    bool valid = true;
    for (const QString& parameter : parameters) {
        if (!readParameter(parameter, values)) {
            valid = false;
            break;
        }
    }
    // A list without a time switch (or a program to wait for) would leave the time undefined: it is
    // refused like any invalid list.
    if (!valid || !combinationValid(values)) {
        boxes.error(QCoreApplication::translate("CommandLine", kCommandLineError));
        return false;
    }
    write(einst, values);
    return true;
}

QStringList ParametersFromArguments(const QStringList& arguments)
{
    QStringList parameters;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString parameter = arguments[i];
        parameter.remove(QLatin1Char('"'));
        if (!parameter.isEmpty())
            parameters << parameter;
    }
    return parameters;
}

QString BuildCommandLine(const TEinst& einst)
{
    const TROptionen& o = einst.options();
    QString text;
    switch (o.Aktion) {
    case AktionNachricht:
        text += QStringLiteral(" -M");
        appendQuoted(text, o.Nachricht);
        if (o.SoundMode == SoundBeep) {
            text += QStringLiteral(" -B") + beepCountText(o.AnzBeeps);
        } else if (o.SoundMode == SoundFile) {
            text += QStringLiteral(" -B");
            appendQuoted(text, o.SoundFile);
        }
        break;
    case AktionShutdown:
    case AktionRestart:
    case AktionLogoff:
        text += o.Aktion == AktionShutdown  ? QStringLiteral(" -S")
                : o.Aktion == AktionRestart ? QStringLiteral(" -R")
                                            : QStringLiteral(" -L");
        if (o.Force)
            text += QStringLiteral(" -F");
        break;
    case AktionStandby:
        text += QStringLiteral(" -E");
        break;
    case AktionHibernate:
        text += QStringLiteral(" -H");
        break;
    case AktionSperren:
        text += QStringLiteral(" -V");
        break;
    default:
        break;
    }

    const QString clock = StundenToStr(o.Zeit_Stunden, true) + QLatin1Char(':') + MinutenToStr(o.Zeit_Minuten, true) +
                          QLatin1Char(':') + SekundenToStr(o.Zeit_Sekunden, true);
    if (o.ZeitMode == ZeitCountdown || o.ZeitMode == ZeitUhrzeit) {
        text += (o.ZeitMode == ZeitCountdown ? QStringLiteral(" -T-") : QStringLiteral(" -T")) + clock;
    } else if (o.ZeitMode == ZeitInaktivitaet) {
        text += QStringLiteral(" -I") + clock;
    } else if (o.ZeitMode == ZeitLeerlauf) {
        // Limits out of range (a set no setter made) are written as the defaults the reader would give.
        const qint32 cpu = TEinst::isLeerlaufCpu(o.Leerlauf_CPU) ? o.Leerlauf_CPU : TEinst::kDefaultLeerlaufCpu;
        const qint32 net = TEinst::isLeerlaufNetz(o.Leerlauf_Netz) ? o.Leerlauf_Netz : TEinst::kDefaultLeerlaufNetz;
        text += QStringLiteral(" -Q") + clock + QLatin1Char(',') + QString::number(cpu) + QLatin1Char(',') +
                QString::number(net);
    } else if (o.ZeitMode == ZeitProgrammende) {
        text += QStringLiteral(" -P");
        appendQuoted(text, o.Programm);
    }

    if (o.SofortStart)
        text += QStringLiteral(" -A");
    if (o.ClosePgm)
        text += QStringLiteral(" -C");
    if (o.Minimize)
        text += QStringLiteral(" -K");
    // A set whose lead time is the default leaves it out, so launchers stay as they were before.
    if (o.Vorwarnzeit != TEinst::kDefaultVorwarnzeit && o.Vorwarnzeit >= 0)
        text += QStringLiteral(" -W") + QString::number(o.Vorwarnzeit);
    return text;
}

bool hasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

QStringList SplitParameters(const QString& text)
{
    // Characters up to and including the blank separate parameters; a double quote opens a stretch
    // up to the next double quote in which they belong to the parameter. Quotes are removed.
    QStringList parameters;
    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size) {
        while (pos < size && text[pos].unicode() <= u' ')
            ++pos;
        QString parameter;
        while (pos < size && text[pos].unicode() > u' ') {
            if (text[pos] == QLatin1Char('"')) {
                ++pos;
                while (pos < size && text[pos] != QLatin1Char('"'))
                    parameter += text[pos++];
                if (pos < size)
                    ++pos;
            } else {
                parameter += text[pos++];
            }
        }
        if (!parameter.isEmpty())
            parameters << parameter;
    }
    return parameters;
}

} // namespace kelvaro
