#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;

namespace kelvaro {

class MessageBoxes;
class RegistryStore;
class ScheduleBook;
class RegistryTree;

/**
 * The dialog that removes every stored setting and names the file they are kept in. After the user
 * confirms, the program's key with all its presets is deleted in one store update, the user is
 * told, and the program ends at once with exit code 1, so that nothing can write the settings back.
 */
class TDeinstallation : public QDialog
{
    Q_OBJECT

public:
    /** Ends the program with the given exit code; the program's default does not return. */
    using ExitFunction = std::function<void(int)>;

    /** `store` and `boxes` must outlive the dialog. */
    TDeinstallation(RegistryStore& store, MessageBoxes& boxes, ExitFunction exitProgram, QWidget* parent = nullptr);

    /** Called whenever the dialog closes, however it is closed (the main window makes its start
     *  button the default button again). */
    void setOnClose(std::function<void()> onClose);
    /** The repeating schedules, which are removed with the settings; none by default. `book` must
     *  outlive the dialog. */
    void setSchedules(ScheduleBook* book);

    /** Removes the program's key and everything below it, and the key "Software" above it when
     *  nothing else is left in it. */
    static void removeAllSettings(RegistryTree& tree);

    void Btn_DeinstallierenClick();
    void Btn_AbbruchClick();
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupUi();
    /** Writes the places into their label and fits the group and the window to them. */
    void showPlaces();
    /** Removes every schedule; false (after an error box) when one could not be removed. */
    bool removeSchedules();
    /** Where the removal takes the program's entries away, one line a place, as the user finds it. */
    QStringList removedPlaces() const;

    RegistryStore& m_store;
    MessageBoxes& m_boxes;
    ExitFunction m_exit;
    std::function<void()> m_onClose;
    ScheduleBook* m_schedules = nullptr;

    QPushButton* Btn_Deinstallieren = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Abbruch = nullptr;
    QWidget* m_group = nullptr;
    QLabel* m_places = nullptr;
};

} // namespace kelvaro
