#pragma once

#include "tray/TrayReferenced.h"

#include <QPoint>

namespace kelvaro {

class TTrayIcon;

/** A popup menu the tray component can show. */
class TrayPopupMenu : public TrayReferenced
{
public:
    /** Whether the menu opens by itself on a button press (the automatic-popup switch). */
    virtual bool autoPopup() const = 0;
    /** Records which component opened the menu. */
    virtual void setPopupComponent(TTrayIcon* component) = 0;
    /** Shows the menu at a screen point and returns when it has closed. */
    virtual void popup(QPoint at) = 0;
    /** Clicks the first top-level item marked as default; false when there is none. */
    virtual bool clickDefaultItem() = 0;
};

} // namespace kelvaro
