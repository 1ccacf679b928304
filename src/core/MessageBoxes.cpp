#include "core/MessageBoxes.h"

#include <QCoreApplication>

namespace kelvaro {

QString MessageBoxes::captionOf(Kind kind)
{
    switch (kind) {
    case Kind::Warning:
        return QCoreApplication::translate("MessageBoxes", "Warning");
    case Kind::Error:
        return QCoreApplication::translate("MessageBoxes", "Error");
    case Kind::Information:
        return QCoreApplication::translate("MessageBoxes", "Information");
    }
    return {};
}

} // namespace kelvaro
