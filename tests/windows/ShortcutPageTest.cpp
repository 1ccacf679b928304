#include "MainWindowFixture.h"
#include "core/CommandLine.h"
#include "core/LauncherFile.h"
#include "mock/DesktopFileValidator.h"
#include "mock/TempDir.h"
#include "widgets/SoundPanel.h"
#include "widgets/UpDown.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

const QString kNotCreated = QStringLiteral("Verknüpfung konnte nicht ereugt werden");

/** The page "Verknüpfung" with the program file in a private folder whose name needs quoting. */
class ShortcutPage : public MainWindowFixture
{
protected:
    TempDir dir;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Pro gramme")));
        programPath = dir.file(QStringLiteral("Pro gramme/kelvaro"));
    }

    TEinst& editorOptions() { return einstellungen->EditorOptions(); }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    QStringList filesInDir() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
};

TEST_F(ShortcutPage, BrowseStartsInTheMenusLauncherFolderAndMakesIt)
{
    const QByteArray saved[] = {qgetenv("XDG_DATA_HOME"), qgetenv("HOME")};
    qputenv("HOME", QFile::encodeName(dir.file(QStringLiteral("heim"))));
    createAndShow();
    // Unset or relative (ignored by the base directory rules), the data folder is the one in the home folder.
    const QString inHome = dir.file(QStringLiteral("heim/.local/share/applications"));
    const std::pair<QString, QString> cases[] = {
        {dir.file(QStringLiteral("Da ten")), dir.file(QStringLiteral("Da ten/applications"))},
        {QString(), inHome},
        {QStringLiteral("rel"), inHome}};
    for (const auto& [dataHome, folder] : cases) {
        SCOPED_TRACE(dataHome.toStdString());
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
        fileDialogs.askedFolders.clear();
        fileDialogs.answers = {folder + QStringLiteral("/Tee.desktop"), QString()};
        click(ui().Button1);
        EXPECT_EQ(fileDialogs.askedFolders, QStringList{folder});
        EXPECT_TRUE(QFileInfo(folder).isDir());
        EXPECT_EQ(ui().Ed_LinkDatei->text(), folder + QStringLiteral("/Tee.desktop"));
        click(ui().Button1); // cancelled
        EXPECT_EQ(ui().Ed_LinkDatei->text(), folder + QStringLiteral("/Tee.desktop"));
    }
    EXPECT_EQ(fileDialogs.askedFilters.value(0), QStringLiteral("Verknüpfung (*.desktop)"));
    EXPECT_EQ(fileDialogs.askedSuffixes.value(0), QStringLiteral("desktop"));
    qputenv("XDG_DATA_HOME", saved[0]);
    qputenv("HOME", saved[1]);
}

TEST_F(ShortcutPage, EmptyPathOrMissingFolderIsRefusedWithAWarningAndLeavesNothing)
{
    createAndShow();
    for (const QString& path : {QString(), dir.file(QStringLiteral("fehlt/Tee.desktop"))}) {
        SCOPED_TRACE(path.toStdString());
        boxes.boxes.clear();
        ui().Ed_LinkDatei->setText(path);
        click(ui().Button3);
        EXPECT_TRUE(onlyBox(boxes, QStringLiteral("Warning"), kNotCreated));
        EXPECT_EQ(filesInDir(), QStringList{QStringLiteral("Pro gramme")});
    }
}

TEST_F(ShortcutPage, LauncherCarriesWhatTheEditorLeftWithoutOk)
{
    if (!desktopFileValidatorAvailable())
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
    createAndShow();
    editorOptions().SetNachricht(QStringLiteral("Tee ist 100% $fertig"));
    editorOptions().SetMinuten(5);
    editorOptions().SetSofortStart(true);
    QString shownMessage;
    modal.actions[QStringLiteral("Einstellungen")] = [&shownMessage](QDialog& dialog) {
        auto& editor = static_cast<TEinstellungen&>(dialog);
        shownMessage = editor.EditorOptions().GetNachricht();
        editor.Sound->UpDown3->stepUp();
        editor.Btn_Schliessen->click();
    };
    click(ui().Button2);
    EXPECT_EQ(shownMessage, QStringLiteral("Tee ist 100% $fertig")); // not reset before showing
    EXPECT_EQ(editorOptions().GetAnzBeeps(), 4);

    const QString path = dir.file(QStringLiteral("Tee Timer.desktop"));
    ui().Ed_LinkDatei->setText(path);
    click(ui().Button3);
    ASSERT_EQ(boxes.texts(), QStringList{QStringLiteral("Verknüpfung erfolgreich erzeugt")});
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Information"));
    const std::optional<QString> complaints = desktopFileComplaints(path);
    EXPECT_FALSE(complaints) << complaints.value_or(QString()).toStdString();

    const std::optional<QStringList> command = ReadLauncherCommand(path);
    ASSERT_TRUE(command && !command->isEmpty());
    EXPECT_EQ(command->constFirst(), programPath);
    TEinst started;
    RecordingMessageBoxes parserBoxes;
    ASSERT_TRUE(ParseCommandLine(started, ParametersFromArguments(*command), parserBoxes));
    TROptionen expected = editorOptions().options();
    expected.Name = started.GetName(); // the command line carries every setting but the name
    EXPECT_EQ(started.options(), expected);
}

} // namespace
