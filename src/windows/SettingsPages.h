#pragma once

#include "windows/PresetsPage.h"
#include "windows/SchedulesPage.h"
#include "windows/ShortcutPage.h"

#include <functional>
#include <memory>

class QWidget;

namespace kelvaro {

class GeneralErrorHandler;
class TEinst;
class TEinstellungen;
struct MainServices;
struct TMainUi;

/**
 * The main window's settings area. Its pages are made when the area first opens, since it starts
 * folded and many runs never open it: until then the presets show in the choice at the top only,
 * and the options live in the window's option set. The pages that keep more than options are the
 * presets, the launcher and the repeating schedules.
 */
class SettingsPages
{
public:
    SettingsPages(TMainUi& ui, const MainServices& services, TEinst& options, GeneralErrorHandler& errors,
                  std::function<void()> showOptions, std::function<TEinstellungen*()> editor, QWidget* owner);
    ~SettingsPages();

    /** Makes the pages' controls, bound to the options and showing them and the presets; once. */
    void build();
    bool built() const { return m_shortcut != nullptr; }
    /** Shows the options on the pages, once they exist. */
    void showOptions();
    /** Turns to the first page, once the pages exist. */
    void showFirstPage();
    /** Ends a sound test that is playing. */
    void stopSoundTest();

    PresetsPage presets;

private:
    TMainUi& m_ui;
    const MainServices& m_services;
    TEinst& m_options;
    GeneralErrorHandler& m_errors;
    std::function<void()> m_showOptions;
    std::function<TEinstellungen*()> m_editor;
    std::unique_ptr<ShortcutPage> m_shortcut;
    std::unique_ptr<SchedulesPage> m_schedules;
};

} // namespace kelvaro
