// The console's commands act on the simulated node and on any window's controls.
#include <gtest/gtest.h>

#include <sstream>

#include "app/headless/answering_dialogs.h"
#include "app/headless/console.h"
#include "core/datetime.h"
#include "shell/error_log_window.h"
#include "support/station_fixture.h"

namespace {
struct ConsoleRun {
    Station s;
    AnsweringDialogs dialogs;
    std::ostringstream out, err;
    Console console{s.app(), &dialogs, out, err};
    void operator()(const std::string& line) {
        s.app().act([&] { console.execute(line); });
        s.advance(0);
    }
};

TEST(ConsoleCommands, SimulatorCommandsDriveTheNode) {
    ConsoleRun run;
    auto& node = run.s.node();
    run("connect W1ABC John Smith 1.2.3.4");
    run("connect K2XYZ Ann");
    run("connect N3Q");
    ASSERT_EQ(node.stations().size(), 3u);
    EXPECT_EQ(node.stations()[0].name, "John Smith");
    EXPECT_EQ(node.stations()[0].address, "1.2.3.4");
    EXPECT_EQ(node.stations()[1].name, "Ann");
    EXPECT_EQ(node.stations()[1].address, "");
    run("disconnect K2XYZ");
    EXPECT_FALSE(node.isConnected("K2XYZ"));

    struct Toggle {
        const char* command;
        bool (SimulatedNode::*state)() const;
    };
    for (const Toggle& t : {Toggle{"rx", &SimulatedNode::internetAudio}, Toggle{"carrier", &SimulatedNode::carrier},
                            Toggle{"signal", &SimulatedNode::receivingSignal},
                            Toggle{"activity", &SimulatedNode::activity},
                            Toggle{"unreachable", &SimulatedNode::unreachable}}) {
        run(std::string(t.command) + " on");
        EXPECT_TRUE((node.*t.state)()) << t.command;
        run(std::string(t.command) + " OFF");
        EXPECT_FALSE((node.*t.state)()) << t.command;
    }
    run("close");
    EXPECT_TRUE(node.closed());
    EXPECT_EQ(run.err.str(), "");
}

TEST(ConsoleCommands, SetGetAndClickReachControlsByName) {
    ConsoleRun run;
    run("show Form120");
    EXPECT_TRUE(run.s.app().form120().visible());
    run("click Form120.Command1");   // its Hide button
    EXPECT_FALSE(run.s.app().form120().visible());
    run("set Form120.Text1 line one");
    run("get FORM120.text1");
    EXPECT_EQ(run.out.str(), "= line one\n");
    run("click Form120.Text1");
    EXPECT_EQ(run.err.str(), "ERROR Form120.Text1 cannot be clicked now\n");
}

TEST(ConsoleCommands, AnswerFeedsTheNextDialog) {
    ConsoleRun run;
    run("answer yes");
    EXPECT_EQ(run.s.app().dialogs().messageBox("Q", "?", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::No)
        << "the fixture's own dialogs are not the console's";
    EXPECT_EQ(run.dialogs.messageBox("Q", "?", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::Yes);
}

TEST(ConsoleCommands, BlankAndCommentLinesDoNothingButDtmfKeepsItsHash) {
    EXPECT_FALSE(Console::split("   "));
    EXPECT_FALSE(Console::split("  # note"));
    const auto dtmf = Console::split("dtmf *#9#\r");
    ASSERT_TRUE(dtmf);
    EXPECT_EQ(dtmf->first, "dtmf");
    EXPECT_EQ(dtmf->second, "*#9#");
    EXPECT_EQ(Console::waitMs("1.25"), 1250);
    EXPECT_EQ(Console::waitMs("-1"), std::nullopt);
    EXPECT_EQ(Console::waitMs(""), std::nullopt);
}

TEST(ConsoleCommands, WaitUntilAClockTimeWaitsToItTodayAndNotAtAllOnceItHasPassed) {
    const LocalMs now = *parseDateTime("2026-12-10 10:00:00") + 250;
    const struct {
        const char* argument;
        std::optional<std::int64_t> ms;
    } cases[] = {{"until 10:00:05", 4750},    {"until 10:00:05.5", 5250}, {"until 10:00:05.123", 4873},
                 {"  until 10:01  ", 59'750}, {"until 09:59:59", 0},      {"until 10:00:00.250", 0},
                 {"2", 2000},                 {"until 24:00:00", std::nullopt}, {"until 10:00:05.1234", std::nullopt},
                 {"until 10:00:5", std::nullopt}, {"until 10:00.5", std::nullopt}, {"until", std::nullopt},
                 {"until soon", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(Console::waitMs(c.argument, now), c.ms) << c.argument;
    EXPECT_EQ(Console::waitError("until soon"), "wait until wants a clock time hh:mm:ss[.mmm], not \"until soon\"");
}
}  // namespace
