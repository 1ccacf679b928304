#pragma once

namespace kelvaro {

/**
 * Ends the process at once with `code`: C stdio buffers are flushed, then the process exits
 * without running destructors, exit handlers or any window's close handling.
 */
[[noreturn]] void exitImmediately(int code);

} // namespace kelvaro
