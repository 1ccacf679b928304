// The load counters of this machine, and a /proc that cannot be read.
#include "platform/ProcLoadSampler.h"

#include "mock/TempDir.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

TEST(ProcLoadSampler, ReadsThisMachineAndNothingFromAFolderWithoutTheFiles)
{
    ProcLoadSampler machine;
    const std::optional<LoadSample> first = machine.sample();
    ASSERT_TRUE(first);
    EXPECT_GT(first->cpu.total, 0u);
    EXPECT_FALSE(first->net.contains(QByteArrayLiteral("lo")));
    const std::optional<LoadSample> second = machine.sample();
    ASSERT_TRUE(second);
    EXPECT_GE(second->cpu.total, first->cpu.total);

    test::TempDir empty;
    EXPECT_FALSE(ProcLoadSampler(empty.path()).sample());
}

} // namespace
} // namespace kelvaro
