#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelvaro {

class FileDialogs;
class GeneralErrorHandler;
class MediaPlayer;
class TEinst;
class UpDown;

/**
 * The sound settings: no sound, a number of beeps, or a sound file with a button to choose it and
 * one to test it on the window's own player. The main window's "Sound" page and the preset editor
 * each have one; in the editor choosing beeps also takes the spinner's count, a typed file name is
 * only taken when the file exists, and every control is disabled unless the action is the message.
 */
class SoundPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Variant { MainWindow, Editor };

    explicit SoundPanel(Variant variant, QWidget* parent = nullptr);

    struct Binding
    {
        TEinst& options;
        MediaPlayer& player;
        FileDialogs& dialogs;
        GeneralErrorHandler& errors;
        std::function<void()> showOptions;
    };
    void bind(const Binding& binding);

    /** Writes the sound options into the controls without running handlers. */
    void showOptions(const TEinst& options);

    QRadioButton* RBtn_NoSound;
    QRadioButton* RBtn_Beep;
    QLabel* L_AnzTone;
    QLineEdit* Ed_AnzToene;
    UpDown* UpDown3;
    QRadioButton* RBtn_SoundDatei;
    QLineEdit* Ed_SoundFile;
    QPushButton* Btn_SoundDurchsuchen;
    QPushButton* Btn_PlayStop;

    // Handlers
    void setSoundMode(quint8 mode);
    void Ed_AnzToeneExit();
    void UpDown3Click(int position);
    void Ed_SoundFileExit();
    void Btn_SoundDurchsuchenClick();
    void Btn_PlayStopClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Variant m_variant;
    std::unique_ptr<Binding> m_binding;
};

} // namespace kelvaro
