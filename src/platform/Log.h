#pragma once

#include <QLoggingCategory>

namespace kelvaro {

/** The program's one logging category, "kelvaro": what it has to say without a window (a refused
 *  request, a settings file it could not read, missing sound output) goes there as one line, which
 *  Qt writes to standard error as "kelvaro: <line>". */
Q_DECLARE_LOGGING_CATEGORY(lcKelvaro)

} // namespace kelvaro
