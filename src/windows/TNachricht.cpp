#include "windows/TNachricht.h"

#include "core/Clock.h"
#include "core/ExpirySound.h"
#include "core/SerialDateTime.h"
#include "core/TEinst.h"
#include "core/TimerService.h"
#include "tray/WindowFocus.h"
#include "widgets/Controls.h"
#include "widgets/FormLook.h"
#include "widgets/ModalRunner.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QWindow>

#include <cstdlib>
#include <utility>

namespace kelvaro {

TNachricht::TNachricht(const Links& links, QWidget* parent)
    : QDialog(parent), m_links(links), m_timerMessage(links.timers.create([this] { Timer_MessageTimer(); }))
{
    setUpFixedDialog(*this, "Nachricht", tr("Kelvaro Nachrichtenfenster"), {393, 129});

    L_ZeitAbgelaufen = placeLabel(this, "L_ZeitAbgelaufen", tr("Zeit abgelaufen!"), QRect(0, 0, 393, 25));
    L_ZeitAbgelaufen->setAlignment(Qt::AlignCenter);
    L_ZeitAbgelaufen->setFont(formFont(QStringLiteral("Arial"), 16, QFont::Bold));

    Label_Nachricht = placeLabel(this, "Label_Nachricht", QString(), QRect(0, 40, 393, 34));
    // A text longer than the area begins at its top and is cut off at its bottom.
    Label_Nachricht->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label_Nachricht->setWordWrap(true);
    Label_Nachricht->setFont(formFont(QStringLiteral("MS Sans Serif"), 13));

    L_Uhrzeit = placeLabel(this, "L_Uhrzeit", QStringLiteral("00:00:00"), QRect(342, 106, 42, 13));
    L_Uhrzeit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Btn_OK = placeButton(this, "Btn_OK", tr("OK"), {159, 96, 75, 25});
    Btn_OK->setDefault(true);
    Btn_OK->setFocus();

    connect(Btn_OK, &QPushButton::clicked, this, &TNachricht::Btn_OKClick);
}

TNachricht::~TNachricht() = default;

void TNachricht::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TNachricht::FormShow()
{
    // The label has room for about three lines; a message of any length must not slow it down.
    Label_Nachricht->setText(m_links.options.GetNachricht().left(kShownMessageLength));
    L_Uhrzeit->setText(QStringLiteral("00:00:00"));
    m_shownAtMs = m_links.clock.currentMSecsSinceEpoch();
    centreOnScreen(*this);
    m_timerMessage->start(kMessageTickMs);
    announce();
}

void TNachricht::announce()
{
    Notification notification;
    notification.summary = L_ZeitAbgelaufen->text();
    notification.body = Label_Nachricht->text();
    // Up as long as the window: the server keeps it until the window withdraws it.
    notification.urgency = Notification::Urgency::Critical;
    notification.defaultAction = true;
    m_notification = m_links.notifications.show(notification, [this](const QString&) { bringToFront(); });

    // Once shown: the desktop marks a window that is not in front (task bar, window list).
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isVisible())
                QApplication::alert(this);
        },
        Qt::QueuedConnection);
}

void TNachricht::bringToFront()
{
    if (!isVisible())
        return;
    raise();
    if (mayTakeFocus())
        activateWindow();
}

void TNachricht::Timer_MessageTimer()
{
    m_timerMessage->stop();
    // Whole seconds since the window appeared, whichever way the clock was set meanwhile; the
    // display wraps to 00:00:00 after a day.
    const qint64 elapsedSeconds = std::llabs(m_links.clock.currentMSecsSinceEpoch() - m_shownAtMs) / 1000;
    L_Uhrzeit->setText(SerialDateTime::formatTime(qint64(elapsedSeconds * 1000)));
    m_timerMessage->start(kMessageTickMs);
}

void TNachricht::Btn_OKClick()
{
    m_links.sound.StopSound();
    accept();
}

void TNachricht::showOver(QWidget& owner, ModalRunner& modal)
{
    // Modal towards the main window only: the notification-area icon, a window of its own, must stay
    // usable, since its click and its menu's "Anzeigen" close the message.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowModality(Qt::WindowModal);
    winId();
    windowHandle()->setTransientParent(owner.windowHandle());
    modal.exec(*this);
}

void TNachricht::closeIfShowing()
{
    if (isVisible())
        reject();
}

void TNachricht::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TNachricht::FormClose()
{
    if (m_links.closed)
        m_links.closed();
    m_timerMessage->stop();
    m_links.notifications.withdraw(std::exchange(m_notification, 0));
}

} // namespace kelvaro
