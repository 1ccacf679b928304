#include "platform/LinuxOsVersion.h"

#include <gtest/gtest.h>

namespace kelvaro::test {
namespace {

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
