#include "windows/TDeinstallation.h"

#include "mock/MemoryRegistryStore.h"
#include "mock/QtPrinters.h"
#include "core/ScheduleBook.h"
#include "core/TEinst.h"
#include "mock/RecordingMessageBoxes.h"
#include "mock/RecordingServiceManager.h"
#include "mock/TempDir.h"
#include "platform/FileRegistryStore.h"
#include "platform/ProcessExit.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace kelvaro::test {
namespace {

const QString kQuestion = QStringLiteral("Sollen alle Kelvaro Registry Einträge gelöscht werden?");
const QString kRemoved = QStringLiteral("Registry Einträge wurden gelöscht.\n\rKelvaro wird nun beendet.");

/** A default set with two presets, as the program stores them. */
RegistryTree storedSettings()
{
    RegistryTree tree;
    tree.createKey(kMainKey);
    tree.setValue(kMainKey, QStringLiteral("Aktion"), RegValue::fromDword(1));
    tree.setValue(kMainKey, QStringLiteral("Nachricht"), RegValue::sz(QStringLiteral("Tee")));
    for (const char* preset : {"001", "002"}) {
        const QString key = kMainKey + u'\\' + QLatin1String(preset);
        tree.createKey(key);
        tree.setValue(key, QStringLiteral("Name"), RegValue::sz(QLatin1String(preset)));
    }
    return tree;
}

class Deinstallation : public ::testing::Test
{
protected:
    MemoryRegistryStore store;
    RecordingMessageBoxes boxes;
    QList<int> exitCodes;
    int closings = 0;
    TDeinstallation dialog{store, boxes, [this](int code) {
                               exitCodes << code;
                           }};

    void SetUp() override
    {
        store.tree = storedSettings();
        dialog.setOnClose([this] { ++closings; });
        dialog.show();
    }

    void TearDown() override { dialog.hide(); }

    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(QLatin1String(name)); }
    void clickRemove() { QTest::mouseClick(button("Btn_Deinstallieren"), Qt::LeftButton); }
};

TEST_F(Deinstallation, NoLeavesEverythingAsItIs)
{
    boxes.answers = {false};
    clickRemove();
    EXPECT_EQ(boxes.texts(), QStringList{kQuestion});
    EXPECT_TRUE(store.tree == storedSettings());
    EXPECT_EQ(store.updates, 0);
    EXPECT_TRUE(exitCodes.isEmpty());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(Deinstallation, YesRemovesEverythingInOneUpdateAndEndsWithCode1)
{
    clickRemove();
    ASSERT_EQ(boxes.boxes.size(), 2);
    EXPECT_TRUE(boxes.boxes[0].question);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(boxes.boxes[1].text, kRemoved);
    EXPECT_EQ(boxes.boxes[1].caption, QStringLiteral("Information"));
    EXPECT_FALSE(boxes.boxes[1].question);

    EXPECT_EQ(store.updates, 1);
    EXPECT_FALSE(store.tree.keyExists(kMainKey + QStringLiteral("\\001")));
    EXPECT_FALSE(store.tree.keyExists(kMainKey));
    EXPECT_FALSE(store.tree.keyExists(QStringLiteral("Software"))); // nothing else was in it
    EXPECT_TRUE(store.tree.isEmpty());
    EXPECT_EQ(exitCodes, QList<int>{1});
    EXPECT_EQ(closings, 0); // the program ends without the dialog's close handling
}

TEST_F(Deinstallation, KeysOfOtherProgramsStay)
{
    store.tree.createKey(QStringLiteral("Software\\Andere"));
    clickRemove();
    EXPECT_FALSE(store.tree.keyExists(kMainKey));
    EXPECT_TRUE(store.tree.keyExists(QStringLiteral("Software\\Andere")));
}

TEST_F(Deinstallation, YesWithoutStoredSettingsStillTellsAndEnds)
{
    store.tree = RegistryTree();
    clickRemove();
    EXPECT_EQ(boxes.texts(), (QStringList{kQuestion, kRemoved}));
    EXPECT_EQ(store.updates, 0); // nothing to remove, nothing written
    EXPECT_EQ(exitCodes, QList<int>{1});
}

TEST_F(Deinstallation, FailedRemovalIsReportedAndTheProgramGoesOn)
{
    store.failWrites = true;
    clickRemove();
    ASSERT_EQ(boxes.boxes.size(), 2);
    EXPECT_EQ(boxes.boxes[1].caption, QStringLiteral("Error"));
    EXPECT_TRUE(boxes.boxes[1].text.contains(QStringLiteral("Schreiben nicht möglich")));
    EXPECT_TRUE(exitCodes.isEmpty());
    EXPECT_TRUE(store.tree == storedSettings());
    EXPECT_TRUE(dialog.isVisible());
}

// Schedules are named and go first; one the service manager keeps leaves the settings as they are.
TEST_F(Deinstallation, RemovesTheSchedulesBeforeTheSettings)
{
    TempDir folder;
    RecordingServiceManager manager;
    ScheduleBook book(folder.path(), manager);
    for (const char* id : {"1", "2"})
        ASSERT_FALSE(book.add(Schedule::of(QLatin1String(id), QStringLiteral("*-*-* 23:00:00"), TEinst()),
                              QStringLiteral("/usr/bin/kelvaro")));
    dialog.setSchedules(&book);
    dialog.hide();
    dialog.show();
    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("Label3"))->text().contains(folder.path()));

    manager.refuse = QStringLiteral("stop kelvaro-2");
    clickRemove();
    EXPECT_EQ(boxes.boxes.size(), 2);
    EXPECT_EQ(boxes.boxes[1].caption, QStringLiteral("Error"));
    EXPECT_EQ(book.schedules().size(), 1);
    EXPECT_TRUE(store.tree == storedSettings());
    EXPECT_TRUE(exitCodes.isEmpty());

    manager.refuse.clear();
    clickRemove();
    EXPECT_TRUE(book.schedules().isEmpty());
    EXPECT_TRUE(store.tree.isEmpty());
    EXPECT_EQ(exitCodes, QList<int>{1});
}

