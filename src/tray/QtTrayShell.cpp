#include "tray/QtTrayShell.h"

#include "tray/TTrayIconHandler.h"
#include "tray/TrayIconImage.h"

#include <QApplication>
#include <QCursor>
#include <QStyle>
#include <QStyleHints>
#include <QTextDocument>

namespace kelvaro {

QtTrayShell::QtTrayShell(QObject* parent, Availability availability)
    : QObject(parent), m_availability(std::move(availability))
{
    if (!m_availability)
        m_availability = [] {
            return QSystemTrayIcon::isSystemTrayAvailable();
        };
    m_areaCheck.setInterval(AreaCheckInterval);
    connect(&m_areaCheck, &QTimer::timeout, this, &QtTrayShell::checkNotificationArea);
}

bool QtTrayShell::notifyIcon(NotifyIconMessage message, const NotifyIconData& data)
{
    switch (message) {
    case NotifyIconMessage::Add:
        addIcon(data);
        return isNotificationAreaAvailable();
    case NotifyIconMessage::Modify: {
        const auto it = m_icons.find(keyOf(data));
        if (it == m_icons.end())
            return false;
        apply(it->second, data);
        return true;
    }
    case NotifyIconMessage::Delete:
        return deleteIcon(data);
    }
    return false;
}

void QtTrayShell::addIcon(const NotifyIconData& data)
{
    Entry& entry = m_icons[keyOf(data)];
    if (!entry.icon) {
        entry.icon = new QSystemTrayIcon(this);
        // Queued: on an XEmbed notification area Qt reports the activation from inside the icon
        // window's own mouse handler, and what it leads to (the icon's menu, whose "Anzeigen" removes
        // the icon) must not delete that window while its handler still runs.
        connect(
            entry.icon, &QSystemTrayIcon::activated, this,
            [window = data.hWnd, message = data.uCallbackMessage,
             id = data.uID](QSystemTrayIcon::ActivationReason reason) { activated(window, message, id, reason); },
            Qt::QueuedConnection);
    }
    apply(entry, data);
    // Shown again also when it is there already: after a restart of the area it has to register anew.
    entry.icon->hide();
    entry.icon->show();
    if (!m_areaCheck.isActive()) {
        m_areaAvailable = isNotificationAreaAvailable();
        m_areaCheck.start();
    }
}

bool QtTrayShell::deleteIcon(const NotifyIconData& data)
{
    const auto it = m_icons.find(keyOf(data));
    if (it == m_icons.end())
        return false;
    QSystemTrayIcon* icon = it->second.icon;
    m_icons.erase(it);
    icon->hide();
    // Later, because the icon may be removed from inside its own activation.
    icon->deleteLater();
    if (m_icons.empty())
        m_areaCheck.stop();
    return true;
}

void QtTrayShell::apply(Entry& entry, const NotifyIconData& data)
{
    QIcon icon = TrayIconImage::fromHandle(data.hIcon);
    // An icon without an image could not be seen or clicked, and the window hidden behind it
    // could not be brought back: the program's own icon stands in.
    if (icon.isNull())
        icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    if (icon.cacheKey() != entry.iconKey) {
        entry.iconKey = icon.cacheKey();
        entry.icon->setIcon(icon);
    }
    // The tooltip is plain text even where it looks like markup.
    QString toolTip = data.tip();
    if (Qt::mightBeRichText(toolTip))
        toolTip = Qt::convertFromPlainText(toolTip, Qt::WhiteSpaceNoWrap);
    if (toolTip != entry.toolTip) {
        entry.toolTip = toolTip;
        entry.icon->setToolTip(toolTip);
    }
}

void QtTrayShell::activated(quint32 window, quint32 message, quint32 id, QSystemTrayIcon::ActivationReason reason)
{
    const auto send = [=](quint32 code) {
        TTrayIconHandler::deliver(window, message, id, code);
    };
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        send(TrayCode::LButtonDown);
        send(TrayCode::LButtonUp);
        break;
    case QSystemTrayIcon::DoubleClick:
        send(TrayCode::LButtonDblClk);
        break;
    case QSystemTrayIcon::MiddleClick:
        send(TrayCode::MButtonDown);
        send(TrayCode::MButtonUp);
        break;
    case QSystemTrayIcon::Context:
        send(TrayCode::RButtonDown);
        send(TrayCode::RButtonUp);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void QtTrayShell::checkNotificationArea()
{
    const bool available = isNotificationAreaAvailable();
    const bool restarted = available && !m_areaAvailable;
    m_areaAvailable = available;
    if (restarted)
        TTrayIconHandler::notificationAreaRestarted();
}

bool QtTrayShell::isNotificationAreaAvailable() const
{
    return m_availability();
}

std::optional<QPoint> QtTrayShell::cursorPos() const
{
    return QCursor::pos();
}

TShiftState QtTrayShell::keyState() const
{
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    TShiftState state;
    state.setFlag(TShiftFlag::Shift, modifiers.testFlag(Qt::ShiftModifier));
    state.setFlag(TShiftFlag::Ctrl, modifiers.testFlag(Qt::ControlModifier));
    state.setFlag(TShiftFlag::Alt, modifiers.testFlag(Qt::AltModifier));
    return state;
}

quint32 QtTrayShell::doubleClickTime() const
{
    return static_cast<quint32>(std::max(0, QGuiApplication::styleHints()->mouseDoubleClickInterval()));
}

void QtTrayShell::setForegroundWindow()
{
    // Nothing to do: a Qt menu takes the input itself and closes when the user clicks elsewhere.
}

} // namespace kelvaro
