#include "tray/QtTrayOwner.h"

namespace kelvaro {

QtTrayOwner::QtTrayOwner(QWidget* mainWindow) : m_window(mainWindow) {}

bool QtTrayOwner::isMainWindowMinimized() const
{
    return m_window && m_window->isMinimized();
}

void QtTrayOwner::showMainWindowNormal()
{
    if (m_window)
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
}

void QtTrayOwner::setMainWindowVisible(bool visible)
{
    if (m_window)
        m_window->setVisible(visible);
}

bool QtTrayOwner::isApplicationButtonVisible() const
{
    return m_window && m_window->isVisible();
}

void QtTrayOwner::hideApplicationButton()
{
    if (m_window)
        m_window->hide();
}

void QtTrayOwner::restoreApplication()
{
    showMainWindowNormal();
}

void QtTrayOwner::activateApplication()
{
    activateOwner();
}

void QtTrayOwner::activateOwner()
{
    if (!m_window)
        return;
    m_window->raise();
    m_window->activateWindow();
}

} // namespace kelvaro
