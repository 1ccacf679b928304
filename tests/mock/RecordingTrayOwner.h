#pragma once

#include "tray/TrayOwner.h"

#include <string>
#include <vector>

namespace kelvaro::test {

/** A main window and application that only keep their state and log what was done to them. */
class RecordingTrayOwner : public TrayOwner
{
public:
    bool mainWindow = true;
    bool mainVisible = true;
    bool mainMinimized = false;
    bool buttonVisible = true;
    bool showMainForm = true;
    std::vector<std::string> calls;

    bool hasMainWindow() const override { return mainWindow; }
    bool isMainWindowMinimized() const override { return mainMinimized; }
    void showMainWindowNormal() override
    {
        mainMinimized = false;
        calls.push_back("normal");
    }
    void setMainWindowVisible(bool visible) override
    {
        mainVisible = visible;
        calls.push_back(visible ? "show" : "hide");
    }
    bool isApplicationButtonVisible() const override { return buttonVisible; }
    void hideApplicationButton() override
    {
        buttonVisible = false;
        calls.push_back("hide button");
    }
    void restoreApplication() override
    {
        buttonVisible = true;
        calls.push_back("restore application");
    }
    void activateApplication() override { calls.push_back("activate application"); }
    void activateOwner() override { calls.push_back("activate owner"); }
    void setShowMainForm(bool show) override { showMainForm = show; }
};

} // namespace kelvaro::test
