#pragma once

#include <QFlags>

namespace kelvaro {

/** The mouse button a tray event concerns. */
enum class TMouseButton { Left, Right, Middle };

/** Keys and buttons held while a tray event happens. */
enum class TShiftFlag : unsigned { Shift = 0x1, Alt = 0x2, Ctrl = 0x4, Left = 0x8, Right = 0x10, Middle = 0x20 };
Q_DECLARE_FLAGS(TShiftState, TShiftFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TShiftState)

} // namespace kelvaro
