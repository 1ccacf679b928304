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
        /** The text shown last: replaced by update(). */
        Notification notification;
        bool withdrawn = false;
        int updates = 0;
    };

    std::vector<Shown> shown;
    /** Whether a notification server is there; show() records in either case. */
    bool serverAvailable = true;
    /** Whether the server takes a notification at once; otherwise only confirm() tells it. */
    bool confirmsAtOnce = true;

    bool available() override { return serverAvailable; }

    Id show(const Notification& notification, ActionHandler onAction, FailureHandler onFailure,
            ShownHandler onShown) override
    {
        const Id id = ++m_lastId;
        shown.push_back({id, notification, false});
        m_handlers[id] = std::move(onAction);
        m_failureHandlers[id] = std::move(onFailure);
        if (confirmsAtOnce && onShown)
            onShown();
        else
            m_shownHandlers[id] = std::move(onShown);
        return id;
    }

    void update(Id id, const Notification& notification) override
    {
        for (Shown& entry : shown)
            if (entry.id == id && !entry.withdrawn) {
                entry.notification = notification;
                ++entry.updates;
            }
    }

    /** The server takes notification `id` late; false when it is not up or was taken already. */
    bool confirm(Id id)
    {
        const auto it = m_shownHandlers.find(id);
        if (it == m_shownHandlers.end() || !it->second)
            return false;
        const ShownHandler handler = std::move(it->second);
        m_shownHandlers.erase(it);
        handler();
        return true;
    }

    void withdraw(Id id) override
    {
        for (Shown& entry : shown)
            if (entry.id == id)
                entry.withdrawn = true;
        m_handlers.erase(id);
        m_failureHandlers.erase(id);
        m_shownHandlers.erase(id);
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
    std::map<Id, ShownHandler> m_shownHandlers;
};

} // namespace kelvaro::test
