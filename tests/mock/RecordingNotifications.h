#pragma once

#include "core/Notifications.h"

#include <map>
#include <vector>

namespace kelvaro::test {

/** Notifications kept in a list: what was shown, what is still up, and the user's choices played back. */
class RecordingNotifications : public Notifications
{
public:
    struct Shown
    {
        Id id = 0;
        Notification notification;
        bool withdrawn = false;
    };

    std::vector<Shown> shown;
    /** Whether a notification server is there; show() records in either case. */
    bool serverAvailable = true;

    bool available() override { return serverAvailable; }

    Id show(const Notification& notification, ActionHandler onAction, FailureHandler onFailure) override
    {
        const Id id = ++m_lastId;
        shown.push_back({id, notification, false});
        m_handlers[id] = std::move(onAction);
        m_failureHandlers[id] = std::move(onFailure);
        return id;
    }

    void withdraw(Id id) override
    {
        for (Shown& entry : shown)
            if (entry.id == id)
                entry.withdrawn = true;
        m_handlers.erase(id);
        m_failureHandlers.erase(id);
    }

    /** The notifications that are up now (shown and not withdrawn). */
    std::vector<Shown> up() const
    {
        std::vector<Shown> result;
        for (const Shown& entry : shown)
            if (!entry.withdrawn)
                result.push_back(entry);
        return result;
    }

    /** The user chooses action `key` of notification `id`; false when it is not up or has no handler. */
    bool choose(Id id, const QString& key)
    {
        const auto it = m_handlers.find(id);
        if (it == m_handlers.end() || !it->second)
            return false;
        const ActionHandler handler = it->second;
        m_handlers.erase(it); // an action comes at most once
        handler(key);
        return true;
    }

    /** Notification `id` could not be shown as asked; false when it is not up or has no handler. */
    bool fail(Id id)
    {
        const auto it = m_failureHandlers.find(id);
        if (it == m_failureHandlers.end() || !it->second)
            return false;
        const FailureHandler handler = it->second;
        m_failureHandlers.erase(it);
        handler();
        return true;
    }

private:
    Id m_lastId = 0;
    std::map<Id, ActionHandler> m_handlers;
    std::map<Id, FailureHandler> m_failureHandlers;
};

} // namespace kelvaro::test
