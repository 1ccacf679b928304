#pragma once

#include <QDialog>

namespace kelvaro {

/** The message window shown when a message run expires. */
class TNachricht : public QDialog
{
    Q_OBJECT

public:
    explicit TNachricht(QWidget* parent = nullptr);
};

} // namespace kelvaro
