#include "MainWindowFixture.h"
#include "core/CommandLine.h"
#include "core/LauncherFile.h"
#include "mock/DesktopFileValidator.h"
#include "mock/TempDir.h"
#include "widgets/SoundPanel.h"
#include "widgets/UpDown.h"

#include <QDir>
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

TEST_F(ShortcutPage, BrowseAsksForALauncherFileInTheProgramsFolder)
{
    createAndShow();
    const QString chosen = dir.file(QStringLiteral("Tee.desktop"));
    fileDialogs.answers = {chosen, QString()};
    click(ui().Button1);
    EXPECT_EQ(fileDialogs.askedFilters, QStringList{QStringLiteral("Verknüpfung (*.desktop)")});
    EXPECT_EQ(fileDialogs.askedSuffixes, QStringList{QStringLiteral("desktop")});
    EXPECT_EQ(fileDialogs.askedFolders, QStringList{dir.file(QStringLiteral("Pro gramme"))});
    EXPECT_EQ(ui().Ed_LinkDatei->text(), chosen);

    click(ui().Button1); // cancelled
    EXPECT_EQ(ui().Ed_LinkDatei->text(), chosen);
}

TEST_F(ShortcutPage, BrowseWithoutTheProgramsFolderLeavesTheStartFolderToTheDialog)
{
    programPath = dir.file(QStringLiteral("entfernt/kelvaro"));
    createAndShow();
    click(ui().Button1);
    EXPECT_EQ(fileDialogs.askedFolders, QStringList{QString()});
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
