#include "windows/TEinstellungen.h"

namespace kelvaro {

TEinstellungen::TEinstellungen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Einstellungen"));
    setWindowTitle(QStringLiteral("Einstellungen"));
}

} // namespace kelvaro
