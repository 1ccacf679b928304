// Any argument list: the parser never crashes, a refused list changes nothing and shows one box,
// and an accepted list's options, written back as the program's own command line, read back as
// the same options.
#include "FuzzSupport.h"
#include "core/CommandLine.h"
#include "core/TEinst.h"

using namespace kelvaro;
using namespace kelvaro::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList arguments = QStringList{QStringLiteral("kelvaro")} + argumentsOf(bytesOf(data, size));
    const QStringList parameters = ParametersFromArguments(arguments);

    const TEinst untouched;
    TEinst first;
    CountingMessageBoxes boxes;
    if (!ParseCommandLine(first, parameters, boxes)) {
        check(first.options() == untouched.options(), "a refused list changes no option", describe(parameters));
        check(boxes.count == (parameters.isEmpty() ? 0 : 1), "a refused list shows exactly one box",
              describe(parameters));
        return 0;
    }
    check(boxes.count == 0, "an accepted list shows no box", describe(parameters));

    const QString line = BuildCommandLine(first);
    TEinst second;
    CountingMessageBoxes secondBoxes;
    check(ParseCommandLine(second, SplitParameters(line), secondBoxes), "the built command line is accepted",
          describe(parameters) + line);
    // A file name from an earlier -B stays in the options when a later -B asks for beeps; the
    // command line carries it only while the sound mode plays the file.
    TROptionen expected = first.options();
    if (expected.SoundMode != SoundFile)
        expected.SoundFile = second.options().SoundFile;
    check(second.options() == expected, "the built command line carries the same options",
          describe(parameters) + line + QStringLiteral("\n") + BuildCommandLine(second));
    return 0;
}
