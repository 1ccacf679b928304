#pragma once

#include <QFocusEvent>

namespace kelvaro {

/** Whether a focus-out event means the user left the control for another one in the same window,
 *  not that another window (a message box, a menu) became active. */
inline bool leavesControl(const QEvent* event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace kelvaro
