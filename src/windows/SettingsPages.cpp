#include "windows/SettingsPages.h"

#include "core/TestSound.h"
#include "widgets/ActionPanel.h"
#include "widgets/SoundPanel.h"
#include "widgets/StartPanel.h"
#include "windows/MainServices.h"
#include "windows/TMainUi.h"

#include <QPushButton>
#include <QTabWidget>

namespace kelvaro {

SettingsPages::SettingsPages(TMainUi& ui, const MainServices& services, TEinst& options, GeneralErrorHandler& errors,
                             std::function<void()> showOptions, std::function<TEinstellungen*()> editor, QWidget* owner)
    : presets(PresetsPage::Controls{nullptr, nullptr, nullptr, nullptr, ui.CBx_Presets},
              PresetsPage::Links{services.registry, options, showOptions, editor, services.modal, services.inputBox,
                                 errors, owner}),
      m_ui(ui), m_services(services), m_options(options), m_errors(errors), m_showOptions(std::move(showOptions)),
      m_editor(std::move(editor))
{}

SettingsPages::~SettingsPages() = default;

void SettingsPages::build()
{
    if (built())
        return;
    m_ui.setupSettingsPages();
    m_ui.Aktion->bind(m_options, m_showOptions);
    m_ui.Aktion->setPowerActions(&m_services.power);
    m_ui.Sound->bind({m_options, m_services.mediaPlayer, m_services.fileDialogs, m_errors, m_showOptions});
    m_ui.Start->bind(m_options, m_services.boxes);
    presets.attachList(m_ui.LBx_Presets, m_ui.Btn_Presets_Add, m_ui.Btn_Presets_Del, m_ui.Btn_Presets_Change);
    m_shortcut = std::make_unique<ShortcutPage>(
        ShortcutPage::Controls{m_ui.Ed_LinkDatei, m_ui.Button1, m_ui.Button2, m_ui.Button3},
        ShortcutPage::Links{m_editor, m_services.modal, m_services.fileDialogs, m_services.boxes, m_errors,
                            m_services.programPath});
    m_schedules = std::make_unique<SchedulesPage>(
        m_ui.TS_Zeitplaene,
        SchedulesPage::Links{m_services.serviceManager, m_services.scheduleFolder, m_options,
                             [this] { return presets.PresetList(); }, m_services.boxes, m_services.programPath});
    showOptions();
}

void SettingsPages::showOptions()
{
    if (!built())
        return;
    m_ui.Aktion->showOptions(m_options);
    m_ui.Sound->showOptions(m_options);
    m_ui.Start->showOptions(m_options);
    m_ui.PageControl1->setTabVisible(m_ui.PageControl1->indexOf(m_ui.TS_Sound),
                                     m_options.GetAktion() == AktionNachricht);
}

void SettingsPages::showFirstPage()
{
    if (built())
        m_ui.PageControl1->setCurrentIndex(0);
}

void SettingsPages::stopSoundTest()
{
    if (m_ui.Sound && m_ui.Sound->Btn_PlayStop->text() == testSoundPlayingCaption())
        m_ui.Sound->Btn_PlayStop->click();
}

} // namespace kelvaro
