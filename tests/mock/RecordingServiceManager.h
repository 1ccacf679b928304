#pragma once

#include "core/ServiceManager.h"

namespace kelvaro::test {

/** A service manager that records its requests and refuses the one named in `refuse`. */
class RecordingServiceManager : public ServiceManager
{
public:
    QString refuse;
    QStringList calls;

    bool available() override { return true; }
    Error reload() override { return answer(QStringLiteral("reload")); }
    Error enable(const QStringList& units) override { return answer(QStringLiteral("enable ") + units.join(u' ')); }
    Error disable(const QStringList& units) override { return answer(QStringLiteral("disable ") + units.join(u' ')); }
    Error start(const QString& unit) override { return answer(QStringLiteral("start ") + unit); }
    Error stop(const QString& unit) override { return answer(QStringLiteral("stop ") + unit); }
    std::optional<TimerState> timerState(const QString&) override { return std::nullopt; }

private:
    Error answer(const QString& call)
    {
        calls << call;
        return !refuse.isEmpty() && call.startsWith(refuse) ? Error(QStringLiteral("nein")) : std::nullopt;
    }
};

} // namespace kelvaro::test
