#include "platform/SystemErrorText.h"

#include <QCoreApplication>

#include <cerrno>

namespace kelvaro {

QString systemErrorText(int code)
{
    // The errors that saving a file in a folder of the user can meet; the C library describes them
    // in the language of the locale, which need not be the program's.
    switch (code) {
    case ENOSPC:
        return QCoreApplication::translate("SystemErrorText", "Auf dem Gerät ist kein Speicherplatz mehr frei");
    case EDQUOT:
        return QCoreApplication::translate("SystemErrorText", "Das Speicherkontingent ist erschöpft");
    case EACCES:
        return QCoreApplication::translate("SystemErrorText", "Keine Berechtigung");
    case EPERM:
        return QCoreApplication::translate("SystemErrorText", "Die Aktion ist nicht erlaubt");
    case EROFS:
        return QCoreApplication::translate("SystemErrorText", "Das Dateisystem ist nur lesbar");
    case EIO:
        return QCoreApplication::translate("SystemErrorText", "Ein-/Ausgabefehler");
    case ENOENT:
        return QCoreApplication::translate("SystemErrorText", "Datei oder Ordner nicht gefunden");
    case ENOTDIR:
        return QCoreApplication::translate("SystemErrorText", "Ein Teil des Pfades ist kein Ordner");
    case EISDIR:
        return QCoreApplication::translate("SystemErrorText", "Das ist ein Ordner");
    case ELOOP:
        return QCoreApplication::translate("SystemErrorText", "Zu viele Ebenen symbolischer Links");
    case ENAMETOOLONG:
        return QCoreApplication::translate("SystemErrorText", "Der Dateiname ist zu lang");
    case EMFILE:
    case ENFILE:
        return QCoreApplication::translate("SystemErrorText", "Zu viele offene Dateien");
    case EBUSY:
        return QCoreApplication::translate("SystemErrorText", "Das Gerät oder die Datei ist belegt");
    case EXDEV:
        return QCoreApplication::translate("SystemErrorText", "Die Datei liegt auf einem anderen Dateisystem");
    default:
        return qt_error_string(code);
    }
}

} // namespace kelvaro
