#include "windows/TVorwarnung.h"

#include "core/RunAnnouncement.h"
#include "widgets/Controls.h"
#include "widgets/FormLook.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace kelvaro {

TVorwarnung::TVorwarnung(QWidget* parent) : QDialog(parent)
{
    setUpFixedDialog(*this, "Vorwarnung", tr("Kelvaro Vorwarnung"), {300, 104});
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setModal(false);
    // Shown while the user works in another program: a key typed there must not choose a button here.
    setAttribute(Qt::WA_ShowWithoutActivating);

    L_Vorwarnung = placeLabel(this, "L_Vorwarnung", QString(), QRect(0, 12, 300, 24));
    L_Vorwarnung->setAlignment(Qt::AlignCenter);
    L_Vorwarnung->setFont(formFont(QStringLiteral("Arial"), 16, QFont::Bold));
    L_Erzwungen = placeLabel(this, "L_Erzwungen", QString(), QRect(0, 40, 300, 17));
    L_Erzwungen->setAlignment(Qt::AlignCenter);

    Btn_Abbrechen = placeButton(this, "Btn_Abbrechen", tr("&Abbrechen"), {40, 68, 100, 25});
    Btn_Spaeter = placeButton(this, "Btn_Spaeter", tr("5 &Minuten später"), {160, 68, 100, 25});
    // Return chooses "Abbrechen" wherever the focus is: no key lets the action come sooner.
    Btn_Abbrechen->setAutoDefault(false);
    Btn_Spaeter->setAutoDefault(false);
    Btn_Abbrechen->setDefault(true);
    L_Blockiert = placeLabel(this, "L_Blockiert", QString(), QRect(8, 58, 344, 32));
    L_Blockiert->setAlignment(Qt::AlignCenter);
    L_Blockiert->setWordWrap(true);
    Btn_Trotzdem = placeButton(this, "Btn_Trotzdem", tr("&Trotzdem ausführen"), {244, 96, 108, 25});
    Btn_Trotzdem->setAutoDefault(false);
    connect(Btn_Trotzdem, &QPushButton::clicked, this, [this] { choose(OnTrotzdem); });
    arrange(false);
    connect(Btn_Abbrechen, &QPushButton::clicked, this, [this] { choose(OnAbbrechen); });
    connect(Btn_Spaeter, &QPushButton::clicked, this, [this] { choose(OnSpaeter); });
}

RunAnnouncement TVorwarnung::announcement() const
{
    return RunAnnouncement{m_action, m_forced};
}

void TVorwarnung::showAnnouncement(const RunAnnouncement& announcement, const QString& endTime, qint64 secondsLeft,
                                   const QList<QRect>& keepClear)
{
    m_action = announcement.action;
    m_forced = announcement.forced;
    setEndTime(endTime);
    L_Blockiert->setText(announcement.blocker);
    // Up already and wider or narrower now: it stays centred where it was.
    const int centre = frameGeometry().center().x();
    arrange(!announcement.blocker.isEmpty());
    if (isVisible())
        move(x() + centre - frameGeometry().center().x(), y());
    setSecondsLeft(secondsLeft);
    if (!isVisible()) {
        placeClearOf(*this, keepClear);
        show();
    }
    raise();
}

void TVorwarnung::setSecondsLeft(qint64 secondsLeft)
{
    L_Vorwarnung->setText(announcement().summary(secondsLeft));
}

void TVorwarnung::setEndTime(const QString& endTime)
{
    L_Erzwungen->setText(announcement().body(endTime));
}

void TVorwarnung::keyPressEvent(QKeyEvent* event)
{
    // Escape cancels, as in any dialog; closing the window alone leaves the run going.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Btn_Abbrechen->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TVorwarnung::arrange(bool blocked)
{
    // Wider with the blocking program, so that its sentence and the three choices fit.
    const int width = blocked ? 360 : 300;
    L_Blockiert->setVisible(blocked);
    Btn_Trotzdem->setVisible(blocked);
    L_Vorwarnung->setGeometry(0, 12, width, 24);
    L_Erzwungen->setGeometry(0, 40, width, 17);
    if (blocked) {
        Btn_Abbrechen->setGeometry(8, 96, 108, 25);
        Btn_Spaeter->setGeometry(126, 96, 108, 25);
    } else {
        Btn_Abbrechen->setGeometry(40, 68, 100, 25);
        Btn_Spaeter->setGeometry(160, 68, 100, 25);
    }
    setFixedSize(width, blocked ? 129 : 104);
}

void TVorwarnung::choose(const std::function<void()>& choice)
{
    // The run takes the window back itself; the copy keeps the handler alive while it runs.
    const std::function<void()> chosen = choice;
    if (chosen)
        chosen();
}

} // namespace kelvaro
