#pragma once

#include "core/Registry.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kelvaro::RegFileFormat {

/**
 * The store's file format: the syntax of REGEDIT4 in UTF-8.
 *
 *     REGEDIT4
 *
 *     [HKEY_CURRENT_USER\Software\Kelvaro]
 *     "Name"="Tee"
 *     "Aktion"=dword:00000001
 *     "Pfad"=hex(2):25,00          (REG_EXPAND_SZ: UTF-8 bytes with a terminating zero)
 *     "Nachricht"=hex(1):41,0a,00  (REG_SZ holding a control character)
 *
 * Every key is written as its own section, in registry order; texts escape backslash and quote.
 */
QByteArray write(const RegistryTree& tree);

/** Reads a file in that format (LF or CRLF line ends, blank lines ignored, long hex values
 *  continued with a trailing backslash). Returns nothing and describes the fault in `error` when
 *  the bytes are not such a file; never crashes, whatever the bytes. */
std::optional<RegistryTree> parse(const QByteArray& bytes, QString* error = nullptr);

/** Most deeply nested key `parse` accepts; the Windows registry has the same limit. */
inline constexpr int kMaxKeyDepth = 512;

/** False when `write` cannot represent `tree` so that `parse` reads it back: a key or value name
 *  holding a line feed, or keys nested deeper than kMaxKeyDepth. Describes the first such problem
 *  in `error`. */
bool canWrite(const RegistryTree& tree, QString* error = nullptr);

} // namespace kelvaro::RegFileFormat
