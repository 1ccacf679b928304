#include "tray/TrayIconImage.h"

#include <unordered_map>

namespace kelvaro {

namespace {

// Live icon objects by handle. Handles are never reused, so a stale one finds nothing.
std::unordered_map<quint32, const TrayIconImage*>& liveImages()
{
    static std::unordered_map<quint32, const TrayIconImage*> images;
    return images;
}

quint32 nextHandle()
{
    static quint32 last = 0;
    return ++last;
}

} // namespace

TrayIconImage::TrayIconImage() : m_handle(nextHandle())
{
    liveImages().emplace(m_handle, this);
}

TrayIconImage::~TrayIconImage()
{
    liveImages().erase(m_handle);
}

void TrayIconImage::assign(const QIcon& icon)
{
    m_icon = icon;
    if (m_onChange)
        m_onChange();
}

quint32 TrayIconImage::handle() const
{
    return m_icon.isNull() ? 0 : m_handle;
}

QIcon TrayIconImage::fromHandle(quint32 handle)
{
    const auto it = liveImages().find(handle);
    return it == liveImages().end() ? QIcon() : it->second->icon();
}

} // namespace kelvaro
