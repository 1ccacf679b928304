#pragma once

#include "tray/TrayShell.h"

#include <QIcon>
#include <QPointer>
#include <QString>

#include <functional>

class QMenu;

namespace kelvaro {

/**
 * The notification area of the Linux desktop through one QSystemTrayIcon, made when the icon is
 * first shown (asking for a StatusNotifierItem host takes a call on the session bus). An icon without
 * an image is shown with the program's window icon, so that the hidden window can always be brought
 * back; the tooltip is always plain text. Qt adds the icon again by itself when an XEmbed tray or a
 * StatusNotifierWatcher starts anew; whoever watches the session bus reports the latter through
 * noteAreaChanged() as well, so that an icon that was lost all the same is shown again.
 */
class QtTrayShell : public TrayShell
{
public:
    using Availability = std::function<bool()>;

    /** `availability` tells whether a notification area is there; QSystemTrayIcon's check by default. */
    explicit QtTrayShell(Availability availability = {});
    ~QtTrayShell() override;

    bool isAvailable() const override;
    void show() override;
    void hide() override;
    void setIcon(const QIcon& icon) override;
    void setToolTip(const QString& text) override;
    void setContextMenu(QMenu* menu) override;

    /** The notification area may have gone or come back. */
    void noteAreaChanged() const { areaChanged(); }

    /** The icon once it has been shown; nullptr before. */
    QSystemTrayIcon* trayIcon() const { return m_icon; }

private:
    void applyIcon();

    Availability m_availability;
    QSystemTrayIcon* m_icon = nullptr;
    QIcon m_image;
    qint64 m_shownImageKey = 0;
    QString m_toolTip;
    QPointer<QMenu> m_menu;
};

} // namespace kelvaro
