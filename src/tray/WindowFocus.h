#pragma once

namespace kelvaro {

/**
 * Whether the window system lets the program give one of its windows the focus now. X11 always
 * does. A Wayland compositor does only with a token from the user's action (a click on a
 * notification or a tray icon hands one over) or while the program has the focus already; there a
 * request without one is left out, instead of leaving a warning on the terminal.
 */
bool mayTakeFocus();

} // namespace kelvaro
