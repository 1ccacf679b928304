#pragma once

#include <QDialog>

namespace kelvaro {

/** The help window with the command-line description. */
class THilfe : public QDialog
{
    Q_OBJECT

public:
    explicit THilfe(QWidget* parent = nullptr);
};

} // namespace kelvaro
