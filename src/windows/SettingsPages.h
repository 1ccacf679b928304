#pragma once

#include "windows/PresetsPage.h"
#include "windows/SchedulesPage.h"
#include "windows/ShortcutPage.h"

#include <functional>

class QWidget;

namespace kelvaro {

class GeneralErrorHandler;
class TEinst;
class TEinstellungen;
struct MainServices;
struct TMainUi;

/** The pages of the main window's settings area that keep more than options: the presets, the
 *  launcher and the repeating schedules. */
struct SettingsPages
{
    SettingsPages(const TMainUi& ui, const MainServices& services, TEinst& options, GeneralErrorHandler& errors,
                  std::function<void()> showOptions, std::function<TEinstellungen*()> editor, QWidget* owner);

    PresetsPage presets;
    ShortcutPage shortcut;
    SchedulesPage schedules;
};

} // namespace kelvaro
