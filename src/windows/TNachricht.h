#pragma once

#include <QDialog>

class QAction;
class QLabel;
class QPushButton;
class QTimer;

namespace kelvaro {

class Clock;
class ExpirySound;
class TEinst;

/**
 * The message window shown when a message run expires: "Zeit abgelaufen!", the message text and a
 * clock that counts the time since the window appeared. It is shown modally and on top of all
 * windows; however it is closed, the tray menu's "Start" is enabled and "Stop" disabled again.
 */
class TNachricht : public QDialog
{
    Q_OBJECT

public:
    struct Links
    {
        Clock& clock;
        const TEinst& options; // the main window's options: the message text
        ExpirySound& sound;    // stops a sound file that is still playing on "OK"
        QAction* start1;       // the tray menu's "Start"
        QAction* stop1;        // the tray menu's "Stop"
    };

    explicit TNachricht(const Links& links, QWidget* parent = nullptr);

    void Timer_MessageTimer();
    void Btn_OKClick();
    /** Closes the window if it is showing (the tray icon does this before it shows the main window). */
    void closeIfShowing();

    /** The longest part of the message that is laid out; the window shows about three lines of it. */
    static constexpr int kShownMessageLength = 2000;

    QLabel* L_ZeitAbgelaufen;
    QLabel* Label_Nachricht;
    QLabel* L_Uhrzeit;
    QPushButton* Btn_OK;
    QTimer* Timer_Message;

public Q_SLOTS:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void FormClose();

    Links m_links;
    qint64 m_shownAtMs = 0;
};

} // namespace kelvaro