TEST_F(Deinstallation, OkDoesNothing)
{
    QTest::mouseClick(button("Btn_OK"), Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(closings, 0);
    EXPECT_TRUE(boxes.boxes.isEmpty());
    EXPECT_EQ(store.updates, 0);
}

TEST_F(Deinstallation, EveryWayOfClosingRunsTheCloseHandling)
{
    const std::function<void()> ways[] = {
        [this] { QTest::mouseClick(button("Btn_Abbruch"), Qt::LeftButton); },
        [this] { dialog.close(); }, // the close box
        [this] { QTest::keyClick(&dialog, Qt::Key_Escape); },
    };
    for (const auto& closeIt : ways) {
        const int before = closings;
        dialog.show();
        closeIt();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(closings, before + 1);
    }
    EXPECT_TRUE(store.tree == storedSettings());
}

TEST(DeinstallationPlace, NamesTheSettingsFileTheStoreUsesInFull)
{
    RecordingMessageBoxes boxes;
    const QString deep = QStringLiteral("/sehr/tief/verschachtelte/Ordner/mit/langen/Namen/kelvaro/registry.reg");
    for (const QString& path : {FileRegistryStore::defaultPath(), QStringLiteral("relativ/registry.reg"), deep}) {
        SCOPED_TRACE(path.toStdString());
        FileRegistryStore store(path);
        TDeinstallation dialog(store, boxes, [](int) {});
        const auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label3"));
        ASSERT_TRUE(label);
        EXPECT_EQ(label->text(), QStringLiteral("in der Einstellungsdatei ") + QFileInfo(path).absoluteFilePath());
        // A long path takes more lines, and the dialog grows to show them above its buttons.
        EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        EXPECT_LT(label->mapTo(&dialog, QPoint(0, label->height())).y(),
                  dialog.findChild<QPushButton*>(QStringLiteral("Btn_OK"))->y());
    }
}

/** Runs `child` in a forked process and returns its wait status. */
int runInChild(const std::function<void()>& child)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        child();
        ::_exit(3); // the child should have ended itself
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return status;
}

TEST(DeinstallationProcess, EndsTheProgramAtOnceWithCode1AndLeavesNoSettings)
{
    TempDir dir;
    const QString storePath = dir.file(QStringLiteral("registry.reg"));
    const QString output = dir.file(QStringLiteral("output"));
    {
        FileRegistryStore store(storePath);
        ASSERT_TRUE(store.update([](RegistryTree& t) { t = storedSettings(); }));
    }

    const int status = runInChild([&] {
        static FileRegistryStore store(storePath);
        const auto writeBack = [] {
            store.update([](RegistryTree& t) { t.createKey(kMainKey); });
        };
        std::atexit(writeBack);
        RecordingMessageBoxes boxes; // answers Yes
        // Buffered output must reach its file; no exit handler, destructor or close handler may run.
        FILE* out = std::fopen(QFile::encodeName(output).constData(), "w");
        std::fputs("vor dem Ende", out);
        const std::unique_ptr<void, void (*)(void*)> writesWhenDestroyed(
            &store, [](void*) { store.update([](RegistryTree& t) { t.createKey(kMainKey); }); });
        TDeinstallation dialog(store, boxes, [](int code) { exitImmediately(code); });
        dialog.setOnClose(writeBack);
        dialog.show();
        dialog.findChild<QPushButton*>(QStringLiteral("Btn_Deinstallieren"))->click();
    });

    ASSERT_TRUE(WIFEXITED(status)) << "wait status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const RegistryTree left = FileRegistryStore(storePath).load();
    EXPECT_FALSE(left.keyExists(kMainKey));
    EXPECT_FALSE(left.keyExists(QStringLiteral("Software")));
    EXPECT_TRUE(left.isEmpty());
    QFile outputFile(output);
    ASSERT_TRUE(outputFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(outputFile.readAll()), QStringLiteral("vor dem Ende"));
}

} // namespace
} // namespace kelvaro::test
