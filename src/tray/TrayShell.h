#pragma once

#include <QSystemTrayIcon>

#include <functional>

class QIcon;
class QMenu;
class QString;

namespace kelvaro {

/**
 * The desktop's notification area, holding one icon with a tooltip and a menu. The area itself opens
 * the menu on a context request (as a DBusMenu on StatusNotifierItem hosts, as a QMenu on XEmbed
 * trays); every activation of the icon goes to onActivated.
 */
class TrayShell
{
public:
    using Activated = std::function<void(QSystemTrayIcon::ActivationReason reason)>;
    using AreaChanged = std::function<void()>;

    virtual ~TrayShell() = default;

    /** Whether a notification area is there to show the icon. */
    virtual bool isAvailable() const = 0;
    /** Puts the icon into the notification area; when it is there already, registers it anew (an
     *  area that has started again has lost it). */
    virtual void show() = 0;
    /** Takes the icon out of the notification area. */
    virtual void hide() = 0;
    virtual void setIcon(const QIcon& icon) = 0;
    /** The tooltip, shown as plain text. */
    virtual void setToolTip(const QString& text) = 0;
    /** The menu of the icon (not owned; none: nullptr). */
    virtual void setContextMenu(QMenu* menu) = 0;

    /** Called on every activation of the icon: click, double click, middle click, context request. */
    Activated onActivated;
    /** Called when the notification area may have gone or come back (the desktop started it anew). */
    AreaChanged onAreaChanged;

protected:
    void activated(QSystemTrayIcon::ActivationReason reason) const
    {
        // A copy, because the receiver may be replaced while it runs.
        if (const Activated receiver = onActivated)
            receiver(reason);
    }

    void areaChanged() const
    {
        if (const AreaChanged receiver = onAreaChanged)
            receiver();
    }
};

} // namespace kelvaro
