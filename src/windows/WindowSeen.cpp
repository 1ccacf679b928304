#include "windows/WindowSeen.h"

#include <QEvent>
#include <QWidget>

namespace kelvaro {

WindowSeen::WindowSeen(QWidget& window, std::function<void(bool seen)> changed)
    : m_window(window), m_changed(std::move(changed))
{
    m_window.installEventFilter(this);
    m_seen = m_window.isVisible() && !m_window.isMinimized();
    m_changed(m_seen);
}

WindowSeen::~WindowSeen()
{
    m_window.removeEventFilter(this);
}

bool WindowSeen::eventFilter(QObject* watched, QEvent* event)
{
    // The window's visibility and state are set before these events are sent.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
        update();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void WindowSeen::update()
{
    const bool seen = m_window.isVisible() && !m_window.isMinimized();
    if (seen == m_seen)
        return;
    m_seen = seen;
    m_changed(seen);
}

} // namespace kelvaro
