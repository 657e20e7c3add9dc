// The real program, headless in virtual time: a net due in the next minute is connected.
#include <cstdio>
#include <string>

#include "support/station_fixture.h"

TEST(NetsHeadless, ANetSetForTheNextMinutePrintsItsConnect) {
    TempFolder config, data, home;
    config.write("dtmfctrl.ini", "[SETTINGS]\nTHUR=1\nHOUR=12\nMINS=01\nNETCALL1=W1NET\n");
    home.write("input.txt", "wait 60\n");
    const std::string command = std::string("HOME='") + home.path() + "' '" + MVSMALL_BINARY +
                                "' --headless --virtual-time '2026-12-10 12:00:50' --config '" + config.path() +
                                "' --data '" + data.path() + "' < '" + home.file("input.txt") + "' 2>/dev/null";
    FILE* out = popen(command.c_str(), "r");
    ASSERT_NE(out, nullptr);
    std::string printed;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, out)) printed.append(buffer, n);
    pclose(out);
    const size_t at = printed.find(" CONNECT W1NET\n");
    ASSERT_NE(at, std::string::npos) << printed;
    EXPECT_EQ(printed.substr(at - 12, 9), "12:01:15.") << printed;
}
