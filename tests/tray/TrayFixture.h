#pragma once

#include "mock/ManualTimerService.h"
#include "mock/RecordingTrayOwner.h"
#include "mock/RecordingTrayShell.h"
#include "tray/TTrayIcon.h"
#include "tray/TTrayIconHandler.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kelvaro::test {

/** One tray component on a recording shell, owner and manual timers; its events go to `log`. */
class TrayFixture : public ::testing::Test
{
protected:
    std::vector<std::string> log;
    ManualTimerService timers;
    RecordingTrayShell shell;
    RecordingTrayOwner owner;
    std::unique_ptr<TTrayIcon> tray;
    TShiftState lastShift;

    void SetUp() override
    {
        shell.log = &log;
        tray = std::make_unique<TTrayIcon>(shell, timers, &owner);
        tray->OnClick = [this](TTrayIcon*) {
            log.push_back("click");
        };
        tray->OnMouseDown = [this](TTrayIcon*, TMouseButton button, TShiftState shift, int x, int y) {
            lastShift = shift;
            log.push_back("down " + name(button) + " " + std::to_string(x) + "," + std::to_string(y));
        };
        tray->OnMouseUp = [this](TTrayIcon*, TMouseButton button, TShiftState shift, int, int) {
            lastShift = shift;
            log.push_back("up " + name(button));
        };
        tray->OnMouseMove = [this](TTrayIcon*, TShiftState shift, int x, int y) {
            lastShift = shift;
            log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
        };
        tray->OnMouseEnter = [this](TTrayIcon*) {
            log.push_back("enter");
        };
        tray->OnMouseExit = [this](TTrayIcon*) {
            log.push_back("exit");
        };
    }

    void handleDoubleClicks()
    {
        tray->OnDblClick = [this](TTrayIcon*) {
            log.push_back("dblclick");
        };
    }

    /** Sends a callback code to the component, as the notification area does. */
    void send(quint32 code)
    {
        const NotifyIconData& data = tray->notifyIconData();
        TTrayIconHandler::deliver(data.hWnd, data.uCallbackMessage, data.uID, code);
    }

    static std::string name(TMouseButton button)
    {
        switch (button) {
        case TMouseButton::Left:
            return "left";
        case TMouseButton::Right:
            return "right";
        case TMouseButton::Middle:
            return "middle";
        }
        return "?";
    }
};

} // namespace kelvaro::test
