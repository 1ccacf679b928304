#pragma once

#include "mock/FakeClock.h"
#include "mock/RecordingTrayShell.h"
#include "mock/VirtualTimerService.h"
#include "tray/TTrayIcon.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kelvaro::test {

/** One tray component of a main window on a recording notification area and virtual timers; its
 *  events go to `log`. */
class TrayFixture : public ::testing::Test
{
protected:
    std::vector<std::string> log;
    FakeClock clock;
    VirtualTimerService timers{clock};
    RecordingTrayShell shell;
    QWidget window;
    std::unique_ptr<TTrayIcon> tray;

    void SetUp() override
    {
        window.show();
        tray = std::make_unique<TTrayIcon>(shell, &window);
        tray->OnClick = [this](TTrayIcon*) {
            log.push_back("click");
        };
        tray->OnDblClick = [this](TTrayIcon*) {
            log.push_back("dblclick");
        };
    }
};

} // namespace kelvaro::test
