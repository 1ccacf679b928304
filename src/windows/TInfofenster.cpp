#include "windows/TInfofenster.h"

namespace kelvaro {

TInfofenster::TInfofenster(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Infofenster"));
    setWindowTitle(QStringLiteral("Infofenster"));
}

} // namespace kelvaro
