#include "mock/TempDir.h"

#include <gtest/gtest.h>

namespace kelvaro::test {

TempDir::TempDir()
{
    EXPECT_TRUE(m_dir.isValid());
}

} // namespace kelvaro::test
