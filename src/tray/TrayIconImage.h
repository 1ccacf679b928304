#pragma once

#include <QIcon>

#include <functional>

namespace kelvaro {

/**
 * The icon a tray component owns. Every change of its image calls the change hook, and while it
 * holds an image it is known to the notification area by a handle (see the icon field of
 * NotifyIconData).
 */
class TrayIconImage
{
public:
    TrayIconImage();
    TrayIconImage(const TrayIconImage&) = delete;
    TrayIconImage& operator=(const TrayIconImage&) = delete;
    ~TrayIconImage();

    const QIcon& icon() const { return m_icon; }
    bool isEmpty() const { return m_icon.isNull(); }
    /** Replaces the image and calls the change hook. */
    void assign(const QIcon& icon);
    void clear() { assign(QIcon()); }
    /** Called after every change of the image. */
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

    /** The handle of this image for the notification area; 0 when there is no image. */
    quint32 handle() const;
    /** The image behind a handle; a null icon for 0 or a handle whose object is gone. */
    static QIcon fromHandle(quint32 handle);

private:
    QIcon m_icon;
    quint32 m_handle;
    std::function<void()> m_onChange;
};

} // namespace kelvaro
