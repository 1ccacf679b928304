#pragma once

#include "core/RunController.h"

#include <QCoreApplication>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QMenu;
class QPushButton;
class QTabWidget;
class QWidget;

namespace kelvaro {

class ActionPanel;
class DigitPad;
class SoundPanel;
class StartPanel;
class StatusPanels;
class TimeEntryBox;

/** The controls of the main window, created and placed by setupUi; the window owns them. */
struct TMainUi
{
    Q_DECLARE_TR_FUNCTIONS(TMainUi)

public:
    QMenu* MenuDatei = nullptr;
    QMenu* MenuOptionen = nullptr;
    QMenu* MenuHilfe = nullptr;
    QAction* Beenden1 = nullptr;
    QAction* Einstellungen1 = nullptr;
    QAction* Programmdeinstallieren1 = nullptr;
    QAction* Hilfe1 = nullptr;
    QAction* Info2 = nullptr;

    QComboBox* CBx_Presets = nullptr;
    QLabel* Label_TimeNow = nullptr;
    QLabel* Label9 = nullptr;     // start time
    QLabel* Label11 = nullptr;    // end time
    QLabel* Label7 = nullptr;     // remaining time, or the time elapsed while a run waits for a program
    QLabel* L_Restzeit = nullptr; // the caption of Label7
    TimeEntryBox* Eingabe = nullptr;

    QPushButton* Btn_Speichern = nullptr;
    QPushButton* Btn_Config = nullptr;
    QPushButton* Btn_Start = nullptr;
    QPushButton* Btn_Reset = nullptr;
    QPushButton* Btn_Beenden = nullptr;

    /** The fold-out settings area; its pages are made when it first opens. */
    QWidget* SettingsArea = nullptr;

    // The settings pages and their controls, and the digit pad: null until setupSettingsPages and
    // setupDigitPad.
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr; // "Aktion"
    QWidget* TS_Sound = nullptr;
    QWidget* TS_Zeitplaene = nullptr; // repeating schedules (SchedulesPage)
    QWidget* Sonstiges = nullptr;     // "Starteinstellungen"
    QWidget* TabSheet3 = nullptr;     // "Vordef. Einst."
    QWidget* TabSheet2 = nullptr;     // "Verknüpfung"
    ActionPanel* Aktion = nullptr;
    SoundPanel* Sound = nullptr;
    StartPanel* Start = nullptr;
    DigitPad* P_Eingabehilfe = nullptr;

    // "Vordef. Einst."
    QListWidget* LBx_Presets = nullptr;
    QPushButton* Btn_Presets_Add = nullptr;
    QPushButton* Btn_Presets_Del = nullptr;
    QPushButton* Btn_Presets_Change = nullptr;

    // "Verknüpfung"
    QLineEdit* Ed_LinkDatei = nullptr;
    QPushButton* Button1 = nullptr; // "Durchsuchen"
    QPushButton* Button2 = nullptr; // "Einstellungen zusammenstellen"
    QPushButton* Button3 = nullptr; // "Erzeugen"

    StatusPanels* StatusBar1 = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* ProgAnzeigen = nullptr;
    QAction* Start1 = nullptr;
    QAction* Stop1 = nullptr;
    QAction* Spaeter1 = nullptr; // "5 Minuten später"
    QAction* ProgBeenden = nullptr;

    /** Ctrl++ in the main window: the running countdown or clock-time run ends five minutes later. */
    QAction* Spaeter2 = nullptr;

    /** Creates the window's controls, the settings area empty. */
    void setupUi(QMainWindow* window);
    /** Creates the settings pages with their controls, once. While the settings area is folded, so
     *  that they show when it opens. */
    void setupSettingsPages();
    /** Creates the digit pad, once: it opens over the client area. */
    void setupDigitPad();
    /** The controls a run locks, and those it opens. */
    void enableForRun(bool running);
    /** The run's times and captions, and whether it can be postponed. */
    void showRun(const RunDisplay& display);

    /** The caption of Label7: "Verbleibende Zeit:", or while a run waits what the time beside it counts. */
    static QString restzeitCaption(RunDisplay::Caption caption = RunDisplay::Caption::Remaining);
};

} // namespace kelvaro
