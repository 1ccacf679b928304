#include "windows/Announcer.h"

#include "core/RunAnnouncement.h"
#include "windows/TVorwarnung.h"

namespace kelvaro {

Announcer::Announcer(Notifications& notifications, Choices choices)
    : m_notifications(notifications), m_choices(std::move(choices))
{}

Announcer::~Announcer()
{
    withdraw();
}

void Announcer::show(const RunAnnouncement& announcement, qint64 secondsLeft)
{
    if (m_id != 0)
        m_notifications.withdraw(std::exchange(m_id, 0));
    if (m_notifications.available()) {
        Notification notification;
        notification.summary = announcement.summary(secondsLeft);
        notification.body = announcement.body();
        if (!announcement.blocker.isEmpty())
            notification.body = QString(notification.body + u'\n' + announcement.blocker).trimmed();
        notification.urgency = Notification::Urgency::Critical;
        notification.actions = {{cancelKey(), RunAnnouncement::cancelLabel()},
                                {postponeKey(), RunAnnouncement::postponeLabel()}};
        if (!announcement.blocker.isEmpty())
            notification.actions.append({forceKey(), RunAnnouncement::forceLabel()});
        // A server that fails, does not answer or cannot show the two choices leaves the
        // announcement to the window, so the user is never without them.
        m_id = m_notifications.show(
            notification, [this](const QString& key) { chosen(key); },
            [this, announcement, secondsLeft] { showWindow(announcement, secondsLeft); });
        if (m_id != 0) {
            if (m_window)
                m_window->hide();
            return;
        }
    }
    showWindow(announcement, secondsLeft);
}

void Announcer::showWindow(const RunAnnouncement& announcement, qint64 secondsLeft)
{
    if (!m_window) {
        m_window = std::make_unique<TVorwarnung>();
        m_window->OnAbbrechen = [this] {
            chosen(cancelKey());
        };
        m_window->OnSpaeter = [this] {
            chosen(postponeKey());
        };
        m_window->OnTrotzdem = [this] {
            chosen(forceKey());
        };
    }
    m_window->showAnnouncement(announcement, secondsLeft);
}

void Announcer::setSecondsLeft(qint64 secondsLeft)
{
    if (m_window && m_window->isVisible())
        m_window->setSecondsLeft(secondsLeft);
}

void Announcer::withdraw()
{
    if (m_id != 0)
        m_notifications.withdraw(std::exchange(m_id, 0));
    if (m_window)
        m_window->hide();
}

void Announcer::chosen(const QString& key)
{
    // The run takes the announcement back itself (a notification server may keep one that was
    // chosen on, so it is closed all the same).
    if (key == cancelKey() && m_choices.cancel)
        m_choices.cancel();
    else if (key == postponeKey() && m_choices.postpone)
        m_choices.postpone();
    else if (key == forceKey() && m_choices.force)
        m_choices.force();
}

} // namespace kelvaro
