#include "core/RemoteState.h"

#include "core/TEinst.h"

#include <array>
#include <utility>

namespace kelvaro {

namespace {

const std::array<std::pair<RemoteState::Run, const char*>, 5> kRuns{{
    {RemoteState::Run::Idle, "idle"},
    {RemoteState::Run::Running, "running"},
    {RemoteState::Run::Announced, "announced"},
    {RemoteState::Run::Waiting, "waiting"},
    {RemoteState::Run::Stopwatch, "stopwatch"},
}};

// Indexed by the Aktion code.
const std::array<const char*, 7> kActions{"message", "poweroff", "reboot", "logout", "suspend", "hibernate", "lock"};

} // namespace

QString RemoteState::runName(Run run)
{
    for (const auto& [value, name] : kRuns)
        if (value == run)
            return QString::fromLatin1(name);
    return {};
}

std::optional<RemoteState::Run> RemoteState::runFromName(const QString& name)
{
    for (const auto& [value, text] : kRuns)
        if (name == QLatin1String(text))
            return value;
    return std::nullopt;
}

QString RemoteState::actionName(quint8 action)
{
    return isKnownAktion(action) ? QString::fromLatin1(kActions[action]) : QString();
}

std::optional<quint8> RemoteState::actionFromName(const QString& name)
{
    for (std::size_t code = 0; code < kActions.size(); ++code)
        if (name == QLatin1String(kActions[code]))
            return static_cast<quint8>(code);
    return std::nullopt;
}

} // namespace kelvaro
