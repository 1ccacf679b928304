#include "widgets/PngPictures.h"

#include <QImageReader>
#include <QPixmap>

namespace kelvaro {

QImage pngImage(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon pngIcon(std::initializer_list<QString> paths)
{
    QIcon icon;
    for (const QString& path : paths)
        icon.addPixmap(QPixmap::fromImage(pngImage(path)));
    return icon;
}

} // namespace kelvaro
