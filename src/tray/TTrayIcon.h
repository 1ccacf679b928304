#pragma once

#include "tray/NotifyIconData.h"
#include "tray/TSimpleTimer.h"
#include "tray/TrayIconImage.h"
#include "tray/TrayTypes.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

namespace kelvaro {

class TTrayIconHandler;
class TimerService;
class TrayImageList;
class TrayOwner;
class TrayPopupMenu;
class TrayShell;

/**
 * One icon in the notification area with its tooltip. It turns the area's callbacks into events
 * (click, double click, button down and up, move, enter, leave), opens an assigned popup menu,
 * can cycle its icon through an image list, and can move the application into the tray when it is
 * minimised (hiding the main window and the task bar button and showing the icon instead).
 *
 * The window side reaches the component through the hook calls below; the callbacks arrive
 * through TTrayIconHandler. An event handler must not destroy the component that raised it.
 */
class TTrayIcon
{
public:
    using TNotifyEvent = std::function<void(TTrayIcon* sender)>;
    using TMouseEvent = std::function<void(TTrayIcon* sender, TMouseButton button, TShiftState shift, int x, int y)>;
    using TMouseMoveEvent = std::function<void(TTrayIcon* sender, TShiftState shift, int x, int y)>;
    using TCycleEvent = std::function<void(TTrayIcon* sender, int nextIndex)>;
    using TStartupEvent = std::function<void(TTrayIcon* sender, bool& showMainForm)>;

    /** Period of the check whether the pointer has left the icon, in milliseconds. */
    static constexpr quint32 LeaveCheckInterval = 20;

    /**
     * `owner` is the window side; without one the window operations do nothing. Shell, timer
     * service and owner must outlive the component.
     */
    TTrayIcon(TrayShell& shell, TimerService& timers, TrayOwner* owner = nullptr);
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;
    /** Removes the icon from the notification area. */
    virtual ~TTrayIcon();

