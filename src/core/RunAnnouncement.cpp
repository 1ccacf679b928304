#include "core/RunAnnouncement.h"

#include "core/TEinst.h"

namespace kelvaro {

std::optional<RunAnnouncement> RunAnnouncement::of(const TEinst& options)
{
    const quint8 action = options.GetAktion();
    // Locking the screen ends nothing, so it comes unannounced.
    if (action < AktionShutdown || action > AktionHibernate || options.GetVorwarnzeit() <= 0)
        return std::nullopt;
    return RunAnnouncement{action, options.GetForce() && action <= AktionLogoff};
}

QString RunAnnouncement::summary(qint64 secondsLeft) const
{
    QString name;
    switch (action) {
    case AktionShutdown:
        name = QStringLiteral("Herunterfahren");
        break;
    case AktionRestart:
        name = QStringLiteral("Neustart");
        break;
    case AktionLogoff:
        name = QStringLiteral("Abmelden");
        break;
    case AktionHibernate:
        name = QStringLiteral("Ruhezustand");
        break;
    default:
        name = QStringLiteral("Standby");
        break;
    }
    const QString unit = secondsLeft == 1 ? QStringLiteral("Sekunde") : QStringLiteral("Sekunden");
    return QStringLiteral("%1 in %2 %3").arg(name).arg(secondsLeft).arg(unit);
}

QString RunAnnouncement::body() const
{
    return forced ? QStringLiteral("(erzwungen)") : QString();
}

qint64 RunAnnouncement::secondsLeft(qint64 msLeft)
{
    return msLeft <= 0 ? 0 : (msLeft + 999) / 1000;
}

} // namespace kelvaro
