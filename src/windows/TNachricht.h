#pragma once

#include "core/Notifications.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace kelvaro {

class ModalRunner;

class Clock;
class ExpirySound;
class TEinst;
class Timer;
class TimerService;

/**
 * The message window shown when a message run expires: "Zeit abgelaufen!", the message text and a
 * clock that counts the time since the window appeared. It is shown modally and on top of all
 * windows; however it is closed, it says so, and the main window enables "Start" and disables "Stop"
 * in the tray menu again.
 * While it is open, a desktop notification says so too, and the window asks the desktop for
 * attention: where a window cannot put itself on top (Wayland), it may open behind others.
 */
class TNachricht : public QDialog
{
    Q_OBJECT

public:
    struct Links
    {
        Clock& clock;
        TimerService& timers;
        const TEinst& options;        // the main window's options: the message text
        ExpirySound& sound;           // stops a sound file that is still playing on "OK"
        std::function<void()> closed; // told whenever the window closes, however it is closed
        Notifications& notifications; // the desktop's notification while the window is open
    };

    explicit TNachricht(const Links& links, QWidget* parent = nullptr);
    ~TNachricht() override;

    void Btn_OKClick();
    /** Closes the window if it is showing (the tray icon does this before it shows the main window). */
    void closeIfShowing();
    /** Shows the message on top of all windows and modal towards `owner` only, through `modal`;
     *  returns when it has been closed. */
    void showOver(QWidget& owner, ModalRunner& modal);

    /** Period of the elapsed-time display, in milliseconds. */
    static constexpr qint64 kMessageTickMs = 200;
    /** The longest part of the message that is laid out; the window shows about three lines of it. */
    static constexpr int kShownMessageLength = 2000;

    QLabel* L_ZeitAbgelaufen;
    QLabel* Label_Nachricht;
    QLabel* L_Uhrzeit;
    QPushButton* Btn_OK;

public Q_SLOTS:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void FormClose();
    /** The tick of Timer_Message: the time since the window appeared. */
    void Timer_MessageTimer();
    /** Tells the desktop that the time is up: a notification whose click brings the window to the
     *  front, and a request for attention. */
    void announce();
    void bringToFront();

    Links m_links;
    std::unique_ptr<Timer> m_timerMessage; // Timer_Message
    qint64 m_shownAtMs = 0;
    Notifications::Id m_notification = 0;
};

} // namespace kelvaro
