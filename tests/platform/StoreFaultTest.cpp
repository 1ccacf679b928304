// The settings store under faults of the file system: a full disk, failing writes and renames, a
// read-only place, links and folders where the file should be.

#include "StoreFiles.h"
#include "core/RegFileFormat.h"
#include "mock/FaultyFileCalls.h"
#include "mock/TempDir.h"
#include "platform/FileRegistryStore.h"
#include "platform/SystemErrorText.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

using namespace kelvaro;
using namespace kelvaro::test;
using Call = FaultyFileCalls::Call;

namespace {

bool isLink(const QString& path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

void makeLink(const QString& target, const QString& link)
{
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
}

// ---------------------------------------------------------------------------------------------
// Failing calls while the file is replaced

/** A stored file, on file calls that the test makes fail. */
class StoredFile : public testing::Test
{
protected:
    TempDir dir;
    const QString path = dir.file(QStringLiteral("registry.reg"));
    FaultyFileCalls calls;
    FileRegistryStore store{path, calls};
    QByteArray before;

    void SetUp() override
    {
        // Long enough for several of the short writes, so a write can fail in the middle of the file.
        ASSERT_TRUE(store.update(setText(QStringLiteral("Nachricht"), QString(200, u'x'))));
        ASSERT_TRUE(store.update(setText(QStringLiteral("Name"), QStringLiteral("Tee"))));
        before = readAll(path);
        calls.reset();
    }
};

struct WriteFault
{
    Call call;
    /** Which call of its kind fails. With a stored file an update opens the lock (1), the file (2)
     *  and the folder (3), and closes the file (1), the temporary file (2), the folder and the lock;
     *  it looks at the folder (stat 1) before the file (stat 2). */
    int nth;
    int code;
    /** What the message says besides the system's reason. */
    const char* message;
};

class StoreWriteFault : public StoredFile, public testing::WithParamInterface<WriteFault>
{};

TEST_P(StoreWriteFault, FailsWithAMessageAndLeavesTheFileAsItWas)
{
    const RegistryTree stored = store.load();
    const WriteFault fault = GetParam();
    calls.reset();
    calls.shortWrites = true;
    calls.failAt(fault.call, fault.nth, fault.code);
    QString error;
    EXPECT_FALSE(store.update(setText(QStringLiteral("Nachricht"), QStringLiteral("neu")), &error));
    EXPECT_GE(calls.count(fault.call), fault.nth) << "the fault was never reached";
    EXPECT_TRUE(error.contains(QString::fromUtf8(fault.message))) << error.toStdString();
    EXPECT_TRUE(error.contains(systemErrorText(fault.code))) << error.toStdString();

    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(entriesIn(dir.path()), kFileAndLock); // no temporary file is left
    EXPECT_TRUE(store.load() == stored);

    // Once the disk works again, so does the store.
    calls.reset();
    ASSERT_TRUE(store.update(setText(QStringLiteral("Nachricht"), QStringLiteral("neu")), &error))
        << error.toStdString();
    EXPECT_EQ(store.load().value(kMainKey, QStringLiteral("Nachricht")), RegValue::sz(QStringLiteral("neu")));
    EXPECT_EQ(entriesIn(dir.path()), kFileAndLock);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StoreWriteFault,
    testing::Values(WriteFault{Call::Write, 1, ENOSPC, "registry.reg kann nicht geschrieben werden"},
                    WriteFault{Call::Write, 4, ENOSPC, "registry.reg kann nicht geschrieben werden"},
                    WriteFault{Call::Write, 2, EDQUOT, "registry.reg kann nicht geschrieben werden"},
                    WriteFault{Call::Fsync, 1, EIO, "registry.reg kann nicht geschrieben werden"},
                    WriteFault{Call::Close, 2, EIO, "registry.reg kann nicht geschrieben werden"},
                    WriteFault{Call::Rename, 1, EIO, "registry.reg kann nicht ersetzt werden"},
                    WriteFault{Call::Rename, 1, ENOSPC, "registry.reg kann nicht ersetzt werden"},
                    WriteFault{Call::MakeTemp, 1, ENOSPC, "Temporäre Datei in"},
                    // A folder that became read-only, for this user or as a whole file system.
                    WriteFault{Call::MakeTemp, 1, EACCES, "Temporäre Datei in"},
                    WriteFault{Call::MakeTemp, 1, EROFS, "Temporäre Datei in"},
                    WriteFault{Call::Open, 1, EROFS, "Sperrdatei"},
                    WriteFault{Call::Open, 2, EIO, "registry.reg kann nicht geöffnet werden"},
                    WriteFault{Call::Lstat, 1, EACCES, "registry.reg kann nicht geprüft werden"},
                    WriteFault{Call::Stat, 1, EIO, "kann nicht geprüft werden"},
                    WriteFault{Call::Stat, 2, EACCES, "registry.reg kann nicht geöffnet werden"},
                    WriteFault{Call::Flock, 1, ENOLCK, "registry.reg.lock kann nicht gesperrt werden"},
                    WriteFault{Call::Fstat, 1, EIO, "registry.reg kann nicht geprüft werden"},
                    WriteFault{Call::Read, 1, EIO, "registry.reg kann nicht gelesen werden"},
                    WriteFault{Call::Fchmod, 1, EPERM, "registry.reg kann nicht geschrieben werden"}));

TEST_F(StoredFile, ATemporaryFileThatCannotBeRemovedGoesWithTheNextUpdate)
{
    calls.failAt(Call::Write, 1, ENOSPC);
    calls.failAt(Call::Unlink, 1, EIO);
    QString error;
    EXPECT_FALSE(store.update(setText(QStringLiteral("Name"), QStringLiteral("Kaffee")), &error));
    EXPECT_TRUE(error.contains(systemErrorText(ENOSPC))) << error.toStdString(); // the first fault is told
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(entriesIn(dir.path()).size(), kFileAndLock.size() + 1);

    calls.reset();
    ASSERT_TRUE(store.update(setText(QStringLiteral("Name"), QStringLiteral("Kaffee")), &error)) << error.toStdString();
    EXPECT_EQ(entriesIn(dir.path()), kFileAndLock);
    EXPECT_EQ(store.load().value(kMainKey, QStringLiteral("Name")), RegValue::sz(QStringLiteral("Kaffee")));
}

TEST_F(StoredFile, AFileThatCannotBeReadLoadsEmptyWithOneLineAndIsKept)
{
    const QStringList entries = entriesIn(dir.path());

    const std::pair<Call, const char*> faults[] = {{Call::Lstat, "kann nicht geprüft werden"},
                                                   {Call::Open, "kann nicht geöffnet werden"},
                                                   {Call::Fstat, "kann nicht geprüft werden"},
                                                   {Call::Read, "kann nicht gelesen werden"}};
    for (const auto& [call, message] : faults) {
        calls.reset();
        calls.failAt(call, 1, EIO);
        testing::internal::CaptureStderr();
        EXPECT_TRUE(store.load().isEmpty());
        const QString output = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_EQ(output.count(u'\n'), 1) << output.toStdString();
        EXPECT_TRUE(output.contains(QString::fromUtf8(message)) && output.contains(systemErrorText(EIO)))
            << output.toStdString();
        EXPECT_EQ(readAll(path), before); // not taken for a broken file and moved aside
        EXPECT_EQ(entriesIn(dir.path()), entries);
    }
    calls.reset();
    EXPECT_EQ(store.load().value(kMainKey, QStringLiteral("Name")), RegValue::sz(QStringLiteral("Tee")));
}

TEST(StoreFault, ReadOnlyPlaceForANewFileCreatesNothing)
{
    TempDir dir;
    FaultyFileCalls calls;
    QString error;

    // The settings folder is missing and cannot be made.
    calls.failAt(Call::Mkdir, 1, EROFS);
    EXPECT_FALSE(FileRegistryStore(dir.file(QStringLiteral("kelvaro/registry.reg")), calls)
                     .update(setText(QStringLiteral("Name"), QStringLiteral("Tee")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("kann nicht angelegt werden: ") + systemErrorText(EROFS)))
        << error.toStdString();
    EXPECT_TRUE(entriesIn(dir.path()).isEmpty());

    // The folder exists, but neither the lock nor the file can be created in it.
    calls.reset();
    calls.failAt(Call::Open, 1, EACCES);
    calls.failAt(Call::MakeTemp, 1, EACCES);
    error.clear();
    EXPECT_FALSE(FileRegistryStore(dir.file(QStringLiteral("registry.reg")), calls)
                     .update(setText(QStringLiteral("Name"), QStringLiteral("Tee")), &error));
    EXPECT_TRUE(error.contains(systemErrorText(EACCES))) << error.toStdString();
    EXPECT_TRUE(entriesIn(dir.path()).isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Links and folders at the settings path

TEST(StoreFault, ThroughALinkTheTargetIsReplacedAndTheLinkKept)
{
    TempDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("real")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("config")));
    const QString link = dir.file(QStringLiteral("config/registry.reg"));
    const QString target = dir.file(QStringLiteral("real/settings.reg"));
    makeLink(QStringLiteral("../real/settings.reg"), link); // relative to the link's folder
    FileRegistryStore store(link);

    // A link to nothing reads as nothing stored; the first update creates the target.
    testing::internal::CaptureStderr();
    EXPECT_TRUE(store.load().isEmpty());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    QString error;
    ASSERT_TRUE(store.update(setText(QStringLiteral("Name"), QStringLiteral("Tee")), &error)) << error.toStdString();
    ASSERT_TRUE(store.update(setText(QStringLiteral("Zweiter"), QStringLiteral("2")), &error)) << error.toStdString();

    EXPECT_TRUE(isLink(link));
    EXPECT_EQ(QFile::symLinkTarget(link), target);
    EXPECT_EQ(entriesIn(dir.file(QStringLiteral("config"))), QStringList{QStringLiteral("registry.reg")});
    EXPECT_EQ(entriesIn(dir.file(QStringLiteral("real"))),
              (QStringList{QStringLiteral("settings.reg"), QStringLiteral("settings.reg.lock")}));
    const RegistryTree tree = store.load();
    EXPECT_EQ(tree.value(kMainKey, QStringLiteral("Name")), RegValue::sz(QStringLiteral("Tee")));
    EXPECT_EQ(tree.value(kMainKey, QStringLiteral("Zweiter")), RegValue::sz(QStringLiteral("2")));
    EXPECT_EQ(readAll(target), RegFileFormat::write(tree));
    EXPECT_TRUE(FileRegistryStore(target).load() == tree); // the same file, directly

    // A broken target is moved aside beside it; the link stays.
    writeFile(target, "kaputt");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(store.load().isEmpty());
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(isLink(link));
    EXPECT_FALSE(QFile::exists(target));
    const QStringList backups =
        QDir(dir.file(QStringLiteral("real"))).entryList({QStringLiteral("settings.reg.broken-*")}, QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(readAll(dir.file(QStringLiteral("real/") + backups[0])), "kaputt");
}

TEST(StoreFault, ALinkIntoAMissingFolderFailsAndCreatesNothing)
{
    TempDir dir;
    const QString link = dir.file(QStringLiteral("registry.reg"));
    makeLink(dir.file(QStringLiteral("media/stick/registry.reg")), link);
    FileRegistryStore store(link);

    EXPECT_TRUE(store.load().isEmpty());
    QString error;
    EXPECT_FALSE(store.update(setText(QStringLiteral("Name"), QStringLiteral("Tee")), &error));
    EXPECT_TRUE(error.contains(dir.file(QStringLiteral("media/stick")))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("existiert nicht"))) << error.toStdString();
    EXPECT_EQ(entriesIn(dir.path()), QStringList{QStringLiteral("registry.reg")});
    EXPECT_TRUE(isLink(link));
}

/** What stands at the settings path instead of a file. */
enum class NoFile { Folder, LinkToFolder, LinkLoop, SelfLink };

class StoreNoFile : public testing::TestWithParam<NoFile>
{};

TEST_P(StoreNoFile, ReadsEmptyWithOneLineAndRefusesUpdatesTouchingNothing)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("registry.reg"));
    switch (GetParam()) {
    case NoFile::Folder:
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("registry.reg")));
        writeFile(dir.file(QStringLiteral("registry.reg/inside")), "x");
        break;
    case NoFile::LinkToFolder:
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        makeLink(QStringLiteral("folder"), path);
        break;
    case NoFile::LinkLoop:
        makeLink(QStringLiteral("other.reg"), path);
        makeLink(QStringLiteral("registry.reg"), dir.file(QStringLiteral("other.reg")));
        break;
    case NoFile::SelfLink:
        makeLink(QStringLiteral("registry.reg"), path);
        break;
    }
    const QStringList before = entriesIn(dir.path());
    FileRegistryStore store(path);

    testing::internal::CaptureStderr();
    EXPECT_TRUE(store.load().isEmpty());
    const std::string output = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;

    QString error;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.update(setText(QStringLiteral("Name"), QStringLiteral("Tee")), &error));
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(entriesIn(dir.path()), before); // no lock, no temporary file, no backup
    if (GetParam() == NoFile::Folder) {
        EXPECT_EQ(entriesIn(path), QStringList{QStringLiteral("inside")});
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, StoreNoFile,
                         testing::Values(NoFile::Folder, NoFile::LinkToFolder, NoFile::LinkLoop, NoFile::SelfLink));

