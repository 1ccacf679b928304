#include "tray/QtTrayPopupMenu.h"

namespace kelvaro {

QtTrayPopupMenu::QtTrayPopupMenu(QWidget* parent) : QMenu(parent) {}

void QtTrayPopupMenu::popup(QPoint at)
{
    exec(at);
}

bool QtTrayPopupMenu::clickDefaultItem()
{
    QAction* action = defaultAction();
    if (!action || !action->isEnabled() || !actions().contains(action))
        return false;
    action->trigger();
    return true;
}

} // namespace kelvaro
