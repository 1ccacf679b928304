#pragma once

#include <functional>
#include <memory>

namespace kelvaro {

/**
 * A window that is made when it is first used, not when the program starts: building a window
 * costs its fonts, pictures and texts, and most windows are never opened in a session. Copies share
 * the one window, which lives as long as the last copy. Empty (the default) means there is no such
 * window.
 */
template <typename Window>
class OnFirstUse
{
public:
    using Make = std::function<std::unique_ptr<Window>()>;

    OnFirstUse() = default;
    explicit OnFirstUse(Make make) : m_state(std::make_shared<State>(State{std::move(make), nullptr})) {}

    /** The window, made now if this is its first use; null when there is none. */
    Window* get() const
    {
        if (!m_state)
            return nullptr;
        if (!m_state->window)
            m_state->window = m_state->make();
        return m_state->window.get();
    }
    Window* operator->() const { return get(); }
    Window& operator*() const { return *get(); }

    /** The window if it has been made already; null otherwise (it is not made for asking). */
    Window* made() const { return m_state ? m_state->window.get() : nullptr; }

    /** Whether there is such a window, made or not. */
    explicit operator bool() const { return m_state != nullptr; }

private:
    struct State
    {
        Make make;
        std::unique_ptr<Window> window;
    };
    std::shared_ptr<State> m_state;
};

} // namespace kelvaro
