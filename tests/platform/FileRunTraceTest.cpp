#include "platform/FileRunTrace.h"

#include "mock/TempDir.h"

#include <gtest/gtest.h>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

TEST(FileRunTrace, AppendsOneLineAMoment)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("trace.txt"));
    writeFile(path, "earlier 1\n");
    FileRunTrace trace(path);
    trace.record("start", 1'765'101'600'000);
    trace.record("expiry", 1'765'101'602'013);
    EXPECT_EQ(readAll(path), QByteArray("earlier 1\nstart 1765101600000\nexpiry 1765101602013\n"));
}

TEST(FileRunTrace, ComesFromTheEnvironment)
{
    qunsetenv("KELVARO_TRACE_RUN");
    EXPECT_EQ(FileRunTrace::fromEnvironment(), nullptr);
    TempDir dir;
    const QString path = dir.file(QStringLiteral("trace.txt"));
    qputenv("KELVARO_TRACE_RUN", QFile::encodeName(path));
    const std::unique_ptr<FileRunTrace> trace = FileRunTrace::fromEnvironment();
    qunsetenv("KELVARO_TRACE_RUN");
    ASSERT_NE(trace, nullptr);
    trace->record("end", 5);
    EXPECT_EQ(readAll(path), QByteArray("end 5\n"));
}

} // namespace
