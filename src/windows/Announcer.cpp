#include "windows/Announcer.h"

#include "core/Clock.h"
#include "core/RunAnnouncement.h"
#include "core/SerialDateTime.h"
#include "core/TimerService.h"
#include "windows/TVorwarnung.h"

namespace kelvaro {

Announcer::Announcer(Notifications& notifications, TimerService& timers, const Clock& clock, Choices choices,
                     ShownHandler onShown)
    : m_notifications(notifications), m_clock(clock), m_choices(std::move(choices)), m_onShown(std::move(onShown)),
      m_standIn(timers.create([this] { standIn(); }, TimerPrecision::Precise))
{}

Announcer::~Announcer()
{
    withdraw();
}

QString Announcer::endTime() const
{
    return SerialDateTime::formatTime(SerialDateTime::fromMSecsSinceEpoch(m_endMs));
}

Notification Announcer::notification() const
{
    // The server shows the text as it is while it is up: it names the clock time, not the seconds left.
    Notification notification;
    notification.summary = m_announcement->name();
    notification.body = m_announcement->body(endTime());
    if (!m_announcement->blocker.isEmpty())
        notification.body += u'\n' + m_announcement->blocker;
    notification.urgency = Notification::Urgency::Critical;
    notification.actions = {{cancelKey(), RunAnnouncement::cancelLabel()},
                            {postponeKey(), RunAnnouncement::postponeLabel()}};
    if (!m_announcement->blocker.isEmpty())
        notification.actions.append({forceKey(), RunAnnouncement::forceLabel()});
    return notification;
}

void Announcer::show(const RunAnnouncement& announcement, qint64 endMs, qint64 secondsLeft)
{
    if (m_announcement) {
        // The one that is up changes in its place (a blocking program named, the end moved).
        *m_announcement = announcement;
        m_endMs = endMs;
        m_secondsLeft = secondsLeft;
        if (m_id != 0)
            m_notifications.update(m_id, notification());
        if (m_window && m_window->isVisible())
            m_window->showAnnouncement(announcement, endTime(), secondsLeft);
        if (m_onScreen && m_onShown)
            m_onShown(m_clock.currentMSecsSinceEpoch());
        return;
    }
    m_announcement = std::make_unique<RunAnnouncement>(announcement);
    m_endMs = endMs;
    m_secondsLeft = secondsLeft;
    m_onScreen = false;
    if (m_notifications.available()) {
        // A server that fails or cannot show the two choices hands the announcement to the window at
        // once, one that says nothing within StandInMs when that time is up.
        m_id = m_notifications.show(
            notification(), [this](const QString& key) { chosen(key); }, [this] { standIn(); }, [this] { onScreen(); });
        if (m_id != 0) {
            if (!m_onScreen)
                m_standIn->startOnce(StandInMs);
            return;
        }
    }
    standIn();
}

void Announcer::standIn()
{
    if (!m_announcement)
        return;
    m_standIn->stop();
    // One announcement at a time: a notification that comes up late is not wanted any more.
    if (m_id != 0)
        m_notifications.withdraw(std::exchange(m_id, 0));
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
    m_window->showAnnouncement(*m_announcement, endTime(), m_secondsLeft, m_keepClear ? m_keepClear() : QList<QRect>());
    onScreen();
}

void Announcer::onScreen()
{
    if (m_onScreen)
        return;
    m_onScreen = true;
    m_standIn->stop();
    if (m_onShown)
        m_onShown(m_clock.currentMSecsSinceEpoch());
}

void Announcer::setEnd(qint64 endMs)
{
    if (!m_announcement || endMs == m_endMs)
        return;
    const QString before = endTime();
    m_endMs = endMs;
    if (endTime() == before)
        return;
    if (m_id != 0)
        m_notifications.update(m_id, notification());
    if (m_window && m_window->isVisible())
        m_window->setEndTime(endTime());
}

void Announcer::setSecondsLeft(qint64 secondsLeft)
{
    m_secondsLeft = secondsLeft;
    if (m_window && m_window->isVisible())
        m_window->setSecondsLeft(secondsLeft);
}

void Announcer::withdraw()
{
    m_standIn->stop();
    m_announcement.reset();
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
