#pragma once

#include <QByteArray>
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

/** The bytes of the file at `path`; empty when it cannot be read. */
QByteArray readAll(const QString& path);
/** Writes `bytes` as the whole file at `path`; a failure fails the test. */
void writeFile(const QString& path, const QByteArray& bytes);

} // namespace kelvaro::test