    /** Shows the icon while a layout is designed; no effect in the running program. */
    bool GetDesignPreview() const { return m_designPreview; }
    void SetDesignPreview(bool value) { m_designPreview = value; }
    /** Source of the icons for IconIndex and cycling; not owned, dropped when it goes away. */
    TrayImageList* GetIconList() const { return m_iconList; }
    void SetIconList(TrayImageList* list);
    /** Steps through the image list every CycleInterval milliseconds. */
    bool GetCycleIcons() const { return m_cycleIcons; }
    void SetCycleIcons(bool value);
    /** Period of cycling in milliseconds; 0 keeps cycling from ever ticking. */
    quint32 GetCycleInterval() const { return m_cycleInterval; }
    void SetCycleInterval(quint32 value);
    /** When false, mouse callbacks raise no events and open no menu. */
    bool GetEnabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    /** The tooltip; at most 127 bytes of it reach the notification area. */
    QString GetHint() const { return m_hint; }
    void SetHint(const QString& value);
    /** When false, the tooltip is sent empty. */
    bool GetShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    /** The owned icon; every change of its image refreshes the icon in the tray. */
    TrayIconImage& Icon() { return m_icon; }
    const TrayIconImage& Icon() const { return m_icon; }
    void SetIcon(const QIcon& icon) { m_icon.assign(icon); }
    /** Whether the icon is in the notification area; setting it adds or removes the icon. */
    bool GetIconVisible() const { return m_iconVisible; }
    void SetIconVisible(bool value);
    /** Index into the image list, kept within its range; 0 without a list. */
    int GetIconIndex() const { return m_iconIndex; }
    void SetIconIndex(int value);
    /** Menu opened when the right button goes down; not owned, dropped when it goes away. */
    TrayPopupMenu* GetPopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TrayPopupMenu* menu);
    /** Opens the menu on the left button too. */
    bool GetLeftPopup() const { return m_leftPopup; }
    void SetLeftPopup(bool value) { m_leftPopup = value; }
    /** Raises OnMouseEnter and OnMouseExit, watching the pointer every 20 ms. */
    bool GetWantEnterExitEvents() const { return m_wantEnterExitEvents; }
    void SetWantEnterExitEvents(bool value);
    /** Moves the application into the tray when it is minimised. */
    bool GetMinimizeToTray() const { return m_minimizeToTray; }
    void SetMinimizeToTray(bool value) { m_minimizeToTray = value; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    /** Button and the keys held with it; x, y in screen coordinates. */
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    /** Raised on every cycling step with the index shown next. */
    TCycleEvent OnCycle;
    TNotifyEvent OnBalloonHintShow;
    TNotifyEvent OnBalloonHintHide;
    TNotifyEvent OnBalloonHintTimeout;
    TNotifyEvent OnBalloonHintClick;
    /** Raised when a minimise of the owner window is turned into a move to the tray. */
    TNotifyEvent OnMinimizeToTray;
    /** Asked once by Loaded() whether the main window is shown at all. */
    TStartupEvent OnStartup;

    /**
     * Call once the properties are set: asks OnStartup whether the main window is shown, then
     * applies the icon, IconVisible, CycleIcons and WantEnterExitEvents.
     */
    void Loaded();
    /** Brings the application and its main window back from the tray and to the foreground. */
    void RestoreMainWindow();
    /** Hides the main window and the application's task bar button. */
    void HideMainWindow();
    void HideApplicationButton();
    /** Opens the popup menu at a screen point; returns when it has closed. */
    void ShowPopupAt(int x, int y);
    void ShowPopupAtCursor();
    /**
     * The owner window is about to be minimised (or hidden because its parent closes): with
     * MinimizeToTray and an OnMinimizeToTray handler, raises it, moves to the tray and returns
     * true, meaning the window must not go on minimising.
     */
    bool TryMinimizeToTray();

    /** The application was minimised: with MinimizeToTray, move to the tray. */
    void applicationMinimized();
    /** The application is asked to restore: the main window becomes normal and visible. */
    void applicationRestoreRequested();
    /** The owner window is being shown directly: bring application and owner to the foreground. */
    void ownerShown();
    /** The notification area started anew and lost its icons: add ours again if it is shown. */
    void notificationAreaRestarted();
    /** Handles one callback code of the notification area (mouse messages, balloon notifications). */
    void handleCallback(quint32 code);

    /** The record as last sent to the notification area. */
    const NotifyIconData& notifyIconData() const { return m_data; }

protected:
    /** Adds the icon to the notification area; whether the area accepted it. */
    virtual bool AddIconToTray();
    virtual bool RemoveIconFromTray();
    /** Sends the current icon and tooltip. */
    virtual bool UpdateIconInTray();

    /** Each of these raises its event, if a handler is assigned. */
    virtual void NotifyClick();
    virtual void NotifyDblClick();
    virtual void NotifyCycle(int nextIndex);
    virtual void NotifyMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void NotifyMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void NotifyMouseMove(TShiftState shift, int x, int y);
    virtual void NotifyMouseEnter();
    virtual void NotifyMouseExit();
    /** Hides the main window and shows the icon; nothing where there is no notification area. */
    virtual void SendToTray();

    /** Puts the current icon handle and tooltip into the record. */
    void FillIconData();

private:
    bool popupOnButton() const;
    void leftButtonDown(QPoint pos, TShiftState keys);
    void leftButtonUp(QPoint pos, TShiftState keys);
    void leftButtonDoubleClick();
    void rightButtonDown(QPoint pos, TShiftState keys);
    void mouseMove(QPoint pos, TShiftState keys);
    void clickDelayTick();
    void leaveCheckTick();
    void iconCycleTick();

    TrayShell& m_shell;
    TrayOwner* m_owner;
    std::shared_ptr<TTrayIconHandler> m_handler;
    quint32 m_id;
    NotifyIconData m_data;
    TrayIconImage m_icon;

    bool m_designPreview = false;
    TrayImageList* m_iconList = nullptr;
    bool m_cycleIcons = false;
    quint32 m_cycleInterval = 0;
    bool m_enabled = true;
    QString m_hint;
    bool m_showHint = true;
    bool m_iconVisible = false;
    int m_iconIndex = 0;
    TrayPopupMenu* m_popupMenu = nullptr;
    bool m_leftPopup = false;
    bool m_wantEnterExitEvents = false;
    bool m_minimizeToTray = false;

    TSimpleTimer m_iconCycleTimer;
    TSimpleTimer m_clickDelayTimer;
    TSimpleTimer m_leaveCheckTimer;
    bool m_clickStarted = false;
    bool m_clickArmed = false;
    bool m_dblClickSeen = false;
    bool m_pointerAway = true;
    QPoint m_lastPointerPos;
};

} // namespace kelvaro
