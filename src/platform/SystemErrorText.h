#pragma once

#include <QString>

namespace kelvaro {

/** The German description of the system error `code` (an errno value), for messages to the user;
 *  an error without a German text here is described by the C library. */
QString systemErrorText(int code);

} // namespace kelvaro
