#pragma once

#include <QDialog>

namespace kelvaro {

/** The about window. */
class TInfofenster : public QDialog
{
    Q_OBJECT

public:
    explicit TInfofenster(QWidget* parent = nullptr);
};

} // namespace kelvaro
