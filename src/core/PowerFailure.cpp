#include "core/PowerFailure.h"

#include "core/TEinst.h"

#include <QCoreApplication>

namespace kelvaro {

namespace {

/** The action as the user would name it in a sentence. */
QString actionName(quint8 action)
{
    switch (action) {
    case AktionShutdown:
        return PowerFailure::tr("Herunterfahren");
    case AktionRestart:
        return PowerFailure::tr("Neu starten");
    case AktionLogoff:
        return PowerFailure::tr("Abmelden");
    case AktionStandby:
        return PowerFailure::tr("Standby");
    case AktionHibernate:
        return PowerFailure::tr("Ruhezustand");
    case AktionSperren:
        return PowerFailure::tr("Bildschirm sperren");
    default:
        return {};
    }
}

} // namespace

QString PowerFailure::headline(quint8 action)
{
    switch (action) {
    case AktionShutdown:
        return tr("Der Rechner wurde nicht heruntergefahren.");
    case AktionRestart:
        return tr("Der Rechner wurde nicht neu gestartet.");
    case AktionLogoff:
        return tr("Sie wurden nicht abgemeldet.");
    case AktionStandby:
        return tr("Der Rechner wurde nicht in den Standby versetzt.");
    case AktionHibernate:
        return tr("Der Rechner wurde nicht in den Ruhezustand versetzt.");
    case AktionSperren:
        return tr("Der Bildschirm wurde nicht gesperrt.");
    default:
        return tr("Die Aktion wurde nicht ausgeführt.");
    }
}

QString PowerFailure::reason() const
{
    switch (kind) {
    case Kind::NotAllowed:
        return tr("Sie haben keine Berechtigung dazu.");
    case Kind::NeedsPassword:
        return tr("Dafür ist ein Kennwort nötig, aber es läuft kein Anmeldedialog, der danach fragen könnte.");
    case Kind::Inhibited:
        if (program.isEmpty())
            return tr("Ein anderes Programm verhindert es.");
        if (why.isEmpty())
            //: %1 is the program that blocks the action.
            return tr("%1 verhindert es.").arg(program);
        //: %1 is the program that blocks the action, %2 its own reason.
        return tr("%1 verhindert es: %2").arg(program, why);
    case Kind::NotAvailable:
        return tr("Diese Aktion ist auf diesem Rechner nicht verfügbar.");
    case Kind::NoSession:
        return tr("Die eigene Sitzung wurde nicht gefunden.");
    case Kind::Unreachable:
        return tr("Der Systemdienst ist nicht erreichbar.");
    case Kind::NoAnswer:
        return tr("Der Systemdienst hat nicht rechtzeitig geantwortet.");
    case Kind::SessionRefused:
        return tr("Die Sitzungsverwaltung hat das Abmelden abgelehnt; ein Programm hält es vielleicht auf.");
    case Kind::Error:
        break;
    }
    //: %1 is the error message of the system service.
    return tr("Der Systemdienst meldet einen Fehler: %1").arg(why);
}

bool PowerFailure::forcingMayHelp() const
{
    return kind == Kind::Inhibited || kind == Kind::SessionRefused;
}

std::optional<QString> PowerFailure::startRefusal(quint8 action, PowerPermission permission)
{
    switch (permission) {
    case PowerPermission::NotAvailable:
        //: %1 is the action ("Herunterfahren", "Standby", ...).
        return tr("Die Aktion „%1“ ist auf diesem Rechner nicht verfügbar.").arg(actionName(action));
    case PowerPermission::No:
        //: %1 is the action ("Herunterfahren", "Standby", ...).
        return tr("Sie dürfen die Aktion „%1“ auf diesem Rechner nicht ausführen.").arg(actionName(action));
    case PowerPermission::Yes:
    case PowerPermission::Challenge:
        break;
    }
    return std::nullopt;
}

QString PowerFailure::passwordNote()
{
    return tr("Kennwort am Ende nötig");
}

QString PowerFailure::failedNote()
{
    return tr("Aktion fehlgeschlagen");
}

QString PowerFailure::blockedBy(quint8 action, const QString& program, const QString& why)
{
    QString sentence;
    switch (action) {
    case AktionShutdown:
        //: %1 is the program that blocks the action, %2 its own reason.
        sentence = tr("%1 verhindert das Herunterfahren: %2");
        break;
    case AktionRestart:
        sentence = tr("%1 verhindert den Neustart: %2");
        break;
    case AktionStandby:
        sentence = tr("%1 verhindert den Standby: %2");
        break;
    case AktionHibernate:
        sentence = tr("%1 verhindert den Ruhezustand: %2");
        break;
    default:
        sentence = tr("%1 verhindert es: %2");
        break;
    }
    sentence = sentence.arg(program.isEmpty() ? tr("Ein Programm") : program, why);
    if (why.isEmpty() && sentence.endsWith(QLatin1String(": ")))
        sentence.chop(2);
    return sentence;
}

} // namespace kelvaro
