#include "platform/FileRegistryStore.h"

#include "StoreFiles.h"
#include "core/RegFileFormat.h"
#include "mock/TempDir.h"
#include "platform/SystemErrorText.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <grp.h>

using namespace kelvaro;
using namespace kelvaro::test;
using kelvaro::test::readAll;
using kelvaro::test::TempDir;
using kelvaro::test::writeFile;

namespace {

QString u16(const char16_t* text)
{
    return QString::fromUtf16(text);
}

mode_t modeOf(const QString& path)
{
    struct stat info = {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_mode & 07777;
}

QStringList backupsIn(const TempDir& dir)
{
    return QDir(dir.path())
        .entryList({QStringLiteral("registry.reg.broken-*")}, QDir::Files | QDir::Hidden, QDir::Name);
}

TEST(FileRegistryStore, DefaultPathFollowsTheEnvironment)
{
    const char* const names[] = {"HOME", "KELVARO_REGISTRY", "XDG_CONFIG_HOME"};
    QList<QByteArray> saved;
    for (const char* name : names)
        saved << qgetenv(name);
    const char* const cases[][4] = {
        // HOME, KELVARO_REGISTRY, XDG_CONFIG_HOME, expected
        {"/home/anna", "/srv/k.reg", "/cfg", "/srv/k.reg"},
        {"/home/anna", "", "/cfg/", "/cfg/kelvaro/registry.reg"},
        {"/home/anna", "", "", "/home/anna/.config/kelvaro/registry.reg"},
        {"/home/anna", "", "cfg", "/home/anna/.config/kelvaro/registry.reg"}, // relative: ignored
    };
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i)
            qputenv(names[i], c[i]);
        EXPECT_EQ(FileRegistryStore::defaultPath().toStdString(), c[3]);
    }
    for (int i = 0; i < 3; ++i)
        qputenv(names[i], saved[i]);
}

// ---------------------------------------------------------------------------------------------

TEST(FileRegistryStore, MissingFileLoadsEmptyAndCreatesNothing)
{
    TempDir dir;
    EXPECT_TRUE(FileRegistryStore(dir.file(QStringLiteral("sub/registry.reg"))).load().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("sub"))));
}

TEST(FileRegistryStore, UpdatesBuildOnTheStoredContentInAPrivateFile)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("a/b/registry.reg"));
    QString error;
    ASSERT_TRUE(FileRegistryStore(path).update(setText(QStringLiteral("Name"), u16(u"Tee süß")), &error))
        << error.toStdString();
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    ASSERT_TRUE(FileRegistryStore(path).update(setText(QStringLiteral("Zweiter"), QStringLiteral("x")), &error));

    const RegistryTree tree = FileRegistryStore(path).load();
    EXPECT_EQ(tree.value(kMainKey, QStringLiteral("Name")), RegValue::sz(u16(u"Tee süß")));
    EXPECT_EQ(tree.value(kMainKey, QStringLiteral("Zweiter")), RegValue::sz(QStringLiteral("x")));
    EXPECT_EQ(readAll(path), RegFileFormat::write(tree));
    EXPECT_EQ(modeOf(dir.file(QStringLiteral("a"))), 0700u);
    EXPECT_EQ(modeOf(dir.file(QStringLiteral("a/b"))), 0700u);
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(filesIn(dir.file(QStringLiteral("a/b"))), kFileAndLock);

    // A name the file cannot hold is refused and the file stays as it was.
    EXPECT_FALSE(FileRegistryStore(path).update(setText(QStringLiteral("x\ny"), QStringLiteral("b")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path), RegFileFormat::write(tree));
}

class FileRegistryStoreBroken : public testing::TestWithParam<QByteArray>
{};

TEST_P(FileRegistryStoreBroken, IsMovedAsideAndReadsEmpty)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("registry.reg"));
    writeFile(path, GetParam());
    FileRegistryStore store(path);

    testing::internal::CaptureStderr();
    EXPECT_TRUE(store.load().isEmpty());
    const std::string output = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(QFile::exists(path));
    QStringList backups = backupsIn(dir);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(readAll(dir.file(backups[0])), GetParam());
    EXPECT_NE(output.find(backups[0].toStdString()), std::string::npos) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;

    // The next broken file, found by an update within the same second, gets a backup of its own;
    // the update then starts from an empty tree.
    writeFile(path, "kaputt");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(store.update(setText(QStringLiteral("Neu"), QStringLiteral("1"))));
    testing::internal::GetCapturedStderr();
    RegistryTree expected;
    setText(QStringLiteral("Neu"), QStringLiteral("1"))(expected);
    EXPECT_TRUE(store.load() == expected);
    backups = backupsIn(dir);
    ASSERT_EQ(backups.size(), 2);
    EXPECT_EQ(QSet<QByteArray>({readAll(dir.file(backups[0])), readAll(dir.file(backups[1]))}),
              QSet<QByteArray>({GetParam(), "kaputt"}));
}

