#pragma once

#include "core/RemoteCommand.h"

#include <QString>

namespace kelvaro {

/**
 * Carries a command out on the running programs, over the session bus (the address in
 * DBUS_SESSION_BUS_ADDRESS, else the bus in XDG_RUNTIME_DIR), with no window and no display. It
 * prints to standard output and standard error and gives the exit code: 0 done, 1 when no program
 * matched, one refused or there is no bus, 2 for a usage error. `--watch` goes on until the program
 * is ended; it needs a running QCoreApplication event loop, which run() starts itself.
 */
class RemoteClient
{
public:
    /** What `--help` and `--version` print. */
    struct Texts
    {
        QString help;
        QString version;
    };

    static int run(const RemoteCommand& command, const Texts& texts);
};

} // namespace kelvaro
