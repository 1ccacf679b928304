#pragma once

#include <QDialog>

namespace kelvaro {

/** The preset editor. */
class TEinstellungen : public QDialog
{
    Q_OBJECT

public:
    explicit TEinstellungen(QWidget* parent = nullptr);
};

} // namespace kelvaro