const QByteArray kValidFile = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kelvaro]\n\"Name\"=\"Tee\"\n";

INSTANTIATE_TEST_SUITE_P(Files, FileRegistryStoreBroken,
                         testing::Values(QByteArray(), QByteArray("\x89PNG\r\n\x1a\n\0\0\xff", 11),
                                         kValidFile.left(kValidFile.size() - 4), QByteArray("[General]\nName=Tee\n"),
                                         QByteArray("\xff\xfeW\0i\0n\0", 8)));

// ---------------------------------------------------------------------------------------------

/** A store whose process dies after the temporary file is complete, before it replaces the file. */
class CrashingStore : public FileRegistryStore
{
public:
    using FileRegistryStore::FileRegistryStore;

protected:
    void aboutToReplace(const QString& tempPath) override
    {
        // Exit 3 proves the hook ran with a complete temporary file next to the file.
        const std::optional<RegistryTree> written = RegFileFormat::parse(readAll(tempPath));
        ::_exit(written && written->value(kMainKey, QStringLiteral("Neu")) ? 3 : 4);
    }
};

TEST(FileRegistryStore, CrashBeforeRenameLeavesThePreviousContent)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("registry.reg"));
    ASSERT_TRUE(FileRegistryStore(path).update(setText(QStringLiteral("Alt"), QStringLiteral("1"))));
    const QByteArray before = readAll(path);

    EXPECT_EQ(inChild([&] { return CrashingStore(path).update(setText(QStringLiteral("Neu"), QStringLiteral("2"))); }),
              3);

    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(FileRegistryStore(path).load().value(kMainKey, QStringLiteral("Alt")), RegValue::sz(QStringLiteral("1")));
    // The lock died with the process: the next update goes through.
    EXPECT_TRUE(FileRegistryStore(path).update(setText(QStringLiteral("Neu"), QStringLiteral("3"))));
}

TEST(FileRegistryStore, UnwritableFolderFailsWithAMessageAndKeepsTheFile)
{
    TempDir dir;
    const QString folder = dir.file(QStringLiteral("store"));
    const QString path = folder + QStringLiteral("/registry.reg");
    ASSERT_TRUE(FileRegistryStore(path).update(setText(QStringLiteral("Alt"), QStringLiteral("1"))));
    const QByteArray before = readAll(path);

    // Readable for everyone, writable for no one but the lock file. Root ignores permissions, so
    // then the child gives up its privileges first.
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path + QStringLiteral(".lock")).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    // The stored settings still load; an update fails because no temporary file can be made or,
    // without a lock file, because the lock cannot be made.
    const auto updateAsUser = [&](const QString& expectedText) {
        return inChild([&] {
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                return false;
            FileRegistryStore store(path);
            QString error;
            const bool loaded =
                store.load().value(kMainKey, QStringLiteral("Alt")) == RegValue::sz(QStringLiteral("1"));
            const bool updated = store.update(setText(QStringLiteral("Neu"), QStringLiteral("2")), &error);
            const bool expected =
                loaded && !updated && error.contains(systemErrorText(EACCES)) && error.contains(expectedText);
            if (!expected)
                std::fprintf(stderr, "loaded: %d, update: %d, error: %s\n", loaded, updated, qPrintable(error));
            return expected;
        });
    };
    EXPECT_EQ(updateAsUser(QStringLiteral("Temporäre Datei in ") + folder), 0);
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(filesIn(folder), kFileAndLock);

    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0700), 0);
    ASSERT_TRUE(QFile::remove(path + QStringLiteral(".lock")));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    EXPECT_EQ(updateAsUser(QStringLiteral("Sperrdatei ") + path), 0);
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(filesIn(folder), QStringList{QStringLiteral("registry.reg")});
}

} // namespace
