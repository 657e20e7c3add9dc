// DTMF remote control of the connect-control window: each command with its code.
#include <functional>
#include <vector>

#include "link_station.h"

namespace {

struct DtmfCase {
    const char* name;
    std::string settings;                       // dtmfctrl.ini lines
    std::function<void(Station&)> before;       // state before the digits arrive
    std::string digits;
    double settle;                              // seconds to let the command play out
    std::vector<std::string> expected;          // transcript lines, in order
    std::function<void(Station&)> verify;
};

void nothing(Station&) {}

void busyAndOnAir(Station& s) {
    s.app().form4().EchoLink().Busy(true);
}

void connected(Station& s, std::initializer_list<const char*> calls) {
    for (const char* c : calls) s.node().stationConnects(c);
    s.advance(0.1);
}

const std::vector<DtmfCase>& cases() {
    static const std::vector<DtmfCase> table = {
        {"stop player", "STOPPLAYER=11\n", busyAndOnAir, "11", 0.5, {"BUSY off"},
         [](Station& s) {
             EXPECT_EQ(s.app().form3().SayTheText, "Player stopped. System Ready");
             EXPECT_EQ(s.app().form1().PTT.caption(), "PTT OFF");
         }},
        {"timed connection by its code", "TEXT1X=W1ABC\nTEXT2X=21\n", nothing, "21", 2, {"CONNECT W1ABC"},
         [](Station& s) {
             EXPECT_EQ(s.app().form4().DelayCTRL.value(), 1);
             EXPECT_TRUE(s.app().form4().Timer10.enabled());
         }},
        {"timed connection by the fixed code", "TEXT1X=W1ABC\nTEXT2X=21\n", nothing, "7093", 2, {"CONNECT W1ABC"},
         nothing},
        {"timed connection stop", "TEXT1X=W1ABC\nTEXT3X=31\n",
         [](Station& s) {
             busyAndOnAir(s);
             connected(s, {"W1ABC"});
         },
         "31", 0.5, {"DISCONNECT W1ABC", "BUSY off"},
         [](Station& s) { EXPECT_EQ(s.app().form4().ListBusy, "0"); }},
        {"restart", "RESTART=41\n", nothing, "41", 0.5, {"RESTART"},
         [](Station& s) { EXPECT_EQ(s.shell->restarts, 1); }},
        {"close down", "CLOSEDOWN=51\n", nothing, "51", 6, {"EXIT"},
         [](Station& s) {
             EXPECT_EQ(s.app().form3().SayTheText, "This Link is now closing down");
             EXPECT_TRUE(s.node().closed());
             EXPECT_TRUE(s.app().ended());
         }},
        {"enable DTMF use", "CHECK1=0\nTEXT222=61\n", nothing, "61", 0.5, {},
         [](Station& s) { EXPECT_EQ(s.app().form4().Check1.value(), 1); }},
        {"disable DTMF use", "TEXT333=71\n", nothing, "71", 0.5, {},
         [](Station& s) { EXPECT_EQ(s.app().form4().Check1.value(), 0); }},
        {"DTMF delay on", "TEXT1111=81\n", nothing, "81", 0.5, {},
         [](Station& s) { EXPECT_EQ(s.app().form4().UseDTMFDelay.value(), 1); }},
        {"DTMF delay off", "USEDTMFDELAY=1\nTEXT2222=91\n", nothing, "91", 0.5, {},
         [](Station& s) { EXPECT_EQ(s.app().form4().UseDTMFDelay.value(), 0); }},
        {"disconnect the last station", "TEXT555=55\n", [](Station& s) { connected(s, {"W1ABC", "K2XYZ"}); }, "55", 0.5,
         {"DISCONNECT K2XYZ"}, [](Station& s) { EXPECT_TRUE(s.node().isConnected("W1ABC")); }},
        {"disconnect all by the shipped code", "", [](Station& s) { connected(s, {"W1ABC"}); }, "73", 0.5,
         {"DISCONNECT-ALL"}, [](Station& s) { EXPECT_TRUE(s.node().stations().empty()); }},
        {"single station connects in capitals", "DTMF3=103\nCALL3=k2xyz\n", nothing, "103", 1, {"CONNECT K2XYZ"},
         nothing},
        {"single station disconnects when connected", "DTMF8=108\nCALL8=K2XYZ\n",
         [](Station& s) { connected(s, {"K2XYZ"}); }, "108", 0.5, {"DISCONNECT K2XYZ"}, nothing},
        {"group 1 connects its filled boxes", "DTMFGROUP1CONNECT=201\nGROUPCALL2=W1ABC\nGROUPCALL3=K2XYZ\n",
         [](Station& s) { connected(s, {"K2XYZ"}); }, "201", 1, {"CONNECT W1ABC"}, nothing},
        {"group 2 disconnects", "DTMFGROUP2DISC=202\nGROUPCALL4=W1ABC\nGROUPCALL6=K2XYZ\n",
         [](Station& s) { connected(s, {"W1ABC", "K2XYZ", "N3OTH"}); }, "202", 0.5,
         {"DISCONNECT W1ABC", "DISCONNECT K2XYZ"}, [](Station& s) { EXPECT_TRUE(s.node().isConnected("N3OTH")); }},
    };
    return table;
}

}  // namespace

