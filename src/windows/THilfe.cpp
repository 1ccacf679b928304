#include "windows/THilfe.h"

namespace kelvaro {

THilfe::THilfe(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Hilfe"));
    setWindowTitle(QStringLiteral("Hilfe"));
}

} // namespace kelvaro
