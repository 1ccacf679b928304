#pragma once

#include "core/Registry.h"
#include "platform/FileCalls.h"

#include <QString>

namespace kelvaro {

/**
 * The registry store as a file in RegFileFormat.
 *
 * Every update takes an exclusive lock (flock on "<file>.lock"), reads the freshest file, applies
 * the change, writes a temporary file in the same folder, flushes it to disk and renames it over
 * the file, so a crash at any moment leaves either the old or the new content; temporary files of
 * writers that were killed are removed by the next update. The file and its folder are created on
 * the first update, the file with mode 0600. A file that cannot be parsed is moved aside to
 * "<file>.broken-<date>-<time>" (never overwritten) and the store reads as empty.
 *
 * When the path is a symbolic link, the file it points to is read and replaced (with its lock and
 * temporary file beside it) and the link is kept; a link to nothing reads as an empty store. A
 * folder, a link loop or anything else that is no file at the path reads as empty (with one line
 * on stderr) and fails every update without touching anything.
 */
class FileRegistryStore : public RegistryStore
{
public:
    /** A store in the file `path`, changed through `calls` (the system's unless a test gives others). */
    explicit FileRegistryStore(QString path, FileCalls& calls = FileCalls::system());

    /** $KELVARO_REGISTRY, else $XDG_CONFIG_HOME/kelvaro/registry.reg (~/.config when unset). */
    static QString defaultPath();

    QString path() const { return m_path; }

    RegistryTree load() override;
    bool update(const std::function<void(RegistryTree&)>& change, QString* error = nullptr) override;
    /** The path given, made absolute; a link there is not followed, as the user made it. */
    QString location() const override;

protected:
    /** Test hook: called during update after the temporary file `tempPath` has been written,
     *  flushed and closed, just before it replaces the file. Tests override it to simulate a crash
     *  at that moment; the store itself does nothing here. */
    virtual void aboutToReplace(const QString& tempPath) { Q_UNUSED(tempPath); }

private:
    bool readLocked(const QString& target, RegistryTree& tree, QString* error);
    bool moveAside(const QString& target, const QString& reason, QString* error);

    QString m_path;
    FileCalls& m_calls;
};

} // namespace kelvaro
