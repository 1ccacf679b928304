#pragma once

#include <QString>
#include <QStringList>

namespace kelvaro {

class MessageBoxes;
class TEinst;

/** The message shown when a parameter list is refused, before translation (context "CommandLine"). */
inline constexpr const char* kCommandLineError =
    QT_TRANSLATE_NOOP("CommandLine", "Ein oder mehrere Parameter sind ungültig\r\noder die Kombination der Parameter "
                                     "ist ungültig.\r\n\r\nNähere Informationen finden Sie in der Hilfe.");

/**
 * Reads a complete option set from the program's parameters into `einst`. Returns false without
 * changing anything when there are no parameters, and false after the error box when the list is
 * refused; true when the options were written into `einst`.
 */
bool ParseCommandLine(TEinst& einst, const QStringList& parameters, MessageBoxes& boxes);

/** The parameters as the program sees them: argv[1..] with double quotes removed and arguments
 *  that end up empty dropped. */
QStringList ParametersFromArguments(const QStringList& arguments);

/** The parameter string that carries `einst` (it starts with a blank). */
QString BuildCommandLine(const TEinst& einst);

/** Whether `text` holds a control character (a line break, say), which the command line of a
 *  launcher or of a unit file cannot carry. */
bool hasControlCharacter(const QString& text);

/** Splits a parameter string as a Windows command line is split: blanks separate, double quotes
 *  group and are removed, empty parameters are dropped. */
QStringList SplitParameters(const QString& text);

} // namespace kelvaro
