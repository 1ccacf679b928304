#include "tray/TrayReferenced.h"

#include <algorithm>

namespace kelvaro {

TrayReferenced::~TrayReferenced()
{
    // Taken out first: a listener may unregister itself while it runs.
    const std::vector<Listener> listeners = std::move(m_listeners);
    m_listeners.clear();
    for (const Listener& listener : listeners)
        listener.onRemoved();
}

void TrayReferenced::addRemovalListener(const void* key, std::function<void()> onRemoved)
{
    removeRemovalListener(key);
    m_listeners.push_back({key, std::move(onRemoved)});
}

void TrayReferenced::removeRemovalListener(const void* key)
{
    std::erase_if(m_listeners, [key](const Listener& listener) { return listener.key == key; });
}

} // namespace kelvaro
