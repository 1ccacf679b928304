// A process that saves settings through the program's own code, for the tests that kill it at
// random moments or run two of it at once:
//
//   store_writer sets <file>               on each line "start" from stdin forks a writer that
//                                          saves numbered sets 2 and 1 as the default set by turns
//                                          until it is killed, and answers with its process id and
//                                          the microseconds its first save took; on
//                                          "reap" waits for that writer to end and answers "dead"
//                                          ("ended" when it ended by itself)
//                                          (forking is far quicker than starting the program anew)
//   store_writer defaults <file> <rounds>  saves numbered set r as the default set in round r
//   store_writer presets <file> <rounds>   adds preset "P<r>" in the presets page in round r and
//                                          deletes the oldest when there are more than three
//
// The other modes write one byte to stdout when they start saving. After every save of its own it reads the
// file back: its own part must be what it wrote and the rest complete. It exits with 0 when every
// check held, with 1 after the first that failed (saying which on stderr).

#include "core/AppError.h"
#include "mock/FakeAudioDevice.h"
#include "mock/FakeProcessWatcher.h"
#include "mock/NumberedOptions.h"
#include "mock/RecordingMessageBoxes.h"
#include "mock/ScriptedFileDialogs.h"
#include "mock/ScriptedInputBox.h"
#include "mock/ScriptedModalRunner.h"
#include "platform/FileRegistryStore.h"
#include "widgets/GeneralErrorHandler.h"
#include "windows/PresetsPage.h"
#include "windows/TEinstellungen.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

int failed(const QString& what)
{
    std::fprintf(stderr, "store_writer: %s\n", qPrintable(what));
    return 1;
}

void signalStart()
{
    const char byte = 'r';
    (void)!::write(STDOUT_FILENO, &byte, 1);
}

/** How many values a complete option set stores. */
qsizetype valuesOfACompleteSet()
{
    RegistryTree tree;
    TEinst().SaveToTree(tree, 1);
    return tree.valueNames(TEinst::KeyPath(1)).size();
}

/** Preset names in their stored order; an incomplete preset shows as "?". */
QStringList storedPresets(const RegistryTree& tree)
{
    static const qsizetype complete = valuesOfACompleteSet();
    QStringList names;
    for (const QString& subkey : tree.subkeys(kMainKey)) {
        const QString key = kMainKey + u'\\' + subkey;
        const std::optional<RegValue> name = tree.value(key, QStringLiteral("Name"));
        names << (name && tree.valueNames(key).size() == complete ? name->text : QStringLiteral("?"));
    }
    return names;
}

/** The default set, when there is one, is a complete numbered set. */
bool defaultSetComplete(const RegistryTree& tree)
{
    return tree.valueNames(kMainKey).isEmpty() || numberOfStoredSet(tree, 0) >= 0;
}

int forkSetWriters(FileRegistryStore& store)
{
    pid_t writer = -1;
    char command[16];
    while (std::fgets(command, sizeof command, stdin)) {
        if (std::strcmp(command, "start\n") == 0) {
            // The answer comes after the writer's first save and tells how long that took, so the
            // test's random delays fit this machine and build (in a sanitizer build the first save
            // after a fork takes much longer than in the test itself).
            int ready[2];
            if (::pipe(ready) != 0)
                return failed(QStringLiteral("pipe failed"));
            writer = ::fork();
            if (writer == 0) {
                ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive the helper
                ::close(ready[0]);
                const auto started = std::chrono::steady_clock::now();
                numberedOptions(2).SaveToRegistry(store, 0);
                const long us = static_cast<long>(
                    std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started)
                        .count());
                (void)!::write(ready[1], &us, sizeof us);
                ::close(ready[1]);
                for (int n = 1;; n = 3 - n)
                    numberedOptions(n).SaveToRegistry(store, 0);
            }
            ::close(ready[1]);
            long us = 0;
            while (::read(ready[0], &us, sizeof us) < 0 && errno == EINTR) {
            }
            ::close(ready[0]);
            if (writer < 0)
                return failed(QStringLiteral("fork failed"));
            std::printf("%d %ld\n", static_cast<int>(writer), us);
        } else if (std::strcmp(command, "reap\n") == 0) {
            int status = 0;
            if (::waitpid(writer, &status, 0) != writer)
                return failed(QStringLiteral("no writer to reap"));
            std::printf(WIFSIGNALED(status) ? "dead\n" : "ended\n");
        } else {
            return failed(QStringLiteral("unknown command"));
        }
        std::fflush(stdout);
    }
    return 0;
}

int saveDefaults(FileRegistryStore& store, int rounds)
{
    signalStart();
    for (int round = 1; round <= rounds; ++round) {
        numberedOptions(round).SaveToRegistry(store, 0);
        const RegistryTree tree = store.load();
        if (numberOfStoredSet(tree, 0) != round)
            return failed(QStringLiteral("round %1: the default set is not the one saved").arg(round));
        if (storedPresets(tree).contains(QStringLiteral("?")))
            return failed(QStringLiteral("round %1: incomplete presets").arg(round));
    }
    return 0;
}

int savePresets(FileRegistryStore& store, int rounds)
{
    QWidget window;
    PresetsPage::Controls controls{new QListWidget(&window), new QPushButton(&window), new QPushButton(&window),
                                   new QPushButton(&window), new QComboBox(&window)};
    TEinst current;
    RecordingMessageBoxes boxes;
    GeneralErrorHandler errors(boxes);
    ScriptedModalRunner modal;
    ScriptedInputBox inputBox;
    ScriptedFileDialogs fileDialogs;
    FakeAudioDevice audio;
    FakeProcessWatcher processes;
    TEinstellungen editor(boxes, fileDialogs, audio, processes);
    PresetsPage page(controls,
                     {store, current, [] {}, [&editor] { return &editor; }, modal, inputBox, errors, &window});

    signalStart();
    for (int round = 1; round <= rounds; ++round) {
        inputBox.answers = {QStringLiteral("P%1").arg(round)};
        controls.Btn_Presets_Add->click(); // the editor is left without "OK": a preset with defaults
        if (page.PresetList().size() > 3) {
            controls.LBx_Presets->setCurrentRow(0);
            controls.Btn_Presets_Del->click();
        }
        if (!boxes.boxes.isEmpty())
            return failed(QStringLiteral("round %1: %2").arg(round).arg(boxes.boxes[0].text));
        QStringList shown;
        for (const TROptionen& preset : page.PresetList())
            shown << preset.Name;
        const RegistryTree tree = store.load();
        if (storedPresets(tree) != shown) {
            return failed(QStringLiteral("round %1: stored presets %2 instead of %3")
                              .arg(round)
                              .arg(storedPresets(tree).join(u','), shown.join(u',')));
        }
        if (!defaultSetComplete(tree))
            return failed(QStringLiteral("round %1: incomplete default set").arg(round));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return failed(QStringLiteral("usage: store_writer sets|defaults|presets <file> [<rounds>]"));
    const QByteArray mode = argv[1];
    FileRegistryStore store(QFile::decodeName(argv[2]));
    const int rounds = argc > 3 ? QByteArray(argv[3]).toInt() : 0;
    try {
        if (mode == "sets")
            return forkSetWriters(store);
        if (mode == "defaults")
            return saveDefaults(store, rounds);
        if (mode == "presets") {
            // Only the presets page needs widgets; the others start faster without.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            QApplication app(argc, argv);
            return savePresets(store, rounds);
        }
    } catch (const AppError& e) {
        return failed(e.message());
    }
    return failed(QStringLiteral("unknown mode ") + QString::fromLocal8Bit(mode));
}
