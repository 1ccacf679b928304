// Saving from the windows when the settings file cannot be written.

#include "MainWindowFixture.h"
#include "mock/FaultyFileCalls.h"
#include "mock/NumberedOptions.h"
#include "mock/TempDir.h"
#include "platform/FileRegistryStore.h"
#include "platform/SystemErrorText.h"

#include <QDir>
#include <QListWidget>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;
using Call = FaultyFileCalls::Call;

namespace {

struct StoreFailure
{
    Call call;
    int nth;
    int code;
};

/** The main window on a real settings file whose file calls can be made to fail. */
class SavingWithFaults : public MainWindowFixture, public testing::WithParamInterface<StoreFailure>
{
protected:
    TempDir dir;
    QString path = dir.file(QStringLiteral("registry.reg"));
    FaultyFileCalls calls;
    FileRegistryStore file{path, calls};
    QByteArray stored;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        registry = &file;
        // A default set and one preset the user saved earlier.
        numberedOptions(1).SaveToRegistry(file, 0);
        numberedOptions(2).SaveToRegistry(file, 1);
        stored = readAll(path);
    }

    void failStore()
    {
        calls.reset();
        calls.failAt(GetParam().call, GetParam().nth, GetParam().code, true);
    }

    /** The one box shown: the general error handler's, naming the system's reason. */
    void expectErrorBox()
    {
        ASSERT_EQ(boxes.boxes.size(), 1);
        EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Kelvaro"));
        EXPECT_TRUE(boxes.boxes[0].text.contains(systemErrorText(GetParam().code)))
            << boxes.boxes[0].text.toStdString();
        EXPECT_TRUE(boxes.boxes[0].text.endsWith(u'.'));
    }
};

TEST_P(SavingWithFaults, SaveButtonShowsTheErrorAndKeepsTheStoredSettings)
{
    createAndShow();
    main->CurrentOptions().SetNachricht(QStringLiteral("neu"));
    failStore();
    ui().Btn_Speichern->click();
    expectErrorBox();
    EXPECT_EQ(readAll(path), stored);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary file

    // The program goes on: the window still runs a countdown, and saving works once the disk does.
    setCountdown(0, 0, 5);
    ui().Btn_Start->click();
    EXPECT_TRUE(running());
    calls.reset();
    ui().Btn_Speichern->click();
    EXPECT_EQ(boxes.boxes.size(), 1);
    TEinst saved;
    saved.LoadFromRegistry(file, 0);
    EXPECT_EQ(saved.GetNachricht(), QStringLiteral("neu"));
}

TEST_P(SavingWithFaults, PresetChangeShowsTheErrorAndKeepsTheStoredSettings)
{
    createAndShow();
    ASSERT_EQ(ui().LBx_Presets->count(), 1);
    failStore();
    inputBox.answers = {QStringLiteral("Pizza")};
    modal.actions[QStringLiteral("Einstellungen")] = [](QDialog& dialog) {
        static_cast<TEinstellungen&>(dialog).Btn_OK->click();
    };
    ui().LBx_Presets->setCurrentRow(0);
    QTest::mouseClick(ui().Btn_Presets_Change, Qt::LeftButton);
    expectErrorBox();
    EXPECT_EQ(readAll(path), stored);
    // The page shows what it holds, so the user's next change stores it.
    EXPECT_EQ(ui().LBx_Presets->item(0)->text(), QStringLiteral("Pizza"));
}

INSTANTIATE_TEST_SUITE_P(Faults, SavingWithFaults,
                         testing::Values(StoreFailure{Call::Write, 1, ENOSPC}, StoreFailure{Call::Fsync, 1, EIO},
                                         StoreFailure{Call::MakeTemp, 1, EROFS}, StoreFailure{Call::Rename, 1, EIO}));

class SettingsPathIsAFolder : public MainWindowFixture
{
protected:
    TempDir dir;
    QString path = dir.file(QStringLiteral("registry.reg"));
    FileRegistryStore file{path};

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        registry = &file;
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("registry.reg")));
    }
};

TEST_F(SettingsPathIsAFolder, StartsWithDefaultsAndSavingShowsTheError)
{
    testing::internal::CaptureStderr();
    createAndShow();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(main->CurrentOptions().GetName(), QStringLiteral("Optionen"));

    ui().Btn_Speichern->click();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].text.contains(QStringLiteral("keine gewöhnliche Datei")))
        << boxes.boxes[0].text.toStdString();
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("registry.reg")});

    setCountdown(0, 0, 5);
    ui().Btn_Start->click();
    EXPECT_TRUE(running());
}

} // namespace
