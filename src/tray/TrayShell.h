#pragma once

#include "tray/NotifyIconData.h"
#include "tray/TrayTypes.h"

#include <QPoint>

#include <optional>

namespace kelvaro {

/**
 * The desktop's notification area and the bits of input state the tray component reads when it
 * handles a callback. The callbacks themselves go to TTrayIconHandler::deliver().
 */
class TrayShell
{
public:
    virtual ~TrayShell() = default;

    /** Adds, changes or removes the icon the record describes; false when the shell refused. */
    virtual bool notifyIcon(NotifyIconMessage message, const NotifyIconData& data) = 0;
    /** Whether a notification area is there to show icons at all. */
    virtual bool isNotificationAreaAvailable() const = 0;
    /** The mouse pointer in screen coordinates; nothing when it cannot be read. */
    virtual std::optional<QPoint> cursorPos() const = 0;
    /** Shift, Alt and Ctrl as held right now (no button flags). */
    virtual TShiftState keyState() const = 0;
    /** The longest time between the clicks of a double click, in milliseconds. */
    virtual quint32 doubleClickTime() const = 0;
    /** Brings the tray's hidden window to the foreground, so a menu opened next closes on a click elsewhere. */
    virtual void setForegroundWindow() = 0;
};

} // namespace kelvaro
