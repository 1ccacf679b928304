#include "core/RunAnnouncement.h"

#include "core/TEinst.h"

#include <QCoreApplication>

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
        name = QCoreApplication::translate("RunAnnouncement", "Herunterfahren");
        break;
    case AktionRestart:
        name = QCoreApplication::translate("RunAnnouncement", "Neustart");
        break;
    case AktionLogoff:
        name = QCoreApplication::translate("RunAnnouncement", "Abmelden");
        break;
    case AktionHibernate:
        name = QCoreApplication::translate("RunAnnouncement", "Ruhezustand");
        break;
    default:
        name = QCoreApplication::translate("RunAnnouncement", "Standby");
        break;
    }
    const QString unit = secondsLeft == 1 ? QCoreApplication::translate("RunAnnouncement", "Sekunde")
                                          : QCoreApplication::translate("RunAnnouncement", "Sekunden");
    //: The action, the number of seconds and "Sekunde" or "Sekunden": "Herunterfahren in 60 Sekunden".
    return QCoreApplication::translate("RunAnnouncement", "%1 in %2 %3").arg(name).arg(secondsLeft).arg(unit);
}

QString RunAnnouncement::body() const
{
    return forced ? QCoreApplication::translate("RunAnnouncement", "(erzwungen)") : QString();
}

qint64 RunAnnouncement::secondsLeft(qint64 msLeft)
{
    return msLeft <= 0 ? 0 : (msLeft + 999) / 1000;
}

} // namespace kelvaro
