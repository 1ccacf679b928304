#pragma once

#include "tray/TrayPopupMenu.h"

#include <QMenu>

namespace kelvaro {

/**
 * A QMenu the tray component can open. It opens by itself on a button press unless autoPopup is
 * switched off; its default action (QMenu::setDefaultAction) is the item a double click on the
 * icon clicks. Components that use it forget it when it is destroyed.
 */
class QtTrayPopupMenu : public QMenu, public TrayPopupMenu
{
public:
    explicit QtTrayPopupMenu(QWidget* parent = nullptr);

    bool autoPopup() const override { return m_autoPopup; }
    void setAutoPopup(bool value) { m_autoPopup = value; }
    void setPopupComponent(TTrayIcon* component) override { m_popupComponent = component; }
    /** The component that opened the menu last. */
    TTrayIcon* popupComponent() const { return m_popupComponent; }
    /** Runs the menu at `at` until it closes. */
    void popup(QPoint at) override;
    bool clickDefaultItem() override;

private:
    bool m_autoPopup = true;
    TTrayIcon* m_popupComponent = nullptr;
};

} // namespace kelvaro
