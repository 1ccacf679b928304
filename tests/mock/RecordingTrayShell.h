#pragma once

#include "tray/TTrayIconHandler.h"
#include "tray/TrayShell.h"

#include <map>
#include <string>
#include <vector>

namespace kelvaro::test {

/**
 * A notification area that records every command and keeps the shown icons like the real one:
 * adding an icon that is there already, or changing or removing one that is not, is refused.
 */
class RecordingTrayShell : public TrayShell
{
public:
    struct Call
    {
        NotifyIconMessage message;
        NotifyIconData data;
        bool accepted;
    };

    std::vector<Call> calls;
    std::map<quint64, NotifyIconData> shown;
    bool areaAvailable = true;
    std::optional<QPoint> cursor = QPoint(100, 200);
    TShiftState keys;
    quint32 dblClickTime = 500;
    /** Where set-foreground calls are logged as "foreground", next to the test's own entries. */
    std::vector<std::string>* log = nullptr;

    bool notifyIcon(NotifyIconMessage message, const NotifyIconData& data) override
    {
        const quint64 key = (quint64{data.hWnd} << 32) | data.uID;
        const bool present = shown.contains(key);
        bool accepted = false;
        if (message == NotifyIconMessage::Add)
            accepted = areaAvailable && !present;
        else
            accepted = present;
        if (accepted && message == NotifyIconMessage::Delete)
            shown.erase(key);
        else if (accepted)
            shown[key] = data;
        calls.push_back({message, data, accepted});
        return accepted;
    }
    bool isNotificationAreaAvailable() const override { return areaAvailable; }
    std::optional<QPoint> cursorPos() const override { return cursor; }
    TShiftState keyState() const override { return keys; }
    quint32 doubleClickTime() const override { return dblClickTime; }
    void setForegroundWindow() override
    {
        if (log)
            log->push_back("foreground");
    }

    /** The area restarts: all icons are gone, and the components are told. */
    void restart()
    {
        shown.clear();
        TTrayIconHandler::notificationAreaRestarted();
    }
    /** How many commands of a kind were sent. */
    int count(NotifyIconMessage message) const
    {
        int n = 0;
        for (const Call& call : calls)
            n += call.message == message ? 1 : 0;
        return n;
    }
};

} // namespace kelvaro::test
