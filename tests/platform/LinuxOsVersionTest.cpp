#include "platform/LinuxOsVersion.h"

#include "mock/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace kelvaro::test {
namespace {

struct OsReleaseCase
{
    const char* content;
    const char* prettyName;
};

class OsReleasePrettyName : public ::testing::TestWithParam<OsReleaseCase>
{};

TEST_P(OsReleasePrettyName, UndoesTheFileQuoting)
{
    EXPECT_EQ(LinuxOsVersion::prettyName(GetParam().content), QString::fromUtf8(GetParam().prettyName));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OsReleasePrettyName,
    ::testing::Values(
        OsReleaseCase{"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n",
                      "Debian GNU/Linux 12 (bookworm)"},
        OsReleaseCase{"PRETTY_NAME=Arch\n", "Arch"},
        OsReleaseCase{"PRETTY_NAME='Fedora Linux 40 (Workstation Edition)'\n", "Fedora Linux 40 (Workstation Edition)"},
        OsReleaseCase{"PRETTY_NAME=\"Say \\\"hi\\\" for \\$5 \\\\ \\`x\\` \\n\"\n", "Say \"hi\" for $5 \\ `x` \\n"},
        OsReleaseCase{"PRETTY_NAME=Plain\\ Name\n", "Plain Name"},
        OsReleaseCase{"PRETTY_NAME=\"Grün\"'s'\r\n", "Grüns"},
        OsReleaseCase{"# PRETTY_NAME=\"Comment\"\n  PRETTY_NAME = \"Spaced\"  \n", "Spaced"},
        OsReleaseCase{"PRETTY_NAME=\"First\"\nPRETTY_NAME=\"Second\"\n", "Second"},
        OsReleaseCase{"PRETTY_NAMES=\"Other\"\nXPRETTY_NAME=\"Other\"\n", ""},
        OsReleaseCase{"PRETTY_NAME=\"Unterminated\n", "Unterminated"}, OsReleaseCase{"PRETTY_NAME=\n", ""},
        OsReleaseCase{"", ""}));

TEST(LinuxOsVersion, NamesTheDistributionFromTheFirstReadableFileElseLinux)
{
    TempDir dir;
    const QString missing = dir.file(QStringLiteral("missing"));
    QFile file(dir.file(QStringLiteral("os-release")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("ID=debian\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
    file.close();

    EXPECT_EQ(LinuxOsVersion({missing, file.fileName()}).query().systemName,
              QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    EXPECT_EQ(LinuxOsVersion({missing}).query().systemName, QStringLiteral("Linux"));
}

struct KernelCase
{
    const char* release;
    KernelVersion version;
};

class KernelRelease : public ::testing::TestWithParam<KernelCase>
{};

TEST_P(KernelRelease, GivesMajorMinorAndPatch)
{
    EXPECT_EQ(LinuxOsVersion::kernelVersion(QString::fromUtf8(GetParam().release)), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(Cases, KernelRelease,
                         ::testing::Values(KernelCase{"6.1.0-27-amd64", {6, 1, 0}},
                                           KernelCase{"5.15.153.1-microsoft-standard-WSL2", {5, 15, 153}},
                                           KernelCase{"6.10.3-arch1-2", {6, 10, 3}}, KernelCase{"6.9-rc1", {6, 9, 0}},
                                           KernelCase{"4.19", {4, 19, 0}}, KernelCase{"6", {6, 0, 0}},
                                           KernelCase{"6.1.0rc5", {6, 1, 0}}, KernelCase{"", {0, 0, 0}},
                                           KernelCase{"abc", {0, 0, 0}}, KernelCase{"99999999999.2.3", {0, 2, 3}}));

} // namespace
} // namespace kelvaro::test
