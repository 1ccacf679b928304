#include "windows/PowerActionRun.h"

#include "core/MessageBoxes.h"
#include "core/PowerActions.h"
#include "core/TEinst.h"
#include "windows/Announcer.h"
#include "windows/TAktionsfehler.h"

#include <QPointer>

namespace kelvaro {

PowerActionRun::PowerActionRun(Links links) : m_links(links) {}

PowerActionRun::~PowerActionRun()
{
    closeReport();
}

bool PowerActionRun::mayStart(quint8 action)
{
    closeReport();
    m_forceAtEnd = false;
    setNote({});
    if (action == AktionNachricht || !isKnownAktion(action))
        return true;

    // Start waits for the answer, at most a second: the run must not change while the question is
    // out (a second click, another action chosen), and logind answers within milliseconds. Without
    // an answer the run starts; the request at the end then decides.
    const PowerPermission permission = m_links.power.permission(action, kStartQuestionMs);
    if (const std::optional<QString> refusal = PowerFailure::startRefusal(action, permission)) {
        m_links.boxes.error(*refusal);
        return false;
    }
    if (permission == PowerPermission::Challenge)
        setNote(PowerFailure::passwordNote());
    return true;
}

void PowerActionRun::runEnded()
{
    if (m_failure.isEmpty())
        setNote({});
}

void PowerActionRun::setNote(const QString& note, const QString& failure)
{
    if (note == m_note && failure == m_failure)
        return;
    m_note = note;
    m_failure = failure;
    if (noteChanged)
        noteChanged();
}

void PowerActionRun::announce(const RunAnnouncement& announcement, qint64 endMs, qint64 secondsLeft)
{
    const quint64 serial = ++m_announcement;
    m_announced = announcement;
    m_endMs = endMs;
    m_secondsLeft = secondsLeft;
    m_up = true;
    if (m_forceAtEnd) {
        m_announced.forced = true;
        show(m_announced);
        return;
    }
    show(m_announced);
    m_links.power.findInhibitor(announcement.action, [self = QPointer<PowerActionRun>(this),
                                                      serial](const std::optional<PowerInhibitor>& holder) {
        if (!self || serial != self->m_announcement || !holder || self->m_forceAtEnd)
            return;
        RunAnnouncement named = self->m_announced;
        named.blocker = PowerFailure::blockedBy(named.action, holder->program, holder->why);
        self->show(named);
    });
}

void PowerActionRun::show(const RunAnnouncement& announcement)
{
    m_links.announcer.show(announcement, m_endMs, m_secondsLeft);
}

void PowerActionRun::setEnd(qint64 endMs)
{
    m_endMs = endMs;
    m_links.announcer.setEnd(endMs);
}

void PowerActionRun::setSecondsLeft(qint64 secondsLeft)
{
    m_secondsLeft = secondsLeft;
    m_links.announcer.setSecondsLeft(secondsLeft);
}

void PowerActionRun::withdraw()
{
    ++m_announcement;
    m_up = false;
    m_links.announcer.withdraw();
}

void PowerActionRun::forceAtEnd()
{
    m_forceAtEnd = true;
    ++m_announcement;
    // The announcement stays up, now as a forced one without the third choice.
    if (m_up) {
        RunAnnouncement forced = m_announced;
        forced.forced = true;
        forced.blocker.clear();
        show(forced);
    }
}

void PowerActionRun::carryOut(quint8 action, bool force, std::function<void()> succeeded)
{
    m_action = action;
    m_force = force;
    m_succeeded = std::move(succeeded);
    m_links.power.RunPowerAction(action, force || m_forceAtEnd,
                                 [self = QPointer<PowerActionRun>(this)](const PowerOutcome& outcome) {
                                     if (self)
                                         self->finished(outcome);
                                 });
}

void PowerActionRun::finished(const PowerOutcome& outcome)
{
    if (outcome) {
        report(*outcome);
        return;
    }
    closeReport();
    setNote({});
    if (m_succeeded)
        m_succeeded();
}

void PowerActionRun::report(const PowerFailure& failure)
{
    setNote(PowerFailure::failedNote(), PowerFailure::headline(m_action));

    if (!m_window) {
        m_window = std::make_unique<TAktionsfehler>();
        m_window->OnErneut = [this] {
            chosen(retryKey());
        };
        m_window->OnTrotzdem = [this] {
            chosen(forceKey());
        };
        m_window->OnGeschlossen = [this] {
            chosen(closeKey());
        };
    }
    m_window->showFailure(m_action, failure);

    if (m_notification != 0)
        m_links.notifications.withdraw(std::exchange(m_notification, 0));
    if (m_links.notifications.available()) {
        Notification notification;
        notification.summary = PowerFailure::headline(m_action);
        notification.body = failure.reason();
        notification.urgency = Notification::Urgency::Critical;
        notification.actions = {{retryKey(), TAktionsfehler::retryLabel()}};
        if (failure.forcingMayHelp())
            notification.actions.append({forceKey(), TAktionsfehler::forceLabel()});
        notification.actions.append({closeKey(), TAktionsfehler::closeLabel()});
        // The window is up in any case, so a server that fails needs no stand-in.
        m_notification = m_links.notifications.show(notification, [this](const QString& key) { chosen(key); });
    }
}

void PowerActionRun::closeReport()
{
    if (m_notification != 0)
        m_links.notifications.withdraw(std::exchange(m_notification, 0));
    if (m_window)
        m_window->hide();
}

void PowerActionRun::chosen(const QString& key)
{
    closeReport();
    if (key == retryKey())
        carryOut(m_action, m_force, m_succeeded);
    else if (key == forceKey())
        carryOut(m_action, true, m_succeeded);
}

} // namespace kelvaro
