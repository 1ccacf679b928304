#pragma once

#include <functional>
#include <vector>

namespace kelvaro {

/**
 * Something a tray component refers to without owning it (its popup menu, its image list). It
 * tells the components that refer to it when it goes away, so they drop the reference.
 */
class TrayReferenced
{
public:
    TrayReferenced() = default;
    TrayReferenced(const TrayReferenced&) = delete;
    TrayReferenced& operator=(const TrayReferenced&) = delete;
    /** Calls every listener still registered. */
    virtual ~TrayReferenced();

    /** Calls `onRemoved` when this object is destroyed; `key` identifies the listener. */
    void addRemovalListener(const void* key, std::function<void()> onRemoved);
    void removeRemovalListener(const void* key);

private:
    struct Listener
    {
        const void* key;
        std::function<void()> onRemoved;
    };
    std::vector<Listener> m_listeners;
};

} // namespace kelvaro
