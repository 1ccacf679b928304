// The mouse side of TTrayIcon: callback dispatch, click timing, leave detection, the popup menu,
// icon cycling and the event-raising operations.
#include "tray/TTrayIcon.h"
#include "tray/TrayImageList.h"
#include "tray/TrayPopupMenu.h"
#include "tray/TrayShell.h"

namespace kelvaro {

void TTrayIcon::handleCallback(quint32 code)
{
    switch (code) {
    case TrayCode::BalloonShow:
        if (OnBalloonHintShow)
            OnBalloonHintShow(this);
        return;
    case TrayCode::BalloonHide:
        if (OnBalloonHintHide)
            OnBalloonHintHide(this);
        return;
    case TrayCode::BalloonTimeout:
        if (OnBalloonHintTimeout)
            OnBalloonHintTimeout(this);
        return;
    case TrayCode::BalloonUserClick:
        if (OnBalloonHintClick)
            OnBalloonHintClick(this);
        return;
    default:
        break;
    }
    if (!m_enabled)
        return;

    // Keys and pointer as they are now, when the callback is handled.
    const auto readPos = [this] {
        return m_shell.cursorPos().value_or(m_lastPointerPos);
    };
    switch (code) {
    case TrayCode::MouseMove:
        mouseMove(readPos(), m_shell.keyState());
        break;
    case TrayCode::LButtonDown:
        leftButtonDown(readPos(), m_shell.keyState());
        break;
    case TrayCode::LButtonUp:
        leftButtonUp(readPos(), m_shell.keyState());
        break;
    case TrayCode::LButtonDblClk:
        leftButtonDoubleClick();
        break;
    case TrayCode::RButtonDown:
        rightButtonDown(readPos(), m_shell.keyState());
        break;
    case TrayCode::RButtonUp: {
        const QPoint pos = readPos();
        NotifyMouseUp(TMouseButton::Right, m_shell.keyState() | TShiftFlag::Right, pos.x(), pos.y());
        break;
    }
    case TrayCode::MButtonDown: {
        const QPoint pos = readPos();
        NotifyMouseDown(TMouseButton::Middle, m_shell.keyState() | TShiftFlag::Middle, pos.x(), pos.y());
        break;
    }
    case TrayCode::MButtonUp: {
        const QPoint pos = readPos();
        NotifyMouseUp(TMouseButton::Middle, m_shell.keyState() | TShiftFlag::Middle, pos.x(), pos.y());
        break;
    }
    default:
        break;
    }
}

bool TTrayIcon::popupOnButton() const
{
    return m_popupMenu && m_popupMenu->autoPopup();
}

void TTrayIcon::mouseMove(QPoint pos, TShiftState keys)
{
    if (m_wantEnterExitEvents && m_pointerAway) {
        NotifyMouseEnter();
        m_pointerAway = false;
    }
    NotifyMouseMove(keys, pos.x(), pos.y());
    m_lastPointerPos = pos;
}

void TTrayIcon::leftButtonDown(QPoint pos, TShiftState keys)
{
    // With a double-click handler the click waits one double-click time for a second click.
    if (OnDblClick) {
        m_clickDelayTimer.setInterval(m_shell.doubleClickTime());
        m_clickDelayTimer.start();
    }
    NotifyMouseDown(TMouseButton::Left, keys | TShiftFlag::Left, pos.x(), pos.y());
    m_clickStarted = true;
    if (m_leftPopup && popupOnButton()) {
        m_shell.setForegroundWindow();
        ShowPopupAtCursor();
    }
}

void TTrayIcon::leftButtonUp(QPoint pos, TShiftState keys)
{
    if (m_clickStarted)
        m_clickArmed = true;
    if (m_clickStarted && !m_clickDelayTimer.isRunning()) {
        m_clickStarted = false;
        m_clickArmed = false;
        NotifyClick();
    }
    m_clickStarted = false;
    NotifyMouseUp(TMouseButton::Left, keys | TShiftFlag::Left, pos.x(), pos.y());
}

void TTrayIcon::leftButtonDoubleClick()
{
    m_clickArmed = false;
    m_dblClickSeen = true;
    NotifyDblClick();
    if (popupOnButton() && !m_leftPopup)
        m_popupMenu->clickDefaultItem();
}

void TTrayIcon::rightButtonDown(QPoint pos, TShiftState keys)
{
    NotifyMouseDown(TMouseButton::Right, keys | TShiftFlag::Right, pos.x(), pos.y());
    if (popupOnButton()) {
        m_shell.setForegroundWindow();
        ShowPopupAtCursor();
    }
}

void TTrayIcon::clickDelayTick()
{
    m_clickDelayTimer.stop();
    if (!m_dblClickSeen && m_clickArmed) {
        m_clickArmed = false;
        NotifyClick();
    }
    m_dblClickSeen = false;
}

void TTrayIcon::leaveCheckTick()
{
    // The area reports moves only while the pointer is over the icon: a pointer that moved
    // without a report has left it.
    if (m_pointerAway)
        return;
    const std::optional<QPoint> pos = m_shell.cursorPos();
    if (pos && *pos != m_lastPointerPos) {
        m_pointerAway = true;
        NotifyMouseExit();
    }
}

void TTrayIcon::iconCycleTick()
{
    if (!m_iconList)
        return;
    const int count = m_iconList->count();
    if (m_iconIndex < count)
        m_icon.assign(m_iconList->image(m_iconIndex));
    const int nextIndex = m_iconIndex < count - 1 ? m_iconIndex + 1 : 0;
    NotifyCycle(nextIndex);
    SetIconIndex(nextIndex);
}

void TTrayIcon::ShowPopupAtCursor()
{
    if (const std::optional<QPoint> pos = m_shell.cursorPos())
        ShowPopupAt(pos->x(), pos->y());
}

void TTrayIcon::ShowPopupAt(int x, int y)
{
    if (!m_popupMenu)
        return;
    // The foreground hidden window makes the menu close when the user clicks elsewhere.
    m_shell.setForegroundWindow();
    m_popupMenu->setPopupComponent(this);
    m_popupMenu->popup(QPoint(x, y));
}

// --- Events --------------------------------------------------------------------------------------

void TTrayIcon::NotifyClick()
{
    if (OnClick)
        OnClick(this);
}

void TTrayIcon::NotifyDblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TTrayIcon::NotifyCycle(int nextIndex)
{
    if (OnCycle)
        OnCycle(this, nextIndex);
}

void TTrayIcon::NotifyMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TTrayIcon::NotifyMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TTrayIcon::NotifyMouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TTrayIcon::NotifyMouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TTrayIcon::NotifyMouseExit()
{
    if (OnMouseExit)
        OnMouseExit(this);
}

} // namespace kelvaro
