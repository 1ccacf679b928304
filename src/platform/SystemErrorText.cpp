#include "platform/SystemErrorText.h"

#include <cerrno>

namespace kelvaro {

QString systemErrorText(int code)
{
    // The errors that saving a file in a folder of the user can meet; the C library describes them
    // in the language of the locale, which need not be the program's.
    switch (code) {
    case ENOSPC:
        return QStringLiteral("Auf dem Gerät ist kein Speicherplatz mehr frei");
    case EDQUOT:
        return QStringLiteral("Das Speicherkontingent ist erschöpft");
    case EACCES:
        return QStringLiteral("Keine Berechtigung");
    case EPERM:
        return QStringLiteral("Die Aktion ist nicht erlaubt");
    case EROFS:
        return QStringLiteral("Das Dateisystem ist nur lesbar");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler");
    case ENOENT:
        return QStringLiteral("Datei oder Ordner nicht gefunden");
    case ENOTDIR:
        return QStringLiteral("Ein Teil des Pfades ist kein Ordner");
    case EISDIR:
        return QStringLiteral("Das ist ein Ordner");
    case ELOOP:
        return QStringLiteral("Zu viele Ebenen symbolischer Links");
    case ENAMETOOLONG:
        return QStringLiteral("Der Dateiname ist zu lang");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Zu viele offene Dateien");
    case EBUSY:
        return QStringLiteral("Das Gerät oder die Datei ist belegt");
    case EXDEV:
        return QStringLiteral("Die Datei liegt auf einem anderen Dateisystem");
    default:
        return qt_error_string(code);
    }
}

} // namespace kelvaro
