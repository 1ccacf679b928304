#include "windows/PresetsPage.h"

#include "core/AppError.h"
#include "core/Registry.h"
#include "core/TimeFields.h"
#include "widgets/GeneralErrorHandler.h"
#include "widgets/InputBox.h"
#include "widgets/ModalRunner.h"
#include "windows/TEinstellungen.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>

#include <algorithm>

namespace kelvaro {

namespace {

/** Values of the settings layout before presets existed. */
constexpr const char* kOldValues[] = {"Autostart", "CountDown", "Logoff",  "Message", "Reboot",
                                      "ShutDown",  "Sound",     "Standby", "Stopuhr", "Uhrzeit"};

bool removeOldValues(RegistryTree& tree)
{
    bool removed = false;
    if (tree.keyExists(kMainKey)) {
        for (const char* name : kOldValues)
            removed = tree.deleteValue(kMainKey, QLatin1String(name)) || removed;
    }
    return removed;
}

} // namespace

PresetsPage::PresetsPage(const Controls& controls, const Links& links) : m_controls(controls), m_links(links)
{
    connect(m_controls.CBx_Presets, &QComboBox::activated, this,
            [this](int index) { m_links.errors.guard([this, index] { CBx_PresetsChange(index); }); });
    if (controls.LBx_Presets) {
        m_controls.LBx_Presets = nullptr;
        attachList(controls.LBx_Presets, controls.Btn_Presets_Add, controls.Btn_Presets_Del,
                   controls.Btn_Presets_Change);
    }
}

void PresetsPage::attachList(QListWidget* list, QPushButton* add, QPushButton* del, QPushButton* change)
{
    if (m_controls.LBx_Presets)
        return;
    m_controls.LBx_Presets = list;
    m_controls.Btn_Presets_Add = add;
    m_controls.Btn_Presets_Del = del;
    m_controls.Btn_Presets_Change = change;
    const auto guarded = [this](void (PresetsPage::*handler)()) {
        return m_links.errors.guarded(this, handler);
    };
    connect(add, &QPushButton::clicked, this, guarded(&PresetsPage::Btn_Presets_AddClick));
    connect(change, &QPushButton::clicked, this, guarded(&PresetsPage::Btn_Presets_ChangeClick));
    connect(del, &QPushButton::clicked, this, guarded(&PresetsPage::Btn_Presets_DelClick));
    connect(list, &QListWidget::itemSelectionChanged, this, &PresetsPage::LBx_PresetsClick);
    fillList();
}

void PresetsPage::RemoveOldValues()
{
    // The store is written only when there is something to remove. When it cannot be written the
    // old values stay; nothing reads them.
    RegistryTree stored = m_links.registry.load();
    if (!removeOldValues(stored))
        return;
    m_links.registry.update([](RegistryTree& tree) { removeOldValues(tree); });
}

void PresetsPage::LoadPresets()
{
    m_presetList.clear();
    const RegistryTree tree = m_links.registry.load();
    if (!tree.keyExists(kMainKey))
        return;
    // A subkey is read through the padded name of its number ("1" reads "001"); names that are no
    // preset number, or whose padded key does not exist, are skipped. The store lists subkeys by
    // name, which puts "1000" between "100" and "101": the list follows the numbers instead, so
    // that saving (which numbers the presets by their place) keeps their order.
    std::vector<qint32> numbers;
    for (const QString& name : tree.subkeys(kMainKey)) {
        const std::optional<qint32> number = StrToInt(name);
        if (number && *number >= 1 && tree.keyExists(TEinst::KeyPath(*number)))
            numbers.push_back(*number);
    }
    std::stable_sort(numbers.begin(), numbers.end());
    for (const qint32 number : numbers) {
        TEinst preset;
        preset.LoadFromTree(tree, number);
        m_presetList.push_back(preset.options());
    }
}

void PresetsPage::SavePresets()
{
    QString error;
    const bool saved = m_links.registry.update(
        [this](RegistryTree& tree) {
            const QStringList subkeys = tree.subkeys(kMainKey);
            for (const QString& name : subkeys)
                tree.deleteKey(kMainKey + u'\\' + name);
            tree.createKey(kMainKey);
            TEinst preset;
            for (std::size_t k = 0; k < m_presetList.size(); ++k) {
                preset.SetOptions(m_presetList[k]);
                preset.SaveToTree(tree, static_cast<int>(k) + 1);
            }
        },
        &error);
    if (!saved)
        throw AppError(tr("Die vordefinierten Einstellungen konnten nicht gespeichert werden: %1").arg(error));
}

void PresetsPage::fillList()
{
    if (!m_controls.LBx_Presets)
        return;
    m_controls.LBx_Presets->clear();
    for (const TROptionen& preset : m_presetList)
        m_controls.LBx_Presets->addItem(preset.Name);
}

void PresetsPage::ShowPresets()
{
    fillList();
    const QSignalBlocker blocker(m_controls.CBx_Presets);
    m_controls.CBx_Presets->clear();
    m_controls.CBx_Presets->addItem(QString());
    for (const TROptionen& preset : m_presetList)
        m_controls.CBx_Presets->addItem(preset.Name);
    m_controls.CBx_Presets->setCurrentIndex(-1);
}

void PresetsPage::saveAndShow()
{
    // The controls show PresetList even when it could not be stored, so that they keep matching it.
    const auto show = qScopeGuard([this] { ShowPresets(); });
    SavePresets();
}

std::optional<QString> PresetsPage::askName(const QString& first, const QString& again)
{
    QString text = first;
    for (;;) {
        const std::optional<QString> answer =
            m_links.inputBox.ask(m_links.window, tr("Vordefinierte Einstellungen"), tr("Name:"), text);
        if (!answer)
            return std::nullopt;
        const QString name = answer->trimmed();
        if (!name.isEmpty())
            return name;
        text = again;
    }
}

bool PresetsPage::showEditor(TEinstellungen& editor)
{
    m_links.modal.exec(editor);
    return editor.Accepted();
}

int PresetsPage::selectedRow() const
{
    if (!m_controls.LBx_Presets)
        return -1;
    const QList<QListWidgetItem*> selected = m_controls.LBx_Presets->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int row = m_controls.LBx_Presets->row(selected.constFirst());
    return row < static_cast<int>(m_presetList.size()) ? row : -1;
}

void PresetsPage::Btn_Presets_AddClick()
{
    TEinstellungen* editor = m_links.editor();
    if (!editor)
        return;
    const std::optional<QString> name = askName(QString(), QString());
    if (!name)
        return;

    // The new preset exists with the default settings even when the editor is left without "OK".
    TEinst& edited = editor->EditorOptions();
    edited.SetDefaults();
    edited.SetName(*name);
    m_presetList.push_back(edited.options());
    if (showEditor(*editor))
        m_presetList.back() = edited.options();
    saveAndShow();
}

void PresetsPage::Btn_Presets_ChangeClick()
{
    TEinstellungen* editor = m_links.editor();
    const int row = selectedRow();
    if (!editor || row < 0)
        return;
    const QString oldName = m_presetList[static_cast<std::size_t>(row)].Name;
    const std::optional<QString> name = askName(oldName, oldName);
    if (!name)
        return;

    TEinst& edited = editor->EditorOptions();
    edited.SetDefaults();
    edited.SetOptions(m_presetList[static_cast<std::size_t>(row)]);
    edited.SetName(*name);
    // Without a valid "OK" the preset keeps its settings and its old name.
    if (showEditor(*editor))
        m_presetList[static_cast<std::size_t>(row)] = edited.options();
    saveAndShow();
}

void PresetsPage::Btn_Presets_DelClick()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    m_presetList.erase(m_presetList.begin() + row);
    saveAndShow();
}

void PresetsPage::LBx_PresetsClick()
{
    if (m_controls.LBx_Presets->count() > 0)
        m_controls.Btn_Presets_Change->setEnabled(true);
}

void PresetsPage::CBx_PresetsChange(int index)
{
    // Item 0 is the empty line; item i is preset i.
    if (index < 1 || index > static_cast<int>(m_presetList.size()))
        return;
    m_links.currentOptions.SetOptions(m_presetList[static_cast<std::size_t>(index) - 1]);
    m_links.showOptions();
}

} // namespace kelvaro
