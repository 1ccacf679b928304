#pragma once

#include <QString>
#include <QtGlobal>

#include <cstddef>

namespace kelvaro {

/** Commands of the notification area: add, change or remove one icon. */
enum class NotifyIconMessage : quint32 { Add = 0, Modify = 1, Delete = 2 };

/** Codes the notification area hands to the callback: mouse messages and balloon notifications. */
namespace TrayCode {
inline constexpr quint32 MouseMove = 512;
inline constexpr quint32 LButtonDown = 513;
inline constexpr quint32 LButtonUp = 514;
inline constexpr quint32 LButtonDblClk = 515;
inline constexpr quint32 RButtonDown = 516;
inline constexpr quint32 RButtonUp = 517;
inline constexpr quint32 MButtonDown = 519;
inline constexpr quint32 MButtonUp = 520;
inline constexpr quint32 BalloonShow = 1026;
inline constexpr quint32 BalloonHide = 1027;
inline constexpr quint32 BalloonTimeout = 1028;
inline constexpr quint32 BalloonUserClick = 1029;
} // namespace TrayCode

/**
 * The record that describes one icon to the notification area, in the 488-byte layout of the
 * classic shell interface. Window, icon and id are opaque 32-bit handles (the hidden window of the
 * shared handler, an icon handle from TrayIconImage, the component's id in the handler's table),
 * so the record keeps its size on 64-bit machines. The tip holds UTF-8 text ending in a zero.
 */
struct NotifyIconData
{
    /** Which of the fields the notification area reads. */
    static constexpr quint32 FlagMessage = 0x1;
    static constexpr quint32 FlagIcon = 0x2;
    static constexpr quint32 FlagTip = 0x4;
    /** Message number of the callback: the first user message plus 1024. */
    static constexpr quint32 CallbackMessage = 0x0800;
    static constexpr std::size_t TipSize = 128;

    quint32 cbSize = 0;
    quint32 hWnd = 0;
    quint32 uID = 0;
    quint32 uFlags = 0;
    quint32 uCallbackMessage = 0;
    quint32 hIcon = 0;
    char szTip[TipSize] = {};
    quint32 dwState = 0;
    quint32 dwStateMask = 0;
    char szInfo[256] = {};
    quint32 uTimeoutOrVersion = 0;
    char szInfoTitle[64] = {};
    quint32 dwInfoFlags = 0;

    /** A zero-filled record with the fixed fields set: size, window, id, flags and callback message. */
    static NotifyIconData make(quint32 window, quint32 id);

    /**
     * Fills the tip: empty when `text` is empty or `show` is false, otherwise at most 127 bytes of
     * the text's UTF-8 form followed by a zero. Cutting happens only between whole characters, so
     * a plain ASCII text keeps its first 127 characters.
     */
    void setTip(const QString& text, bool show);
    /** The tip as text (up to its terminating zero). */
    QString tip() const;
};

static_assert(sizeof(NotifyIconData) == 488, "the notification record has the 488-byte layout");
static_assert(offsetof(NotifyIconData, szTip) == 24);
static_assert(offsetof(NotifyIconData, szInfo) == 160);
static_assert(offsetof(NotifyIconData, szInfoTitle) == 420);

} // namespace kelvaro
