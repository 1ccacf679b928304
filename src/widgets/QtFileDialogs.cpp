#include "widgets/QtFileDialogs.h"

#include <QFileDialog>

namespace kelvaro {

QString QtFileDialogs::openFileName(QWidget* parent, const QString& folder, const QString& filters)
{
    QFileDialog dialog(parent, QString(), folder, filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& folder, const QString& filters,
                                    const QString& defaultSuffix)
{
    QFileDialog dialog(parent, QString(), folder, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace kelvaro
