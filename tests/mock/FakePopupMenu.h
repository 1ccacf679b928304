#pragma once

#include "tray/TrayPopupMenu.h"

#include <string>
#include <vector>

namespace kelvaro::test {

/** A popup menu that logs "popup x,y" and "default item" instead of showing anything. */
class FakePopupMenu : public TrayPopupMenu
{
public:
    bool automatic = true;
    bool hasDefaultItem = false;
    TTrayIcon* component = nullptr;
    std::vector<std::string>* log = nullptr;

    explicit FakePopupMenu(std::vector<std::string>* sharedLog) : log(sharedLog) {}

    bool autoPopup() const override { return automatic; }
    void setPopupComponent(TTrayIcon* source) override { component = source; }
    void popup(QPoint at) override { log->push_back("popup " + std::to_string(at.x()) + "," + std::to_string(at.y())); }
    bool clickDefaultItem() override
    {
        if (hasDefaultItem)
            log->push_back("default item");
        return hasDefaultItem;
    }
};

} // namespace kelvaro::test
