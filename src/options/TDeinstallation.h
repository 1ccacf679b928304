#pragma once

#include <QDialog>

namespace kelvaro {

/** The dialog that removes every stored setting. */
class TDeinstallation : public QDialog
{
    Q_OBJECT

public:
    explicit TDeinstallation(QWidget* parent = nullptr);
};

} // namespace kelvaro
