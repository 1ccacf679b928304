#include "core/LauncherFile.h"

#include "core/CommandLine.h"
#include "core/TEinst.h"
#include "mock/DesktopFileValidator.h"
#include "mock/RecordingMessageBoxes.h"
#include "mock/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <array>
#include <optional>

using namespace kelvaro;

namespace {

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class LauncherFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!test::desktopFileValidatorAvailable())
            GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("Pro gramme $x")));
        m_program = m_dir.file(QStringLiteral("Pro gramme $x/kel`varo \"%1\"\\bin"));
        m_sound = m_dir.file(QStringLiteral("Töne 100% $HOME \\ 'a'.wav"));
        QFile sound(m_sound);
        ASSERT_TRUE(sound.open(QIODevice::WriteOnly));
    }

    test::TempDir m_dir;
    QString m_program;
    QString m_sound;
};

TEST_F(LauncherFiles, ValidFileWhoseCommandReadsBackToTheSameOptions)
{
    const char* messages[] = {
        "Tee ist fertig",        "Grüße, Öl & Maß",      "100% fertig %f %%", "Kosten: $5 $(rm -rf ~)",
        "C:\\Pfad\\\\doppelt\\", "`date` und 'zitiert'", "  Leerzeichen  ",   "-S"};
    int index = 0;
    for (const char* message : messages) {
        TROptionen options = TEinst().options();
        options.Nachricht = QString::fromUtf8(message);
        options.SoundMode = index % 3;
        options.AnzBeeps = options.SoundMode == 1 ? 12 : options.SoundMode == 2 ? 3 : 0;
        options.SoundFile = options.SoundMode == 2 ? m_sound : QString();
        // Some wait for a program, named like the message, for no input, or for a quiet machine.
        options.ZeitMode = std::array{ZeitCountdown,    ZeitUhrzeit,  ZeitProgrammende,
                                      ZeitInaktivitaet, ZeitLeerlauf, ZeitUhrzeit}[index % 6];
        options.Leerlauf_CPU = options.ZeitMode == ZeitLeerlauf ? 0 : TEinst::kDefaultLeerlaufCpu;
        options.Leerlauf_Netz = options.ZeitMode == ZeitLeerlauf ? 1234 : TEinst::kDefaultLeerlaufNetz;
        options.Zeit_Minuten = options.ZeitMode == ZeitProgrammende ? 0 : 5 + index;
        options.Programm = options.ZeitMode == ZeitProgrammende ? options.Nachricht : QString();
        options.SofortStart = index % 2 == 0;
        options.ClosePgm = true;
        options.Vorwarnzeit = std::array{60, 0, 45}[index % 3];
        TEinst einst;
        einst.SetOptions(options);
        const QString arguments = BuildCommandLine(einst);
        const QString path = m_dir.file(QStringLiteral("Tee %1.desktop").arg(index++));
        SCOPED_TRACE(arguments.toStdString());

        QString error;
        ASSERT_TRUE(CreateShortcut(m_program, arguments, path, QStringLiteral("Kelvaro"), &error))
            << error.toStdString();
        const std::optional<QString> complaints = test::desktopFileComplaints(path);
        EXPECT_FALSE(complaints) << complaints.value_or(QString()).toStdString() << readAll(path).toStdString();

        const std::optional<QStringList> command = ReadLauncherCommand(path);
        ASSERT_TRUE(command);
        EXPECT_EQ(*command, QStringList{m_program} + SplitParameters(arguments));

        TEinst started;
        test::RecordingMessageBoxes boxes;
        ASSERT_TRUE(ParseCommandLine(started, ParametersFromArguments(*command), boxes));
        EXPECT_EQ(started.options(), options);
    }
}

TEST_F(LauncherFiles, CarriesNameFolderCommentAndIsExecutable)
{
    const QString path = m_dir.file(QStringLiteral("Pizza.Timer.desktop"));
    ASSERT_TRUE(CreateShortcut(QStringLiteral("/opt/kelvaro/bin/kelvaro"), QStringLiteral(" -S -T12:00:00"), path,
                               QStringLiteral("Kelvaro")));
    EXPECT_EQ(readAll(path), QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.0\nName=Pizza.Timer\n"
                                            "Comment=Kelvaro\nExec=\"/opt/kelvaro/bin/kelvaro\" \"-S\" \"-T12:00:00\"\n"
                                            "Path=/opt/kelvaro/bin\nTerminal=false\nIcon=kelvaro\n"));
    const QFileDevice::Permissions everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                              QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(QFileInfo(path).permissions() & everyone, // mode 0755
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                  QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
    EXPECT_FALSE(test::desktopFileComplaints(path));
}

