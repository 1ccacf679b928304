#include "core/RunAnnouncement.h"

#include "core/TEinst.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace kelvaro {

std::optional<RunAnnouncement> RunAnnouncement::of(const TEinst& options)
{
    const quint8 action = options.GetAktion();
    // Locking the screen ends nothing, so it comes unannounced.
    if (action < AktionShutdown || action > AktionHibernate || options.GetVorwarnzeit() <= 0)
        return std::nullopt;
    return RunAnnouncement{action, options.GetForce() && action <= AktionLogoff};
}

QString RunAnnouncement::name() const
{
    switch (action) {
    case AktionShutdown:
        return QCoreApplication::translate("RunAnnouncement", "Herunterfahren");
    case AktionRestart:
        return QCoreApplication::translate("RunAnnouncement", "Neustart");
    case AktionLogoff:
        return QCoreApplication::translate("RunAnnouncement", "Abmelden");
    case AktionHibernate:
        return QCoreApplication::translate("RunAnnouncement", "Ruhezustand");
    default:
        return QCoreApplication::translate("RunAnnouncement", "Standby");
    }
}

QString RunAnnouncement::summary(qint64 secondsLeft) const
{
    const int n = static_cast<int>(std::clamp<qint64>(secondsLeft, 0, std::numeric_limits<int>::max()));
    //: The action and the number of seconds: "Herunterfahren in 60 Sekunden", "Abmelden in 1 Sekunde".
    return QCoreApplication::translate("RunAnnouncement", "%1 in %n Sekunden", nullptr, n).arg(name());
}

QString RunAnnouncement::body(const QString& endTime) const
{
    //: The clock time of the action: "um 23:00:00".
    const QString at = QCoreApplication::translate("RunAnnouncement", "um %1").arg(endTime);
    return forced ? at + u' ' + QCoreApplication::translate("RunAnnouncement", "(erzwungen)") : at;
}

qint64 RunAnnouncement::secondsLeft(qint64 msLeft)
{
    return msLeft <= 0 ? 0 : msLeft / 1000;
}

} // namespace kelvaro
