// Pages built to hurt, read aloud by the real program in real time from a server on 127.0.0.1:
// nesting deep enough to overflow a recursive reader, deep enough to keep the parser busy for
// half an hour, and nesting the depth check underrates, whose parse is still running when the
// sysop quits. The station says what it says for any page it cannot read and ends on `quit`.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "e2e/program_run.h"
#include "support/station_fixture.h"
#include "platform/local_servers.h"
#include "platform/page_pieces.h"

namespace {

struct PageRow {
    const char* what;
    std::string page;
    double quitAfter;   // seconds after the code
    std::string log;    // the reason logged
    bool apology;       // spoken before the quit
};

class HostilePage : public testing::TestWithParam<int> {};

std::vector<PageRow> pageRows() {
    return {
        {"100,000 nested spans", "<html><body>" + times("<span>", 100000) + "deep text", 10,
         "the page nests its elements more than 512 deep", true},
        {"a million nested divs", "<html><body>" + times("<div>", 1000000) + "deep text", 10,
         "the page nests its elements more than 512 deep", true},
        // Formatting elements that each block closes and each text opens again: the depth check
        // reads this as shallow, the parser builds it ever deeper.
        {"reopened formatting, the sysop quits during its parse",
         "<html><body>" + times("<div><b a=1><b a=2><b a=3></div>x", 60000), 4.5, "stopped as the program ends",
         false},
    };
}

TEST_P(HostilePage, NoCrashTheApologyAndQuitEndsAtOnce) {
    const PageRow row = pageRows()[GetParam()];
    SCOPED_TRACE(row.what);
    TempFolder site;
    site.write("page.html", row.page);
    LocalServer server(folderServerScript(), {site.path()});
    ASSERT_TRUE(server.started()) << server.problem();
    const std::string address = "http://127.0.0.1:" + std::to_string(server.port()) + "/page.html";

    TempFolder folder;
    char wait[32];
    std::snprintf(wait, sizeof wait, "%.1f", row.quitAfter);
    ProgramRun program;
    program.args = {"--headless", "--config", folder.file("config"), "--data", folder.file("data")};
    program.env = {{"MVSMALL_AUDIO_SINK", "fakesink sync=true"}};
    program.input = "set Form23.Text43 55\nset Form23.Text21 " + address + "\nwait 1\ndtmf 55\nwait " + wait + "\nquit\n";
    program.timeEndFrom = "\"Stand By\"";
    const ProgramResult run = runProgram(program);

    std::string all;
    for (const auto& line : run.out) all += line + "\n";
    ASSERT_EQ(run.exitCode, 0) << run.err << all;
    EXPECT_NE(all.find("\"Stand By\""), std::string::npos) << all;
    if (row.apology) {
        EXPECT_NE(all.find("<-- Web page could not be read (" + row.log + "); the apology is spoken"), std::string::npos)
            << all;
        EXPECT_NE(all.find(" WAV \"" + folder.file("config")), std::string::npos);
        EXPECT_NE(all.find("\"Sorry the information is not available at this time\""), std::string::npos) << all;
    }
    EXPECT_NE(all.find(" EXIT"), std::string::npos) << all;
    // "Stand By" goes out as the code is taken; the wait follows, then the end, which must not
    // wait for a parse still running.
    ASSERT_GE(run.secondsToEnd, 0) << all;
    EXPECT_LT(run.secondsToEnd, row.quitAfter + 3.0) << "the end waited for the page\n" << all;
}

INSTANTIATE_TEST_SUITE_P(ThroughTheRealProgram, HostilePage, testing::Range(0, 3));

}  // namespace
