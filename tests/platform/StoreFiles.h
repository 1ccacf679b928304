// What the store tests share: an update that sets one text, the folder listings they compare, and a
// child process for the cases that must die or give up their privileges.
#pragma once

#include "core/Registry.h"
#include "platform/FileRegistryStore.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace kelvaro::test {

/** An update that sets the text value `name` of the main key. */
inline auto setText(const QString& name, const QString& text)
{
    return [=](RegistryTree& tree) {
        tree.createKey(kMainKey);
        tree.setValue(kMainKey, name, RegValue::sz(text));
    };
}

/** The store's file and its lock, as a folder holds them between updates. */
inline const QStringList kFileAndLock = {QStringLiteral("registry.reg"), QStringLiteral("registry.reg.lock")};

/** The files of the folder (hidden ones too), sorted by name. */
inline QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

/** Every entry of the folder (hidden ones, links and folders too), sorted by name. */
inline QStringList entriesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

/** Runs `body` in a forked child that leaves with _exit(0) when it returns true, else _exit(1);
 *  returns the child's exit code (or -1 when it did not exit normally). */
template <typename Body>
int inChild(Body body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body() ? 0 : 1);
    if (pid < 0)
        return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace kelvaro::test
