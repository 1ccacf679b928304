#include "windows/SettingsPages.h"

#include "windows/MainServices.h"
#include "windows/TMainUi.h"

namespace kelvaro {

SettingsPages::SettingsPages(const TMainUi& ui, const MainServices& services, TEinst& options,
                             GeneralErrorHandler& errors, std::function<void()> showOptions,
                             std::function<TEinstellungen*()> editor, QWidget* owner)
    : presets(PresetsPage::Controls{ui.LBx_Presets, ui.Btn_Presets_Add, ui.Btn_Presets_Del, ui.Btn_Presets_Change,
                                    ui.CBx_Presets},
              PresetsPage::Links{services.registry, options, std::move(showOptions), editor, services.modal,
                                 services.inputBox, errors, owner}),
      shortcut(ShortcutPage::Controls{ui.Ed_LinkDatei, ui.Button1, ui.Button2, ui.Button3},
               ShortcutPage::Links{editor, services.modal, services.fileDialogs, services.boxes, errors,
                                   services.programPath}),
      schedules(ui.TS_Zeitplaene,
                SchedulesPage::Links{services.serviceManager, services.scheduleFolder, options,
                                     [this] { return presets.PresetList(); }, services.boxes, services.programPath})
{}

} // namespace kelvaro
