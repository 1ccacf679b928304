#pragma once

#include "tray/TrayShell.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>
#include <map>

namespace kelvaro {

/**
 * The notification area of the Linux desktop: one QSystemTrayIcon per added icon, showing the
 * record's icon and tip. Activations become callback codes for TTrayIconHandler: a click is a left
 * button down and up, a double click the double-click code, a middle click a middle down and up,
 * and a context request a right button down and up (the component then opens its menu).
 *
 * Qt does not report a restarted notification area, so while an icon is shown the shell checks
 * every 2 s whether the area is there and treats its coming back as a restart.
 */
class QtTrayShell : public QObject, public TrayShell
{
public:
    using Availability = std::function<bool()>;

    static constexpr int AreaCheckInterval = 2000;

    /** `availability` tells whether a notification area is there; QSystemTrayIcon's check by default. */
    explicit QtTrayShell(QObject* parent = nullptr, Availability availability = {});

    bool notifyIcon(NotifyIconMessage message, const NotifyIconData& data) override;
    bool isNotificationAreaAvailable() const override;
    std::optional<QPoint> cursorPos() const override;
    TShiftState keyState() const override;
    quint32 doubleClickTime() const override;
    void setForegroundWindow() override;

    /** One check for a restarted notification area (run by the timer while an icon is shown). */
    void checkNotificationArea();

private:
    struct Entry
    {
        QSystemTrayIcon* icon = nullptr;
        qint64 iconKey = 0;
        QString toolTip;
    };

    static quint64 keyOf(const NotifyIconData& data) { return (quint64{data.hWnd} << 32) | data.uID; }
    void addIcon(const NotifyIconData& data);
    bool deleteIcon(const NotifyIconData& data);
    void apply(Entry& entry, const NotifyIconData& data);
    static void activated(quint32 window, quint32 message, quint32 id, QSystemTrayIcon::ActivationReason reason);

    Availability m_availability;
    std::map<quint64, Entry> m_icons;
    QTimer m_areaCheck;
    bool m_areaAvailable = false;
};

} // namespace kelvaro
