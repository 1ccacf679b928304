#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace kelvaro {

/**
 * Follows whether a window is seen: shown and not minimised. It watches the window's showing,
 * hiding (into the notification area) and minimising, and reports each change, and the state it
 * finds at the start.
 */
class WindowSeen : public QObject
{
public:
    WindowSeen(QWidget& window, std::function<void(bool seen)> changed);
    ~WindowSeen() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    QWidget& m_window;
    std::function<void(bool)> m_changed;
    bool m_seen = false;
};

} // namespace kelvaro
