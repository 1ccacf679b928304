#include "actions/TNachricht.h"

namespace kelvaro {

TNachricht::TNachricht(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Nachricht"));
    setWindowTitle(QStringLiteral("Kelvaro Nachrichtenfenster"));
}

} // namespace kelvaro
