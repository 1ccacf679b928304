#pragma once

#include "core/IdleWatcher.h"

#include <QString>

#include <functional>
#include <memory>

namespace kelvaro {

/**
 * The idle clock of a Wayland compositor: an idle notification with the threshold as its timeout,
 * from `ext_idle_notifier_v1` or, where the compositor offers only that, KWin's `org_kde_kwin_idle`.
 * The watch holds a Wayland connection of its own and wakes only on the compositor's events.
 */
class WaylandIdleClock
{
public:
    /** Whether the program runs in a Wayland session: WAYLAND_DISPLAY is set, or the session says it
     *  is one (the compositor then listens on the default socket). */
    static bool waylandSession();

    /** A watch through the compositor of the Wayland session; nothing when there is none or it
     *  offers neither protocol (or no seat). `source` receives the protocol's name. */
    static std::unique_ptr<IdleWatch> watch(qint64 thresholdMs, std::function<void(bool idle)> changed,
                                            QString* source = nullptr);
};

} // namespace kelvaro
