#include "widgets/QtModalRunner.h"

#include <QDialog>

namespace kelvaro {

int QtModalRunner::exec(QDialog& dialog)
{
    return dialog.exec();
}

} // namespace kelvaro
