#pragma once

#include <functional>

class QKeyEvent;
class QPushButton;

namespace kelvaro {

/** Enter in a main window as in a dialog: one button is the default, and Enter anywhere presses it. */
class DefaultButton
{
public:
    void set(QPushButton* button);
    QPushButton* button() const { return m_button; }
    /** Presses the default button when `event` is Enter and the button is enabled, unless `mayPress`
     *  says no; true when the key was Enter for the button (pressed or not). */
    bool press(const QKeyEvent& event, const std::function<bool()>& mayPress) const;

private:
    QPushButton* m_button = nullptr;
};

} // namespace kelvaro
