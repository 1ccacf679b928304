#include "core/RemoteCommand.h"

#include <gtest/gtest.h>

#include <optional>

using namespace kelvaro;

namespace {

using Verb = RemoteCommand::Verb;
using Run = RemoteState::Run;
using Outcome = RemoteTarget::Outcome;

QStringList listOf(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

struct Parsed
{
    QStringList arguments;
    /** Nothing: the line is refused (a usage error). */
    std::optional<Verb> verb;
    bool json;
    std::optional<qint64> pid;
    quint32 seconds;
};

Parsed read(std::initializer_list<const char*> arguments, Verb verb, bool json = false,
            std::optional<qint64> pid = std::nullopt, quint32 seconds = 0)
{
    return {listOf(arguments), verb, json, pid, seconds};
}

Parsed refused(std::initializer_list<const char*> arguments)
{
    return {listOf(arguments), std::nullopt, false, std::nullopt, 0};
}

class RemoteCommandParse : public testing::TestWithParam<Parsed>
{};

TEST_P(RemoteCommandParse, ReadsTheVerbOrRefusesTheLine)
{
    const Parsed& expected = GetParam();
    ASSERT_TRUE(RemoteCommand::isCommand(expected.arguments));
    const RemoteCommand command = RemoteCommand::parse(expected.arguments);
    if (!expected.verb) {
        EXPECT_FALSE(command.usageError.isEmpty());
        return;
    }
    EXPECT_EQ(command.usageError, QString());
    EXPECT_EQ(command.verb, *expected.verb);
    EXPECT_EQ(command.json, expected.json);
    EXPECT_EQ(command.pid, expected.pid);
    EXPECT_EQ(command.postponeSeconds, expected.seconds);
}

INSTANTIATE_TEST_SUITE_P(Lines, RemoteCommandParse,
                         testing::Values(read({"--list"}, Verb::List), read({"--json", "--list"}, Verb::List, true),
                                         read({"--watch", "--json", "--pid=17"}, Verb::Watch, true, 17),
                                         read({"--stop", "--pid=4711"}, Verb::Stop, false, 4711),
                                         read({"--show"}, Verb::Show), read({"--stop", "--stop"}, Verb::Stop),
                                         read({"--help"}, Verb::Help), read({"--version"}, Verb::Version),
                                         read({"--postpone=5"}, Verb::Postpone, false, {}, 300),
                                         // The longest postponement whose seconds fit the bus method's 32 bits.
                                         read({"--postpone=71582788"}, Verb::Postpone, false, {}, 4294967280u),
                                         refused({"--postpone=71582789"}), refused({"--postpone=0"}),
                                         refused({"--postpone"}), refused({"--postpone="}), refused({"--postpone=-5"}),
                                         refused({"--postpone=+5"}), refused({"--postpone=1.5"}), refused({"--pid=12"}),
                                         refused({"--json"}), refused({"--stop", "--pid=0"}),
                                         refused({"--stop", "--pid=x"}), refused({"--stop", "--pid="}),
                                         refused({"--stop", "--pid=3", "--pid=4"}), refused({"--stop", "--json"}),
                                         refused({"--list", "--pid=3"}), refused({"--stop", "--show"}),
                                         refused({"--stop", "-S"}), refused({"--stop", "--force"})));

// Lines that carry an option set, or nothing the verbs know, go to the option parser as before.
TEST(RemoteCommand, LeavesOptionSetsToTheOptionParser)
{
    for (const QStringList& arguments :
         {listOf({}), listOf({"-A", "-S", "-T02:23:00"}), listOf({"-M--list", "-T-00:01:00"}), listOf({"--foo"}),
          listOf({"--lists"}), listOf({"-list"}), listOf({"-H"})})
        EXPECT_FALSE(RemoteCommand::isCommand(arguments)) << arguments.join(u' ').toStdString();
}

struct Choice
{
    QStringList arguments;
    QList<Run> runs; // the programs, with the process numbers 1, 2, ...
    Outcome outcome;
    QList<qint64> candidates;
};

Choice choice(std::initializer_list<const char*> arguments, QList<Run> runs, Outcome outcome,
              QList<qint64> candidates = {})
{
    return {listOf(arguments), std::move(runs), outcome, std::move(candidates)};
}

class RemoteTargetChoice : public testing::TestWithParam<Choice>
{};

TEST_P(RemoteTargetChoice, ActsOnTheOneProgramWithARunOrRefuses)
{
    const Choice& expected = GetParam();
    QList<RemoteInstance> instances;
    for (const RemoteState::Run run : expected.runs)
        instances.append({instances.size() + 1, RemoteState{run, 0, 0, 0, {}, {}}});
    const RemoteTarget target = RemoteTarget::choose(RemoteCommand::parse(expected.arguments), instances);
    EXPECT_EQ(target.outcome, expected.outcome);
    QList<qint64> pids;
    for (const RemoteInstance& candidate : target.candidates)
        pids.append(candidate.pid);
    EXPECT_EQ(pids, expected.candidates);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, RemoteTargetChoice,
    testing::Values(choice({"--stop"}, {}, Outcome::NoProgram),
                    choice({"--stop"}, {Run::Idle, Run::Running}, Outcome::Chosen, {2}),
                    choice({"--stop"}, {Run::Idle, Run::Idle}, Outcome::NoRun),
                    choice({"--stop"}, {Run::Waiting, Run::Idle, Run::Stopwatch}, Outcome::Several, {1, 3}),
                    // Only a countdown or clock-time run has an end to move.
                    choice({"--postpone=1"}, {Run::Stopwatch, Run::Announced}, Outcome::Chosen, {2}),
                    choice({"--postpone=1"}, {Run::Stopwatch, Run::Waiting}, Outcome::NoRun),
                    choice({"--postpone=1"}, {Run::Running, Run::Announced}, Outcome::Several, {1, 2}),
                    choice({"--show"}, {Run::Idle}, Outcome::Chosen, {1}),
                    choice({"--show"}, {Run::Idle, Run::Idle}, Outcome::NoRun),
                    choice({"--show"}, {Run::Idle, Run::Stopwatch}, Outcome::Chosen, {2}),
                    // A process number chooses whatever its program does; the program refuses itself.
                    choice({"--stop", "--pid=1"}, {Run::Idle, Run::Running}, Outcome::Chosen, {1}),
                    choice({"--stop", "--pid=9"}, {Run::Idle, Run::Running}, Outcome::NoSuchPid),
                    choice({"--stop", "--pid=9"}, {}, Outcome::NoProgram)));

} // namespace
