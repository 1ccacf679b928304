#include "tray/TTrayIcon.h"

#include "tray/WindowFocus.h"
#include "tray/TrayShell.h"

#include <QMenu>
#include <QWidget>

namespace kelvaro {

TTrayIcon::TTrayIcon(TrayShell& shell, QWidget* owner) : m_shell(shell), m_owner(owner)
{
    m_shell.onActivated = [this](QSystemTrayIcon::ActivationReason reason) {
        activated(reason);
    };
    m_shell.onAreaChanged = [this] {
        checkNotificationArea();
    };
}

TTrayIcon::~TTrayIcon()
{
    SetIconVisible(false);
    m_shell.onActivated = {};
    m_shell.onAreaChanged = {};
}

void TTrayIcon::SetHint(const QString& value)
{
    m_hint = value;
    m_shell.setToolTip(value);
}

void TTrayIcon::SetIcon(const QIcon& icon)
{
    m_icon = icon;
    m_shell.setIcon(icon);
}

void TTrayIcon::SetIconVisible(bool value)
{
    m_iconVisible = value;
    if (value) {
        m_shell.show();
        m_areaAvailable = m_shell.isAvailable();
    } else {
        m_shell.hide();
    }
}

QMenu* TTrayIcon::GetPopupMenu() const
{
    return m_popupMenu;
}

void TTrayIcon::SetPopupMenu(QMenu* menu)
{
    m_popupMenu = menu;
    m_shell.setContextMenu(menu);
}

void TTrayIcon::activated(QSystemTrayIcon::ActivationReason reason)
{
    // The notification area opens the menu itself; a middle click means nothing here.
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (OnClick)
            OnClick(this);
        break;
    case QSystemTrayIcon::DoubleClick:
        if (OnDblClick)
            OnDblClick(this);
        break;
    default:
        break;
    }
}

void TTrayIcon::checkNotificationArea()
{
    // An area that is there again after it was gone has lost the icon. Asked only while the icon is
    // shown: asking takes a connection to the session bus of its own.
    if (!m_iconVisible)
        return;
    const bool available = m_shell.isAvailable();
    const bool restarted = available && !m_areaAvailable;
    m_areaAvailable = available;
    if (restarted)
        m_shell.show();
}

void TTrayIcon::RestoreMainWindow()
{
    if (!m_owner)
        return;
    m_owner->setWindowState(m_owner->windowState() & ~Qt::WindowMinimized);
    m_owner->show();
    m_owner->raise();
    if (mayTakeFocus())
        m_owner->activateWindow();
}

void TTrayIcon::HideMainWindow()
{
    if (m_owner)
        m_owner->hide();
}

void TTrayIcon::applicationMinimized()
{
    moveIntoTray();
}

void TTrayIcon::MinimizeMainWindow()
{
    if (!moveIntoTray() && m_owner)
        m_owner->setWindowState(m_owner->windowState() | Qt::WindowMinimized);
}

bool TTrayIcon::moveIntoTray()
{
    // Without a notification area the icon could not be shown, and a hidden window could not be
    // brought back: the window then stays minimised in the task bar.
    if (!m_minimizeToTray || !m_shell.isAvailable())
        return false;
    HideMainWindow();
    SetIconVisible(true);
    return true;
}

} // namespace kelvaro
