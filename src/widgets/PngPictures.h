#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace kelvaro {

/**
 * Pictures of the program's resources, read as PNG straight away. Read by name alone (QImage(file),
 * QPixmap(file), QIcon(file)), Qt first asks every image format plugin whether the file is theirs,
 * which loads them all with the libraries they use (JPEG, GIF, ICO) while the program starts.
 */
QImage pngImage(const QString& path);

/** An icon of PNG pictures of the same image in several sizes. */
QIcon pngIcon(std::initializer_list<QString> paths);

} // namespace kelvaro
