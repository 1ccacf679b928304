#pragma once

#include "core/TEinst.h"
#include "widgets/GeneralErrorHandler.h"

#include <QDialog>

class QFrame;
class QPushButton;

namespace kelvaro {

class ActionPanel;
class AudioDevice;
class FileDialogs;
class MediaPlayer;
class MessageBoxes;
class ProcessWatcher;
class SoundPanel;
class StartPanel;
class TimeEntryBox;

/**
 * The preset editor: one page with the time, the action, the sound and the start settings of its
 * own options object `EditorOptions`. Every control writes its option at once, so the object holds
 * the last state however the dialog is closed; `Accepted` tells whether it was closed with a
 * valid "OK". The callers fill `EditorOptions` before showing the dialog and read it afterwards.
 */
class TEinstellungen : public QDialog
{
    Q_OBJECT

public:
    /** `boxes`, `fileDialogs` and `processes` (the running programs to choose from) must outlive the
     *  dialog; the dialog's own player `MediaPlayer1` plays its sound tests on `audio`. */
    TEinstellungen(MessageBoxes& boxes, FileDialogs& fileDialogs, AudioDevice& audio, ProcessWatcher& processes,
                   QWidget* parent = nullptr);

    TEinst& EditorOptions() { return m_editorOptions; }
    /** True once "OK" has closed the dialog with valid settings; false again at every showing. */
    bool Accepted() const { return m_accepted; }

    /** Writes `EditorOptions` into the controls without running their handlers. */
    void ShowOptions();

    void Btn_OKClick();
    void Btn_SchliessenClick();

    TimeEntryBox* Eingabe = nullptr;
    ActionPanel* Aktion = nullptr;
    SoundPanel* Sound = nullptr;
    StartPanel* Start = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Schliessen = nullptr;
    MediaPlayer* MediaPlayer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupUi();
    void FormShow();

    MessageBoxes& m_boxes;
    GeneralErrorHandler m_errors;
    TEinst m_editorOptions;
    bool m_accepted = false;
};

} // namespace kelvaro
