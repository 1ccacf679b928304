#include "tray/TTrayIcon.h"

#include "tray/TTrayIconHandler.h"
#include "tray/TrayImageList.h"
#include "tray/TrayOwner.h"
#include "tray/TrayPopupMenu.h"
#include "tray/TrayShell.h"

namespace kelvaro {

TTrayIcon::TTrayIcon(TrayShell& shell, TimerService& timers, TrayOwner* owner)
    : m_shell(shell), m_owner(owner), m_handler(TTrayIconHandler::acquire()), m_id(m_handler->add(this)),
      m_data(NotifyIconData::make(m_handler->window(), m_id)), m_iconCycleTimer(timers), m_clickDelayTimer(timers),
      m_leaveCheckTimer(timers, LeaveCheckInterval, {})
{
    m_icon.setOnChange([this] { UpdateIconInTray(); });
    m_iconCycleTimer.setHandler([this] { iconCycleTick(); });
    m_clickDelayTimer.setHandler([this] { clickDelayTick(); });
    m_leaveCheckTimer.setHandler([this] { leaveCheckTick(); });
}

TTrayIcon::~TTrayIcon()
{
    SetIconVisible(false);
    m_icon.setOnChange({});
    if (m_iconList)
        m_iconList->removeRemovalListener(this);
    if (m_popupMenu)
        m_popupMenu->removeRemovalListener(this);
    m_handler->remove(m_id);
}

// --- Properties ------------------------------------------------------------------------------

void TTrayIcon::SetIconList(TrayImageList* list)
{
    if (m_iconList)
        m_iconList->removeRemovalListener(this);
    m_iconList = list;
    if (m_iconList)
        m_iconList->addRemovalListener(this, [this] {
            m_iconList = nullptr;
            SetIconIndex(0);
        });
    SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool value)
{
    m_cycleIcons = value;
    if (value) {
        SetIconIndex(0);
        m_iconCycleTimer.setInterval(m_cycleInterval);
        m_iconCycleTimer.start();
    } else {
        m_iconCycleTimer.stop();
    }
}

void TTrayIcon::SetCycleInterval(quint32 value)
{
    if (value == m_cycleInterval)
        return;
    m_cycleInterval = value;
    SetCycleIcons(m_cycleIcons);
}

void TTrayIcon::SetHint(const QString& value)
{
    m_hint = value;
    UpdateIconInTray();
}

void TTrayIcon::SetShowHint(bool value)
{
    m_showHint = value;
    UpdateIconInTray();
}

void TTrayIcon::SetIconVisible(bool value)
{
    if (value)
        AddIconToTray();
    else
        RemoveIconFromTray();
}

void TTrayIcon::SetIconIndex(int value)
{
    if (m_iconList) {
        // Kept within the list; an empty list has no image to load.
        const int count = m_iconList->count();
        m_iconIndex = std::max(0, std::min(value, count - 1));
        if (m_iconIndex < count)
            m_icon.assign(m_iconList->image(m_iconIndex));
    } else {
        m_iconIndex = 0;
    }
    UpdateIconInTray();
}

void TTrayIcon::SetPopupMenu(TrayPopupMenu* menu)
{
    if (m_popupMenu)
        m_popupMenu->removeRemovalListener(this);
    m_popupMenu = menu;
    if (m_popupMenu)
        m_popupMenu->addRemovalListener(this, [this] { m_popupMenu = nullptr; });
}

void TTrayIcon::SetWantEnterExitEvents(bool value)
{
    m_wantEnterExitEvents = value;
    if (value)
        m_leaveCheckTimer.start();
    else
        m_leaveCheckTimer.stop();
}

// --- The notification area -------------------------------------------------------------------

void TTrayIcon::FillIconData()
{
    m_data.hIcon = m_icon.handle();
    m_data.setTip(m_hint, m_showHint);
}

bool TTrayIcon::AddIconToTray()
{
    m_iconVisible = true;
    FillIconData();
    return m_shell.notifyIcon(NotifyIconMessage::Add, m_data);
}

bool TTrayIcon::RemoveIconFromTray()
{
    m_iconVisible = false;
    FillIconData();
    return m_shell.notifyIcon(NotifyIconMessage::Delete, m_data);
}

bool TTrayIcon::UpdateIconInTray()
{
    FillIconData();
    return m_shell.notifyIcon(NotifyIconMessage::Modify, m_data);
}

void TTrayIcon::notificationAreaRestarted()
{
    if (m_iconVisible)
        AddIconToTray();
}

// --- Start-up and the window side --------------------------------------------------------------

void TTrayIcon::Loaded()
{
    if (m_owner) {
        bool showMainForm = true;
        if (OnStartup)
            OnStartup(this, showMainForm);
        if (!showMainForm) {
            m_owner->setShowMainForm(false);
            HideMainWindow();
        }
    }
    UpdateIconInTray();
    SetIconVisible(m_iconVisible);
    SetCycleIcons(m_cycleIcons);
    SetWantEnterExitEvents(m_wantEnterExitEvents);
}

void TTrayIcon::RestoreMainWindow()
{
    if (!m_owner || !m_owner->hasMainWindow())
        return;
    m_owner->restoreApplication();
    if (m_owner->isMainWindowMinimized())
        m_owner->showMainWindowNormal();
    m_owner->setMainWindowVisible(true);
    m_owner->activateApplication();
}

void TTrayIcon::HideMainWindow()
{
    if (!m_owner || !m_owner->hasMainWindow())
        return;
    m_owner->setMainWindowVisible(false);
    HideApplicationButton();
}

void TTrayIcon::HideApplicationButton()
{
    if (m_owner && m_owner->isApplicationButtonVisible())
        m_owner->hideApplicationButton();
}

void TTrayIcon::SendToTray()
{
    // Without a notification area the icon could not be shown, and a hidden window could not be
    // brought back: the window then stays minimised in the task bar.
    if (!m_shell.isNotificationAreaAvailable())
        return;
    HideMainWindow();
    SetIconVisible(true);
}

bool TTrayIcon::TryMinimizeToTray()
{
    if (!m_minimizeToTray || !OnMinimizeToTray || !m_shell.isNotificationAreaAvailable())
        return false;
    OnMinimizeToTray(this);
    SendToTray();
    return true;
}

void TTrayIcon::applicationMinimized()
{
    if (m_minimizeToTray)
        SendToTray();
}

void TTrayIcon::applicationRestoreRequested()
{
    if (!m_owner || !m_owner->hasMainWindow())
        return;
    if (m_owner->isMainWindowMinimized())
        m_owner->showMainWindowNormal();
    m_owner->setMainWindowVisible(true);
}

void TTrayIcon::ownerShown()
{
    if (!m_owner)
        return;
    m_owner->activateApplication();
    m_owner->activateOwner();
}

} // namespace kelvaro
