#pragma once

#include <QtGlobal>

#include <memory>
#include <unordered_map>

namespace kelvaro {

class TTrayIcon;

/**
 * The receiver the notification area calls back, shared by all tray components of the process.
 * It stands for a hidden window with its own handle: the records name it as their window, and a
 * callback carrying a component's id is routed to that component while it lives. The first
 * component creates it, each component holds a reference, and it goes away with the last one.
 */
class TTrayIconHandler
{
public:
    /** The shared handler, created when there is none. */
    static std::shared_ptr<TTrayIconHandler> acquire();
    /** How many components hold the shared handler (0: there is none). */
    static long referenceCount();

    /**
     * Delivers a callback of the notification area: `message` must be the records' callback
     * message and `window` the live handler's handle; `id` names the component and `code` is the
     * mouse or balloon code. Anything else, or an id whose component is gone, is dropped.
     */
    static void deliver(quint32 window, quint32 message, quint32 id, quint32 code);
    /** Tells every live component that the notification area has started anew and lost its icons. */
    static void notificationAreaRestarted();

    TTrayIconHandler(const TTrayIconHandler&) = delete;
    TTrayIconHandler& operator=(const TTrayIconHandler&) = delete;
    ~TTrayIconHandler() = default;

    /** The handle of the hidden window, as written into the records. */
    quint32 window() const { return m_window; }
    /** Registers a component and returns its id (ids are never reused). */
    quint32 add(TTrayIcon* icon);
    void remove(quint32 id);

private:
    TTrayIconHandler();
    TTrayIcon* find(quint32 id) const;

    quint32 m_window;
    std::unordered_map<quint32, TTrayIcon*> m_icons;
};

} // namespace kelvaro
