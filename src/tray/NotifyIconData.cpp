#include "tray/NotifyIconData.h"

#include <cstring>

namespace kelvaro {

NotifyIconData NotifyIconData::make(quint32 window, quint32 id)
{
    NotifyIconData data;
    data.cbSize = sizeof(NotifyIconData);
    data.hWnd = window;
    data.uID = id;
    data.uFlags = FlagMessage | FlagIcon | FlagTip;
    data.uCallbackMessage = CallbackMessage;
    return data;
}

void NotifyIconData::setTip(const QString& text, bool show)
{
    std::memset(szTip, 0, sizeof szTip);
    if (text.isEmpty() || !show)
        return;
    const QByteArray utf8 = text.toUtf8();
    qsizetype length = std::min<qsizetype>(utf8.size(), TipSize - 1);
    // Step back over continuation bytes so that no character is cut in half.
    if (length < utf8.size())
        while (length > 0 && (static_cast<unsigned char>(utf8.at(length)) & 0xC0) == 0x80)
            --length;
    std::memcpy(szTip, utf8.constData(), static_cast<std::size_t>(length));
}

QString NotifyIconData::tip() const
{
    return QString::fromUtf8(szTip, static_cast<qsizetype>(strnlen(szTip, sizeof szTip)));
}

} // namespace kelvaro
