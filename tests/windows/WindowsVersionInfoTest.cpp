#include "windows/WindowsVersionInfo.h"

#include "mock/FakeOsVersionQuery.h"

#include <gtest/gtest.h>

namespace kelvaro::test {
namespace {

struct NamingRow
{
    quint32 platform;
    quint32 major;
    quint32 minor;
    const char* name;
};

class WindowsNaming : public ::testing::TestWithParam<NamingRow>
{};

TEST_P(WindowsNaming, NamesEveryRowOfTheTable)
{
    const NamingRow& row = GetParam();
    EXPECT_EQ(WindowsOsName(row.platform, row.major, row.minor), QString::fromUtf8(row.name));
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowsNaming,
    ::testing::Values(NamingRow{0, 3, 11, "Win32s für Windows 3.x"}, NamingRow{0, 0, 0, "Win32s für Windows 3.x"},
                      // Only the minor version names a member of the 95/98/ME family.
                      NamingRow{1, 4, 0, "Windows 95"}, NamingRow{1, 7, 0, "Windows 95"},
                      NamingRow{1, 4, 10, "Windows 98"}, NamingRow{1, 4, 90, "Windows ME"},
                      NamingRow{1, 4, 3, "Windows 9x kompatibel"}, NamingRow{1, 4, 11, "Windows 9x kompatibel"},
                      NamingRow{2, 3, 51, "Windows NT 3.51"}, NamingRow{2, 3, 10, "Windows NT 3.10"},
                      NamingRow{2, 3, 5, "Windows NT 3.5"}, NamingRow{2, 4, 0, "Windows NT 4.0"},
                      NamingRow{2, 4, 7, "Windows NT 4.0"}, NamingRow{2, 5, 0, "Windows 2000"},
                      NamingRow{2, 5, 1, "Windows XP"}, NamingRow{2, 5, 2, "Windows .NET Server"},
                      NamingRow{2, 5, 3, "Windows NT kompatibel"}, NamingRow{2, 5, 9, "Windows NT kompatibel"},
                      NamingRow{2, 6, 1, "Windows NT kompatibel"}, NamingRow{2, 10, 0, "Windows NT kompatibel"},
                      NamingRow{2, 2, 0, "Windows NT kompatibel"}, NamingRow{3, 5, 1, "Unbekannt"},
                      NamingRow{0xffffffffu, 5, 1, "Unbekannt"}));

TEST(ReadWindowsVersion, WindowsXpGivesItsThreeLines)
{
    FakeOsVersionQuery query;
    query.answer = FakeOsVersionQuery::windows(2, 5, 1, 2600, QStringLiteral("Service Pack 2"));
    TWindowsVersionInfo info;
    ReadWindowsVersion(info, query);
    EXPECT_EQ(info.OsName, QStringLiteral("Windows XP"));
    EXPECT_EQ(VersionLine(info), QStringLiteral("5.1 Build (2600)"));
    EXPECT_EQ(info.ServicePack, QStringLiteral("Service Pack 2"));
}

TEST(ReadWindowsVersion, Windows98KeepsTheWholeBuildValue)
{
    FakeOsVersionQuery query;
    query.answer = FakeOsVersionQuery::windows(1, 4, 10, 67766446, QStringLiteral(" A "));
    TWindowsVersionInfo info;
    ReadWindowsVersion(info, query);
    EXPECT_EQ(info.OsName, QStringLiteral("Windows 98"));
    EXPECT_EQ(VersionLine(info), QStringLiteral("4.10 Build (67766446)"));
    EXPECT_EQ(info.ServicePack, QStringLiteral(" A "));
}

TEST(ReadWindowsVersion, FailedQueryNamesWindowsAndKeepsTheRest)
{
    FakeOsVersionQuery query;
    TWindowsVersionInfo info;
    ReadWindowsVersion(info, query);
    EXPECT_EQ(info.OsName, QStringLiteral("Windows"));
    EXPECT_EQ(VersionLine(info), QStringLiteral("0.0 Build (0)"));
    EXPECT_TRUE(info.ServicePack.isEmpty());

    query.answer = FakeOsVersionQuery::windows(2, 5, 1, 2600, QStringLiteral("Service Pack 2"));
    ReadWindowsVersion(info, query);
    query.answer.reset();
    ReadWindowsVersion(info, query);
    EXPECT_EQ(info.OsName, QStringLiteral("Windows"));
    EXPECT_EQ(VersionLine(info), QStringLiteral("5.1 Build (2600)"));
    EXPECT_EQ(info.ServicePack, QStringLiteral("Service Pack 2"));
}

} // namespace
} // namespace kelvaro::test
