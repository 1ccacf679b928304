#include "mock/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace kelvaro::test {

TempDir::TempDir()
{
    EXPECT_TRUE(m_dir.isValid());
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

} // namespace kelvaro::test
