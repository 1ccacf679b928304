#pragma once

#include <QIcon>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

class QMenu;
class QWidget;

namespace kelvaro {

class TrayShell;

/**
 * The program's icon in the notification area: an icon with a tooltip and a popup menu, click and
 * double-click events, and the move of the main window into the tray when it is minimised (the window
 * and with it its task bar button are hidden, the icon shown instead). Without a notification area a
 * minimised window stays in the task bar, where the user can get it back. When the area starts anew
 * while the icon is shown, the icon is added again: the shell reports it, nothing is polled. A shell
 * carries one component.
 */
class TTrayIcon
{
public:
    using TNotifyEvent = std::function<void(TTrayIcon* sender)>;

    /**
     * `owner` is the main window that minimising moves into the tray; without one the window
     * operations do nothing. The shell must outlive the component.
     */
    explicit TTrayIcon(TrayShell& shell, QWidget* owner = nullptr);
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;
    /** Removes the icon from the notification area. */
    ~TTrayIcon();

    /** The tooltip, shown as plain text. */
    QString GetHint() const { return m_hint; }
    void SetHint(const QString& value);
    QIcon GetIcon() const { return m_icon; }
    void SetIcon(const QIcon& icon);
    /** Whether the icon is in the notification area; setting it adds or removes the icon. */
    bool GetIconVisible() const { return m_iconVisible; }
    void SetIconVisible(bool value);
    /** The menu the notification area opens on the icon (not owned; forgotten when it is destroyed). */
    QMenu* GetPopupMenu() const;
    void SetPopupMenu(QMenu* menu);
    /** Moves the main window into the tray when it is minimised. */
    bool GetMinimizeToTray() const { return m_minimizeToTray; }
    void SetMinimizeToTray(bool value) { m_minimizeToTray = value; }

    /** A click on the icon. */
    TNotifyEvent OnClick;
    /** A double click on the icon (its first click has raised OnClick already). */
    TNotifyEvent OnDblClick;

    /** Brings the main window back from the tray (or the task bar), normal and in front. */
    void RestoreMainWindow();
    /** Hides the main window and with it its task bar button. */
    void HideMainWindow();
    /** The main window has been minimised: with MinimizeToTray it goes into the tray, if there is one. */
    void applicationMinimized();
    /**
     * Minimises the main window: with MinimizeToTray straight into the tray when there is one, else
     * into the task bar. Going into the tray does not wait for the window system to report the
     * window minimised, which Wayland never does.
     */
    void MinimizeMainWindow();

private:
    void activated(QSystemTrayIcon::ActivationReason reason);
    void checkNotificationArea();
    bool moveIntoTray();

    TrayShell& m_shell;
    QPointer<QWidget> m_owner;
    bool m_areaAvailable = false;

    QString m_hint;
    QIcon m_icon;
    bool m_iconVisible = false;
    QPointer<QMenu> m_popupMenu;
    bool m_minimizeToTray = false;
};

} // namespace kelvaro