TEST(DtmfCommands, EachCommandWithItsCodeDoesItsActionAndReply) {
    for (const DtmfCase& c : cases()) {
        SCOPED_TRACE(c.name);
        Station s;
        openConnectControl(s, c.settings);
        s.app().act([&] { c.before(s); });
        s.transcript().clear();
        dtmf(s, c.digits, c.settle);
        std::vector<std::string> seen = linkActions(s.transcript());
        std::vector<std::string> wanted(c.expected.begin(), c.expected.end());
        EXPECT_EQ(seen, wanted);
        c.verify(s);
    }
}

// Every code box filled: digits that match none of them, and no digits at all, do nothing.
TEST(DtmfCommands, AWrongOrEmptyCodeDoesNothing) {
    const std::string allCodes =
        "STOPPLAYER=11\nTEXT1X=W1ABC\nTEXT2X=21\nTEXT3X=31\nRESTART=41\nCLOSEDOWN=51\nTEXT222=61\nTEXT333=71\n"
        "TEXT1111=81\nTEXT2222=91\nTEXT555=55\nDTMF1=101\nCALL1=K2XYZ\nDTMFGROUP1CONNECT=201\nGROUPCALL1=N3OTH\n";
    for (const std::string& settings : {allCodes, std::string("DTMF1=101\n")}) {
        for (const char* digits : {"999", "", "1", "7093 ", "0"}) {
            SCOPED_TRACE(std::string("digits \"") + digits + "\"");
            Station s;
            Form4& f = openConnectControl(s, settings);
            s.node().stationConnects("W1ABC");
            s.advance(0.1);
            s.transcript().clear();
            dtmf(s, digits, 7);
            EXPECT_TRUE(linkActions(s.transcript()).empty()) << linkActions(s.transcript()).front();
            EXPECT_EQ(s.shell->restarts, 0);
            EXPECT_FALSE(f.Timer16.enabled());
            EXPECT_EQ(f.Check1.value(), 1);
            EXPECT_EQ(f.UseDTMFDelay.value(), 0);
            EXPECT_EQ(f.DelayCTRL.value(), 0);
            EXPECT_TRUE(s.app().form3().SayTheText.empty());
        }
    }
}

// Without any settings every code box but the disconnect-all one is empty: no digits reach them.
TEST(DtmfCommands, EmptyCodeBoxesNeverMatch) {
    Station s;
    Form4& f = openConnectControl(s);
    s.transcript().clear();
    dtmf(s, "", 7);
    EXPECT_EQ(s.shell->restarts, 0);
    EXPECT_FALSE(f.Timer16.enabled());
    EXPECT_FALSE(s.app().ended());
    EXPECT_TRUE(linkActions(s.transcript()).empty());
}

TEST(DtmfCommands, ARestartThatCannotStartIsLogged) {
    Station s;
    openConnectControl(s, "RESTART=41\n");
    s.shell->failing = true;
    dtmf(s, "41");
    EXPECT_EQ(s.transcript().count("LOG \"Form4 restart command"), 1);
}

TEST(DtmfCommands, TheStationCommandsWaitWhileASignalIsReceived) {
    Station s;
    Form4& f = openConnectControl(s, "USEDTMFDELAY=1\nDTMFDELAYSECONDS=5\nDTMF1=101\nCALL1=W1ABC\nTEXT555=55\n");
    s.advance(2.5);
    localSignal(s, true);
    s.advance(3);
    s.transcript().clear();
    dtmf(s, "101");                      // 3 s into the signal
    EXPECT_EQ(s.transcript().count("CONNECT W1ABC"), 0);

    s.advance(3);
    EXPECT_EQ(f.PTT3.caption(), "Receiving Signal");
    dtmf(s, "101", 1);                   // 6 s into the signal
    EXPECT_EQ(s.transcript().count("CONNECT W1ABC"), 1);

    // A new signal after the carrier dropped starts from the full delay again.
    localSignal(s, false);
    s.advance(2);
    EXPECT_EQ(f.DTMFDelayPeriod.caption(), "5");
    localSignal(s, true);
    s.advance(2);
    s.transcript().clear();
    dtmf(s, "101");
    EXPECT_EQ(s.transcript().count("DISCONNECT W1ABC"), 0);
}

TEST(DtmfCommands, ADelayOfZeroHoldsNothingBack) {
    Station s;
    openConnectControl(s, "USEDTMFDELAY=1\nDTMFDELAYSECONDS=0\nDTMF1=101\nCALL1=W1ABC\n");
    localSignal(s, true);
    s.advance(4);
    dtmf(s, "101", 1);
    EXPECT_EQ(s.transcript().count("CONNECT W1ABC"), 1);
}

TEST(DtmfCommands, WithDtmfUseOffOnlyTheDisconnectAllAndLastAreRefusedUntilItComesBack) {
    Station s;
    Form4& f = openConnectControl(s, "CHECK1=0\nBEACONPERIOD=1\nTEXT555=55\nDTMF1=101\nCALL1=K2XYZ\n");
    s.node().stationConnects("W1ABC");
    s.advance(1);
    s.transcript().clear();
    dtmf(s, "73");
    dtmf(s, "55");
    EXPECT_EQ(s.transcript().count("DISCONNECT"), 0);
    dtmf(s, "101", 1);
    EXPECT_EQ(s.transcript().count("CONNECT K2XYZ"), 1);

    s.advance(60);                       // the re-enable minute has passed
    EXPECT_EQ(f.Check1.value(), 1);
    EXPECT_EQ(f.BeaconSeconds.caption(), "60");
    dtmf(s, "73");
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 1);
}
