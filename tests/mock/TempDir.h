#pragma once

#include <QString>
#include <QTemporaryDir>

namespace kelvaro::test {

/** A private temporary folder, removed at the end of the test. */
class TempDir
{
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

} // namespace kelvaro::test
