#pragma once

#include "core/TEinst.h"

#include <QObject>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QListWidget;
class QPushButton;
class QWidget;

namespace kelvaro {

class GeneralErrorHandler;
class InputBox;
class ModalRunner;
class RegistryStore;
class TEinstellungen;

/**
 * The presets: named option sets stored as the numbered subkeys 001, 002, ... of the program's key.
 * The page keeps them in `PresetList`, shows their names in the list on the page "Vordef. Einst."
 * and in the choice at the top of the main window, adds, edits (in the preset editor) and deletes
 * them, and copies a chosen one into the main window's options. After every change the whole set
 * of subkeys is rewritten in one store update.
 */
class PresetsPage : public QObject
{
    Q_OBJECT

public:
    /** The main window's controls that show the presets; those of the page "Vordef. Einst." may be
     *  null, and given later with attachList. */
    struct Controls
    {
        QListWidget* LBx_Presets;
        QPushButton* Btn_Presets_Add;
        QPushButton* Btn_Presets_Del;
        QPushButton* Btn_Presets_Change;
        QComboBox* CBx_Presets;
    };
    /** What the page works with; everything must outlive the page. */
    struct Links
    {
        RegistryStore& registry;
        TEinst& currentOptions;
        /** Redraws the main window from `currentOptions`. */
        std::function<void()> showOptions;
        /** The preset editor, or none while it does not exist yet. */
        std::function<TEinstellungen*()> editor;
        ModalRunner& modal;
        InputBox& inputBox;
        GeneralErrorHandler& errors;
        /** The window the input box belongs to. */
        QWidget* window;
    };

    PresetsPage(const Controls& controls, const Links& links);

    /** The controls of the page "Vordef. Einst.", made after the page: the list shows the presets. */
    void attachList(QListWidget* list, QPushButton* add, QPushButton* del, QPushButton* change);

    const std::vector<TROptionen>& PresetList() const { return m_presetList; }

    /** Deletes the values of the program's older settings layout from the program's key. */
    void RemoveOldValues();
    /** Replaces `PresetList` with the presets stored, in the order of their numbers (subkeys whose
     *  names are not preset numbers are skipped). */
    void LoadPresets();
    /** Replaces every subkey of the program's key, whatever its name, with `PresetList`, in one
     *  update; creates the key when it is missing. Throws AppError when the store cannot be written. */
    void SavePresets();
    /** Refills the list and the choice (an empty item first); nothing is selected afterwards. */
    void ShowPresets();

    void Btn_Presets_AddClick();
    void Btn_Presets_ChangeClick();
    void Btn_Presets_DelClick();
    void LBx_PresetsClick();
    void CBx_PresetsChange(int index);

private:
    std::optional<QString> askName(const QString& first, const QString& again);
    /** Shows the editor on its options as they are; true when it was closed with a valid "OK". */
    bool showEditor(TEinstellungen& editor);
    void saveAndShow();
    void fillList();
    int selectedRow() const;

    Controls m_controls;
    Links m_links;
    std::vector<TROptionen> m_presetList;
};

} // namespace kelvaro
