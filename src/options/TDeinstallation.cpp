#include "options/TDeinstallation.h"

namespace kelvaro {

TDeinstallation::TDeinstallation(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Deinstallation"));
    setWindowTitle(QStringLiteral("Kelvaro - Deinstallation"));
}

} // namespace kelvaro
