#include "tray/QtTrayShell.h"

#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QTextDocument>

namespace kelvaro {

QtTrayShell::QtTrayShell(Availability availability) : m_availability(std::move(availability))
{
    if (!m_availability)
        m_availability = [] {
            return QSystemTrayIcon::isSystemTrayAvailable();
        };
}

QtTrayShell::~QtTrayShell()
{
    delete m_icon;
}

bool QtTrayShell::isAvailable() const
{
    return m_availability();
}

void QtTrayShell::show()
{
    if (!m_icon) {
        m_icon = new QSystemTrayIcon;
        // Queued: on an XEmbed notification area Qt reports the activation from inside the icon
        // window's own mouse handler, and what it leads to (a click or the menu's "Anzeigen" removes
        // the icon) must not delete that window while its handler still runs.
        QObject::connect(
            m_icon, &QSystemTrayIcon::activated, m_icon,
            [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); }, Qt::QueuedConnection);
        applyIcon();
        m_icon->setToolTip(m_toolTip);
        m_icon->setContextMenu(m_menu);
    }
    // Shown again also when it is there already: after a restart of the area it has to register anew.
    m_icon->hide();
    m_icon->show();
}

void QtTrayShell::hide()
{
    if (m_icon)
        m_icon->hide();
}

void QtTrayShell::setIcon(const QIcon& icon)
{
    m_image = icon;
    if (m_icon)
        applyIcon();
}

void QtTrayShell::applyIcon()
{
    QIcon icon = m_image;
    if (icon.isNull())
        icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    if (icon.cacheKey() == m_shownImageKey)
        return;
    m_shownImageKey = icon.cacheKey();
    m_icon->setIcon(icon);
}

void QtTrayShell::setToolTip(const QString& text)
{
    const QString toolTip = Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
    if (toolTip == m_toolTip)
        return;
    m_toolTip = toolTip;
    if (m_icon)
        m_icon->setToolTip(m_toolTip);
}

void QtTrayShell::setContextMenu(QMenu* menu)
{
    m_menu = menu;
    if (m_icon)
        m_icon->setContextMenu(menu);
}

} // namespace kelvaro
