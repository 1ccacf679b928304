#include "widgets/QtFileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace kelvaro {

namespace {

/** The places at the side of Qt's own dialog: the computer and the home folder as Qt has them, the
 *  desktop and the folder the dialog starts in. The desktop's own dialog shows its own places. */
void setPlaces(QFileDialog& dialog, const QString& folder)
{
    QList<QUrl> places{QUrl(QStringLiteral("file:")), QUrl::fromLocalFile(QDir::homePath())};
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    for (const QString& place : {desktop, folder}) {
        const QUrl url = QUrl::fromLocalFile(QDir::cleanPath(place));
        if (!place.isEmpty() && QFileInfo(place).isDir() && !places.contains(url))
            places << url;
    }
    dialog.setSidebarUrls(places);
}

} // namespace

QString QtFileDialogs::openFileName(QWidget* parent, const QString& folder, const QString& filters)
{
    QFileDialog dialog(parent, QString(), folder, filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    setPlaces(dialog, folder);
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
    setPlaces(dialog, folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace kelvaro
