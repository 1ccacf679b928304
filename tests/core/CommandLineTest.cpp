#include "core/CommandLine.h"

#include "core/TEinst.h"
#include "mock/RecordingMessageBoxes.h"
#include "mock/TempDir.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace kelvaro;

namespace {

/** The fields a successful parse writes; `nachricht` only for the message action. */
struct Written
{
    quint8 aktion = 0;
    quint8 zeitMode = 1;
    qint32 h = 0, m = 0, s = 0;
    bool sofort = false, close = false, minimize = false, force = false;
    quint8 soundMode = 0;
    qint32 beeps = 0;
    const char* soundFile = "";
    const char* nachricht = nullptr;
    qint32 lead = 60;
    const char* programm = nullptr;
    qint32 cpu = 10, net = 50;
};

/** `base` with the fields of `w`; the message only when `w` names one. */
TROptionen applied(TROptionen base, const Written& w)
{
    base.Aktion = w.aktion;
    base.ZeitMode = w.zeitMode;
    base.Zeit_Stunden = w.h;
    base.Zeit_Minuten = w.m;
    base.Zeit_Sekunden = w.s;
    base.SofortStart = w.sofort;
    base.ClosePgm = w.close;
    base.Minimize = w.minimize;
    base.Force = w.force;
    base.SoundMode = w.soundMode;
    base.AnzBeeps = w.beeps;
    base.SoundFile = QString::fromUtf8(w.soundFile);
    base.Vorwarnzeit = w.lead;
    base.Leerlauf_CPU = w.cpu;
    base.Leerlauf_Netz = w.net;
    if (w.nachricht)
        base.Nachricht = QString::fromUtf8(w.nachricht);
    if (w.programm)
        base.Programm = QString::fromUtf8(w.programm);
    return base;
}

struct ParseCase
{
    const char* name;
    std::vector<const char*> parameters; // "<dir>" stands for a folder holding "gong.wav", "mein gong.wav", "1.wav"
    std::optional<Written> written;      // nothing: the list is refused
};

/** Not the constructor defaults, so that any field a parse touches shows. */
TROptionen before()
{
    TROptionen o;
    o.Name = QStringLiteral("Vorher");
    o.Aktion = 3;
    o.ZeitMode = 2;
    o.SofortStart = o.ClosePgm = o.Minimize = o.Force = true;
    o.SoundMode = 2;
    o.AnzBeeps = 9;
    o.SoundFile = QStringLiteral("/alt.wav");
    o.Nachricht = QStringLiteral("alte Nachricht");
    o.Zeit_Stunden = 1;
    o.Zeit_Minuten = 2;
    o.Zeit_Sekunden = 3;
    o.Vorwarnzeit = 7;
    o.Programm = QStringLiteral("altes Programm");
    o.Leerlauf_CPU = 77;
    o.Leerlauf_Netz = 777;
    return o;
}

class ParserTable : public ::testing::TestWithParam<ParseCase>
{
protected:
    void SetUp() override
    {
        for (const char* name : {"gong.wav", "mein gong.wav", "1.wav"}) {
            QFile file(m_dir.file(QString::fromUtf8(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        // Relative names are looked up in the working folder.
        m_oldCurrent = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    }
    void TearDown() override { QDir::setCurrent(m_oldCurrent); }

    QString resolve(const char* text) const
    {
        return QString::fromUtf8(text).replace(QStringLiteral("<dir>"), m_dir.path());
    }

    test::TempDir m_dir;
    QString m_oldCurrent;
};

TEST_P(ParserTable, AcceptsOrRefusesTheWholeList)
{
    const ParseCase& c = GetParam();
    QStringList parameters;
    for (const char* p : c.parameters)
        parameters << resolve(p);
    TEinst einst;
    einst.SetOptions(before());
    test::RecordingMessageBoxes boxes;

    const bool accepted = ParseCommandLine(einst, parameters, boxes);

    if (!c.written) {
        EXPECT_FALSE(accepted);
        ASSERT_EQ(boxes.boxes.size(), 1);
        EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(boxes.boxes[0].text, QString::fromUtf8(kCommandLineError));
        EXPECT_EQ(einst.options(), before());
        return;
    }
    ASSERT_TRUE(accepted);
    EXPECT_TRUE(boxes.boxes.isEmpty());
    TROptionen expected = applied(before(), *c.written);
    expected.SoundFile = resolve(c.written->soundFile);
    EXPECT_EQ(einst.options(), expected);
}

const ParseCase kCases[] = {
    // Accepted lists, with what they write.
    {"ShutdownAtTimeOfDay", {"-A", "-S", "-T02:23:00"}, Written{.aktion = 1, .h = 2, .m = 23, .sofort = true}},
    {"MessageWithBeepsCountdown",
     {"-A", "-B", "-MTee ist fertig", "-T-00:05:00"},
     Written{.aktion = 0,
             .zeitMode = 0,
             .m = 5,
             .sofort = true,
             .soundMode = 1,
             .beeps = 3,
             .nachricht = "Tee ist fertig"}},
    {"LowerCaseSwitches",
     {"-a", "-r", "-f", "-t-01:00:00"},
     Written{.aktion = 2, .zeitMode = 0, .h = 1, .sofort = true, .force = true}},
    {"MessageKeepsItsCase", {"-mGroß und klein", "-T12:00:00"}, Written{.h = 12, .nachricht = "Groß und klein"}},
    {"MessageOfOneBlank", {"-M ", "-T12:00:00"}, Written{.h = 12, .nachricht = " "}},
    {"BeepCount", {"-Mx", "-B7", "-T12:00:00"}, Written{.h = 12, .soundMode = 1, .beeps = 7, .nachricht = "x"}},
    {"ZeroBeeps", {"-Mx", "-B0", "-T12:00:00"}, Written{.h = 12, .soundMode = 1, .beeps = 0, .nachricht = "x"}},
    {"BeepCountReadAsWholeNumber",
     {"-Mx", "-B0x10", "-T12:00:00"},
     Written{.h = 12, .soundMode = 1, .beeps = 16, .nachricht = "x"}},
    {"SoundFileWithBlanks",
     {"-Mx", "-B<dir>/mein gong.wav", "-T12:00:00"},
     Written{.h = 12, .soundMode = 2, .beeps = 3, .soundFile = "<dir>/mein gong.wav", .nachricht = "x"}},
    {"RelativeSoundFile",
     {"-Mx", "-Bgong.wav", "-T12:00:00"},
     Written{.h = 12, .soundMode = 2, .beeps = 3, .soundFile = "gong.wav", .nachricht = "x"}},
    {"LatestTimeOfDay", {"-E", "-T23:59:59"}, Written{.aktion = 4, .h = 23, .m = 59, .s = 59}},
    {"ZeroCountdownWithFlags",
     {"-L", "-F", "-C", "-K", "-T-00:00:00"},
     Written{.aktion = 3, .zeitMode = 0, .close = true, .minimize = true, .force = true}},
    {"TimeGroupsPassTheNumericTest", {"-S", "-T$A: 5:+7"}, Written{.aktion = 1, .h = 10, .m = 5, .s = 7}},
    {"CharacterAfterTheTimeNotLookedAt", {"-S", "-T12:00:00x"}, Written{.aktion = 1, .h = 12}},
    {"LaterMessageReplaces", {"-Merst", "-Mzweit", "-T12:00:00"}, Written{.h = 12, .nachricht = "zweit"}},
    {"LaterBeepSwitchStartsAgain",
     {"-Mx", "-B5", "-B", "-T12:00:00"},
     Written{.h = 12, .soundMode = 1, .beeps = 3, .nachricht = "x"}},
    {"FileNameOfEarlierBeepSwitchStays",
     {"-Mx", "-B<dir>/gong.wav", "-B5", "-T12:00:00"},
     Written{.h = 12, .soundMode = 1, .beeps = 5, .soundFile = "<dir>/gong.wav", .nachricht = "x"}},
    {"CountdownFlagStaysAcrossTimes",
     {"-S", "-T-01:00:00", "-T02:03:04"},
     Written{.aktion = 1, .zeitMode = 0, .h = 2, .m = 3, .s = 4}},
    {"RepeatedFlag", {"-S", "-S", "-T12:00:00"}, Written{.aktion = 1, .h = 12}},
    {"LeadTime", {"-S", "-W30", "-T12:00:00"}, Written{.aktion = 1, .h = 12, .lead = 30}},
    {"LeadTimeOff", {"-w0", "-E", "-T12:00:00"}, Written{.aktion = 4, .h = 12, .lead = 0}},
    {"LeadTimeWithMessageAndLaterOneReplaces",
     {"-Mx", "-W5", "-W0x10", "-T12:00:00"},
     Written{.h = 12, .nachricht = "x", .lead = 16}},
    {"Hibernate", {"-H", "-T-00:00:02"}, Written{.aktion = 5, .zeitMode = 0, .s = 2}},
    {"LockLowerCase", {"-v", "-a", "-T12:00:00"}, Written{.aktion = 6, .h = 12, .sofort = true}},
    {"ProgramByNumber", {"-S", "-P4711", "-W30"}, Written{.aktion = 1, .zeitMode = 3, .lead = 30, .programm = "4711"}},
    {"ProgramByNameLaterReplaces",
     {"-Mfertig", "-Pwget", "-pmein skript", "-B"},
     Written{.zeitMode = 3, .soundMode = 1, .beeps = 3, .nachricht = "fertig", .programm = "mein skript"}},
    {"IdleTime", {"-S", "-i00:10:00"}, Written{.aktion = 1, .zeitMode = 4, .m = 10}},
    {"QuietTimeWithBothLimits",
     {"-Mfertig", "-Q00:00:03,50,0"},
     Written{.zeitMode = 5, .s = 3, .nachricht = "fertig", .cpu = 50, .net = 0}},
    {"QuietTimeWithDefaultLimits", {"-E", "-q01:00:00"}, Written{.aktion = 4, .zeitMode = 5, .h = 1}},
    {"QuietTimeProcessorLimitOnly", {"-S", "-Q00:05:00,0"}, Written{.aktion = 1, .zeitMode = 5, .m = 5, .cpu = 0}},
    {"QuietTimeBothLimitsOff",
     {"-S", "-Q00:05:00,0,0"},
     Written{.aktion = 1, .zeitMode = 5, .m = 5, .cpu = 0, .net = 0}},
    {"LaterQuietTimeGivesItsOwnLimits",
     {"-S", "-Q00:05:00,5,5", "-Q00:06:00"},
     Written{.aktion = 1, .zeitMode = 5, .m = 6}},

    // Refused lists: flags and actions that do not combine.
    {"ShutdownWithBeeps", {"-S", "-B", "-T12:00:00"}, std::nullopt},
    {"StandbyWithForce", {"-E", "-F", "-T12:00:00"}, std::nullopt},
    {"MessageWithForce", {"-Mx", "-F", "-T12:00:00"}, std::nullopt},
    {"ShutdownAndRestart", {"-S", "-R", "-T12:00:00"}, std::nullopt},
    {"RestartAndLogoff", {"-R", "-L", "-T12:00:00"}, std::nullopt},
    {"LogoffAndStandby", {"-L", "-E", "-T12:00:00"}, std::nullopt},
    {"HibernateAndLock", {"-H", "-V", "-T12:00:00"}, std::nullopt},
    {"HibernateWithForce", {"-H", "-F", "-T12:00:00"}, std::nullopt},
    {"LockWithMessage", {"-V", "-Mx", "-T12:00:00"}, std::nullopt},
    {"ProgramAndTime", {"-S", "-Pwget", "-T12:00:00"}, std::nullopt},
    {"ProgramWithoutName", {"-S", "-P"}, std::nullopt},
    {"ProgramAlone", {"-Pwget"}, std::nullopt},
    {"IdleAndTime", {"-S", "-I00:10:00", "-T12:00:00"}, std::nullopt},
    {"IdleAndProgram", {"-S", "-I00:10:00", "-Pwget"}, std::nullopt},
    {"QuietAndIdle", {"-S", "-Q00:10:00", "-I00:10:00"}, std::nullopt},
    {"QuietAndCountdown", {"-S", "-T-00:10:00", "-Q00:10:00"}, std::nullopt},
    {"IdleAsCountdownForm", {"-S", "-I-00:10:00"}, std::nullopt},
    {"IdleWithCharacterAfter", {"-S", "-I00:10:00x"}, std::nullopt},
    {"IdleHourOutOfRange", {"-S", "-I24:00:00"}, std::nullopt},
    {"QuietWithoutTime", {"-S", "-Q"}, std::nullopt},
    {"QuietProcessorOver100", {"-S", "-Q00:10:00,101"}, std::nullopt},
    {"QuietNegativeNetwork", {"-S", "-Q00:10:00,5,-1"}, std::nullopt},
    {"QuietThreeLimits", {"-S", "-Q00:10:00,5,5,5"}, std::nullopt},
    {"QuietEmptyLimit", {"-S", "-Q00:10:00,,5"}, std::nullopt},
    {"QuietTrailingComma", {"-S", "-Q00:10:00,"}, std::nullopt},
    {"QuietWithoutComma", {"-S", "-Q00:10:005"}, std::nullopt},
    {"StandbyWithMessage", {"-E", "-Mx", "-T12:00:00"}, std::nullopt},
    {"ShutdownWithMessage", {"-Mx", "-S", "-T12:00:00"}, std::nullopt},
    {"BeepsWithoutMessage", {"-B", "-T12:00:00"}, std::nullopt},
    {"ForceAlone", {"-F", "-T12:00:00"}, std::nullopt},
    {"StartFlagAlone", {"-A", "-T12:00:00"}, std::nullopt},
    {"TimeAlone", {"-T12:00:00"}, std::nullopt},
    {"NoTime", {"-S"}, std::nullopt},
    {"NoTimeWithMessage", {"-Mx", "-A"}, std::nullopt},
    // Refused lists: malformed parameters.
    {"MessageSwitchWithoutText", {"-M", "-T12:00:00"}, std::nullopt},
    {"FlagWithLetterAfter", {"-SX", "-T12:00:00"}, std::nullopt},
    {"FlagWithDigitAfter", {"-S5", "-T12:00:00"}, std::nullopt},
    {"HibernateFlagWithLetterAfter", {"-Hx", "-T12:00:00"}, std::nullopt},
    {"UnknownSwitch", {"-S", "-X", "-T12:00:00"}, std::nullopt},
    {"SlashInsteadOfMinus", {"/S", "-T12:00:00"}, std::nullopt},
    {"WithoutMinus", {"S", "-T12:00:00"}, std::nullopt},
    {"MinusAlone", {"-", "-S", "-T12:00:00"}, std::nullopt},
    {"InvalidFirstThenValid", {"-Q", "-S", "-T12:00:00"}, std::nullopt},
    {"BeepCountWithLetter", {"-Mx", "-B12x", "-T12:00:00"}, std::nullopt},
    {"BeepCountWithTrailingBlank", {"-Mx", "-B12 ", "-T12:00:00"}, std::nullopt},
    {"BeepCountTooLarge", {"-Mx", "-B2147483648", "-T12:00:00"}, std::nullopt},
    {"FileNameBeginningWithDigit", {"-Mx", "-B1.wav", "-T12:00:00"}, std::nullopt},
    {"MissingSoundFile", {"-Mx", "-B<dir>/fehlt.wav", "-T12:00:00"}, std::nullopt},
    {"SoundFileIsAFolder", {"-Mx", "-B<dir>", "-T12:00:00"}, std::nullopt},
    {"HourOutOfRange", {"-S", "-T24:00:00"}, std::nullopt},
    {"MinuteOutOfRange", {"-S", "-T12:60:00"}, std::nullopt},
    {"SecondOutOfRange", {"-S", "-T12:00:60"}, std::nullopt},
    {"NegativeSecond", {"-S", "-T12:00:-1"}, std::nullopt},
    {"CountdownHourOutOfRange", {"-S", "-T-24:00:00"}, std::nullopt},
    {"WrongSeparators", {"-S", "-T12-00-00"}, std::nullopt},
    {"NineCharacters", {"-S", "-T1:00:00"}, std::nullopt},
    {"CountdownTenCharacters", {"-S", "-T-1:00:00"}, std::nullopt},
    {"TwelveCharacters", {"-S", "-T-12:00:000"}, std::nullopt},
    {"LettersAsTime", {"-S", "-Tab:cd:ef"}, std::nullopt},
    {"InvalidTimeAfterValidOne", {"-S", "-T12:00:00", "-T12:00"}, std::nullopt},
    {"LeadTimeWithoutValue", {"-S", "-W", "-T12:00:00"}, std::nullopt},
    {"LeadTimeNotANumber", {"-S", "-W30s", "-T12:00:00"}, std::nullopt},
    {"LeadTimeNegative", {"-S", "-W-5", "-T12:00:00"}, std::nullopt},
    {"LeadTimeTooLarge", {"-S", "-W2147483648", "-T12:00:00"}, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Lists, ParserTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ParseCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(ParseCommandLine, NoParametersChangeNothingAndShowNothing)
{
    TEinst einst;
    einst.SetOptions(before());
    test::RecordingMessageBoxes boxes;
    EXPECT_FALSE(ParseCommandLine(einst, {}, boxes));
    EXPECT_TRUE(boxes.boxes.isEmpty());
    EXPECT_EQ(einst.options(), before());
}

TEST(ParametersFromArguments, DropTheProgramQuotesAndEmptyArguments)
{
    EXPECT_EQ(ParametersFromArguments({}), QStringList());
    EXPECT_EQ(ParametersFromArguments({QStringLiteral("/usr/bin/kelvaro")}), QStringList());
    EXPECT_EQ(ParametersFromArguments({QStringLiteral("kelvaro"), QStringLiteral("-M\"Tee ist\" fertig"),
                                       QStringLiteral("\"\""), QString(), QStringLiteral("-A")}),
              QStringList({QStringLiteral("-MTee ist fertig"), QStringLiteral("-A")}));
}

struct SplitCase
{
    const char* text;
    std::vector<const char*> parameters;
};

class Splitting : public ::testing::TestWithParam<SplitCase>
{};

TEST_P(Splitting, FollowsTheCommandLineRule)
{
    QStringList expected;
    for (const char* p : GetParam().parameters)
        expected << QString::fromUtf8(p);
    EXPECT_EQ(SplitParameters(QString::fromUtf8(GetParam().text)), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, Splitting,
                         ::testing::Values(SplitCase{"", {}}, SplitCase{"   ", {}}, SplitCase{"\"\"", {}},
                                           SplitCase{" \"\" -A", {"-A"}},
                                           SplitCase{" -M\"Tee ist fertig\" -B3", {"-MTee ist fertig", "-B3"}},
                                           SplitCase{"-M\"\"", {"-M"}}, SplitCase{"a\"b c\"d e", {"ab cd", "e"}},
                                           SplitCase{"-M\"offen bis zum Ende", {"-Moffen bis zum Ende"}},
                                           SplitCase{"a\tb\nc", {"a", "b", "c"}}, SplitCase{"\"a\tb\"", {"a\tb"}},
                                           SplitCase{"-M\"ä\\ $% \"", {"-Mä\\ $% "}}));

struct BuildCase
{
    Written options;
    const char* text;
};

class Building : public ::testing::TestWithParam<BuildCase>
{};

TEST_P(Building, WritesTheElementsInTheirOrder)
{
    TEinst einst;
    einst.SetOptions(applied(TEinst().options(), GetParam().options));
    EXPECT_EQ(BuildCommandLine(einst).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Building,
    ::testing::Values(
        BuildCase{{.zeitMode = 0, .m = 5, .sofort = true, .soundMode = 1, .beeps = 3, .nachricht = "Tee ist fertig"},
                  " -M\"Tee ist fertig\" -B3 -T-00:05:00 -A"},
        BuildCase{{.aktion = 1, .h = 2, .m = 23, .force = true}, " -S -F -T02:23:00"},
        BuildCase{{.aktion = 4, .zeitMode = 0, .s = 9, .close = true, .minimize = true, .force = true},
                  " -E -T-00:00:09 -C -K"},
        BuildCase{{.aktion = 2, .zeitMode = 2}, " -R"},
        BuildCase{{.aktion = 3, .h = 23, .m = 59, .s = 59, .sofort = true, .minimize = true}, " -L -T23:59:59 -A -K"},
        BuildCase{{.zeitMode = 2, .force = true, .soundMode = 2, .soundFile = "/home/anna/mein gong.wav"},
                  " -M\"\" -B\"/home/anna/mein gong.wav\""},
        BuildCase{{.zeitMode = 0, .h = 24, .nachricht = "Pizza"}, " -M\"Pizza\" -T-00:00:00"},
        // A negative count in decimal would be read back as a file name.
        BuildCase{{.zeitMode = 1, .soundMode = 1, .beeps = -5, .nachricht = "x"}, " -M\"x\" -B0xFFFFFFFB -T00:00:00"},
        BuildCase{{.zeitMode = 1, .soundMode = 1, .beeps = INT32_MIN, .nachricht = "x"},
                  " -M\"x\" -B0x80000000 -T00:00:00"},
        // The lead time only when it is not the default.
        BuildCase{{.aktion = 1, .m = 1, .sofort = true, .lead = 30}, " -S -T00:01:00 -A -W30"},
        BuildCase{{.aktion = 4, .zeitMode = 2, .lead = 0}, " -E -W0"},
        BuildCase{{.aktion = 5, .zeitMode = 0, .s = 9, .close = true}, " -H -T-00:00:09 -C"},
        BuildCase{{.aktion = 6, .zeitMode = 3, .h = 7, .sofort = true, .programm = "mein skript"},
                  " -V -P\"mein skript\" -A"},
        BuildCase{{.aktion = 1, .zeitMode = 4, .m = 10, .force = true}, " -S -F -I00:10:00"},
        BuildCase{{.zeitMode = 5, .s = 3, .nachricht = "x", .cpu = 50, .net = 0}, " -M\"x\" -Q00:00:03,50,0"},
        // Limits out of range are none the reader takes: written as the defaults it would give.
        BuildCase{{.aktion = 4, .zeitMode = 5, .h = 1, .cpu = 300, .net = -2}, " -E -Q01:00:00,10,50"}));

TEST(BuildCommandLine, EmptyMessageIsRefusedWhenReadBack)
{
    TEinst einst; // message action with an empty text
    TEinst target;
    test::RecordingMessageBoxes boxes;
    EXPECT_FALSE(ParseCommandLine(target, SplitParameters(BuildCommandLine(einst)), boxes));
    EXPECT_EQ(boxes.boxes.size(), 1);
}

/** Random option sets that the parser accepts, with every field it does not write as a fresh object has it. */
class RandomSets
{
public:
    RandomSets(quint32 seed, QStringList soundFiles) : m_random(seed), m_soundFiles(std::move(soundFiles)) {}

    TROptionen next()
    {
        TROptionen o = TEinst().options();
        o.Aktion = quint8(m_random.bounded(7));
        o.ZeitMode = quint8(m_random.bounded(5));
        o.Zeit_Stunden = m_random.bounded(24);
        o.Zeit_Minuten = m_random.bounded(60);
        o.Zeit_Sekunden = m_random.bounded(60);
        if (o.ZeitMode == 2) { // the program to wait for in place of a time
            o.ZeitMode = ZeitProgrammende;
            o.Programm = message();
            o.Zeit_Stunden = o.Zeit_Minuten = o.Zeit_Sekunden = 0;
        } else if (o.ZeitMode == 3) {
            o.ZeitMode = ZeitInaktivitaet;
        } else if (o.ZeitMode == 4) {
            o.ZeitMode = ZeitLeerlauf;
            o.Leerlauf_CPU = m_random.bounded(101);
            o.Leerlauf_Netz = coin() ? 0 : m_random.bounded(0, 1000000);
        }
        o.SofortStart = coin();
        o.ClosePgm = coin();
        o.Minimize = coin();
        o.Force = o.Aktion >= 1 && o.Aktion <= 3 && coin();
        o.Vorwarnzeit = coin() ? TEinst::kDefaultVorwarnzeit : m_random.bounded(0, 100000);
        o.SoundMode = 0;
        o.AnzBeeps = 0;
        o.SoundFile.clear();
        if (o.Aktion == 0) {
            o.Nachricht = message();
            o.SoundMode = quint8(m_random.bounded(3));
            if (o.SoundMode == 1)
                o.AnzBeeps = m_random.bounded(-1000, 1000);
            if (o.SoundMode == 2) {
                o.AnzBeeps = 3;
                o.SoundFile = m_soundFiles[m_random.bounded(int(m_soundFiles.size()))];
            }
        }
        return o;
    }

private:
    bool coin() { return m_random.bounded(2) == 1; }

    QString message()
    {
        static const QString pool = QStringLiteral("abcXYZ019 äöüßÄ%$\\'`-:/&;*?#()<>~|{}€");
        QString text;
        const int length = 1 + m_random.bounded(20);
        for (int i = 0; i < length; ++i)
            text += pool[m_random.bounded(int(pool.size()))];
        return text;
    }

    QRandomGenerator m_random;
    QStringList m_soundFiles;
};

TEST(CommandLineRoundTrip, ReadingBackTheWrittenStringGivesTheSameSet)
{
    test::TempDir dir;
    QStringList soundFiles;
    for (const QString& name : {QStringLiteral("gong.wav"), QStringLiteral("mit Leer zeichen.mp3"),
                                QStringLiteral("Töne $HOME %1 \\ -B.wav"), QStringLiteral("'einfach'.wav")}) {
        QFile file(dir.file(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        soundFiles << file.fileName();
    }

    RandomSets sets(20240611, soundFiles);
    for (int i = 0; i < 500; ++i) {
        const TROptionen expected = sets.next();
        TEinst source;
        source.SetOptions(expected);
        const QString text = BuildCommandLine(source);

        TEinst target;
        test::RecordingMessageBoxes boxes;
        ASSERT_TRUE(ParseCommandLine(target, SplitParameters(text), boxes)) << text.toStdString();
        ASSERT_EQ(target.options(), expected) << text.toStdString();
    }
}

} // namespace