// ---------------------------------------------------------------------------------------------
// Temporary files of writers that died

/** A store whose process dies with the temporary file written, before it replaces the file. */
class DyingStore : public FileRegistryStore
{
public:
    using FileRegistryStore::FileRegistryStore;

protected:
    void aboutToReplace(const QString&) override { ::_exit(3); }
};

TEST(StoreFault, TemporaryFilesOfDeadWritersAreRemovedByTheNextUpdate)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("registry.reg"));
    ASSERT_TRUE(FileRegistryStore(path).update(setText(QStringLiteral("Alt"), QStringLiteral("1"))));
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(inChild([&] { return DyingStore(path).update(setText(QStringLiteral("Neu"), QStringLiteral("2"))); }),
                  3);
    // Each writer removed what the one before left: one temporary file, not three.
    EXPECT_EQ(entriesIn(dir.path()).size(), kFileAndLock.size() + 1) << entriesIn(dir.path()).join(u' ').toStdString();

    // Files that only look similar are not the store's and stay.
    const QStringList foreign = {
        QStringLiteral(".registry.reg.backup"),      QStringLiteral(".registry.reg.Abc123"),
        QStringLiteral(".registry.reg.tmp-backup1"), QStringLiteral(".registry.reg.tmp-ab-123"),
        QStringLiteral(".registry.reg.tmp-kurz"),    QStringLiteral("registry.reg.tmp-Abc123"),
        QStringLiteral(".other.reg.tmp-Abc123")};
    for (const QString& name : foreign)
        writeFile(dir.file(name), "fremd");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral(".registry.reg.tmp-Dir123")));
    makeLink(QStringLiteral("registry.reg"), dir.file(QStringLiteral(".registry.reg.tmp-Lnk123")));

    ASSERT_TRUE(FileRegistryStore(path).update(setText(QStringLiteral("Neu"), QStringLiteral("3"))));
    QStringList expected = kFileAndLock + foreign;
    expected << QStringLiteral(".registry.reg.tmp-Dir123") << QStringLiteral(".registry.reg.tmp-Lnk123");
    std::sort(expected.begin(), expected.end());
    QStringList entries = entriesIn(dir.path());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(FileRegistryStore(path).load().value(kMainKey, QStringLiteral("Neu")), RegValue::sz(QStringLiteral("3")));
}

} // namespace