TEST_F(LauncherFiles, ReplacesAnExistingFileWithoutLeavingTemporaryFiles)
{
    const QString path = m_dir.file(QStringLiteral("timer.desktop"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("alter Inhalt, viel länger als der neue Inhalt es je sein wird ...........................\n");
    old.close();
    ASSERT_TRUE(CreateShortcut(m_program, QStringLiteral(" -E -T-00:01:00"), path, QStringLiteral("Kelvaro")));
    EXPECT_EQ(ReadLauncherCommand(path), QStringList({m_program, QStringLiteral("-E"), QStringLiteral("-T-00:01:00")}));
    QStringList files = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    EXPECT_EQ(files, QStringList({QStringLiteral("Töne 100% $HOME \\ 'a'.wav"), QStringLiteral("timer.desktop")}));
}

TEST_F(LauncherFiles, NameFallsBackToTheDescription)
{
    const QString path = m_dir.file(QStringLiteral(".desktop"));
    ASSERT_TRUE(CreateShortcut(m_program, QStringLiteral(" -S -T12:00:00"), path, QStringLiteral("Kelvaro")));
    EXPECT_TRUE(readAll(path).contains(QStringLiteral("\nName=Kelvaro\n")));
}

TEST_F(LauncherFiles, RefusesControlCharactersInTheCommand)
{
    const QString path = m_dir.file(QStringLiteral("timer.desktop"));
    for (const QString& arguments : {QStringLiteral(" -M\"Zeile 1\nZeile 2\" -T12:00:00"),
                                     QStringLiteral(" -M\"Glocke\a\" -T12:00:00"), QStringLiteral(" -M\"a\rb\"")}) {
        QString error;
        EXPECT_FALSE(CreateShortcut(m_program, arguments, path, QStringLiteral("Kelvaro"), &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(path));
    }
    EXPECT_FALSE(CreateShortcut(m_dir.file(QStringLiteral("a\tb")), QStringLiteral(" -S -T12:00:00"), path,
                                QStringLiteral("Kelvaro")));
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(LauncherFiles, UnwritablePlacesFailAndLeaveNothing)
{
    const QString args = QStringLiteral(" -S -T12:00:00");
    QString error;
    EXPECT_FALSE(CreateShortcut(m_program, args, m_dir.file(QStringLiteral("fehlt/timer.desktop")), {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(m_dir.file(QStringLiteral("fehlt"))));
    // A file where the folder should be: no one can write there, not even the superuser.
    EXPECT_FALSE(CreateShortcut(m_program, args, m_sound + QStringLiteral("/timer.desktop"), {}));
    EXPECT_FALSE(CreateShortcut(m_program, args, m_dir.path(), {})); // the path is a folder
    EXPECT_FALSE(CreateShortcut(m_program, args, QString(), {}));

    const QString readOnly = m_dir.file(QStringLiteral("schreibgeschützt"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("schreibgeschützt")));
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFileInfo(readOnly).isWritable()) { // the superuser may write anywhere
        EXPECT_FALSE(CreateShortcut(m_program, args, readOnly + QStringLiteral("/timer.desktop"), {}));
        EXPECT_TRUE(QDir(readOnly).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

struct ExecCase
{
    const char* value;
    std::optional<std::vector<const char*>> arguments;
};

class ExecValues : public ::testing::TestWithParam<ExecCase>
{};

TEST_P(ExecValues, ParseByTheDesktopEntryRules)
{
    const std::optional<QStringList> parsed = ParseExecValue(QString::fromUtf8(GetParam().value));
    if (!GetParam().arguments) {
        EXPECT_FALSE(parsed) << parsed.value_or(QStringList()).join(QLatin1Char('|')).toStdString();
        return;
    }
    QStringList expected;
    for (const char* a : *GetParam().arguments)
        expected << QString::fromUtf8(a);
    EXPECT_EQ(parsed, expected);
}

using Args = std::vector<const char*>;

INSTANTIATE_TEST_SUITE_P(
    Table, ExecValues,
    ::testing::Values(ExecCase{"kelvaro -S", Args{"kelvaro", "-S"}},
                      ExecCase{"\"/a b/kelvaro\"  \"-MTee ist\"", Args{"/a b/kelvaro", "-MTee ist"}},
                      ExecCase{R"("x\\\\y" "\\$HOME" "\\`" "\\"")", Args{"x\\y", "$HOME", "`", "\""}},
                      ExecCase{"\"100%%\" %f", Args{"100%"}}, ExecCase{"\\s\"a\\sb\"", Args{"a b"}},
                      ExecCase{"\"\" b", Args{"", "b"}}, ExecCase{"", std::nullopt}, ExecCase{"\"offen", std::nullopt},
                      ExecCase{"\"a\"b", std::nullopt}, ExecCase{R"("\\q")", std::nullopt},
                      ExecCase{R"(\q)", std::nullopt}, ExecCase{"a %", std::nullopt}));

TEST(ExecValue, QuotesAndEscapesEveryArgument)
{
    EXPECT_EQ(ExecValue(QStringLiteral("/bin/k"), {QStringLiteral("a\"b`c$d\\e%f"), QStringLiteral(" ")}),
              QStringLiteral(R"("/bin/k" "a\\"b\\`c\\$d\\\\e%%f" " ")"));
    EXPECT_FALSE(ExecValue(QStringLiteral("/bin/k"), {QStringLiteral("a\x7f")}));
}

} // namespace
