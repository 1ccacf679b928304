#pragma once

#include "tray/TrayImageList.h"

#include <QImage>
#include <QPixmap>

#include <vector>

namespace kelvaro::test {

/** An image list of plain coloured squares; icons[i] is image i. */
class FakeImageList : public TrayImageList
{
public:
    std::vector<QIcon> icons;

    explicit FakeImageList(int count)
    {
        for (int i = 0; i < count; ++i) {
            QImage image(16, 16, QImage::Format_ARGB32);
            image.fill(QColor::fromHsv(i * 60, 255, 255));
            icons.emplace_back(QPixmap::fromImage(image));
        }
    }
    int count() const override { return static_cast<int>(icons.size()); }
    QIcon image(int index) const override { return icons.at(static_cast<std::size_t>(index)); }
    /** Which image an icon is, by identity; -1 for none of them. */
    int indexOf(const QIcon& icon) const
    {
        for (std::size_t i = 0; i < icons.size(); ++i)
            if (icons[i].cacheKey() == icon.cacheKey())
                return static_cast<int>(i);
        return -1;
    }
};

} // namespace kelvaro::test
