// Whatever the stored settings and whatever happens on the air, once things settle no serial
// line is left up and the transmitter is released; and every end of the program lowers both
// lines before it exits.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/app.h"
#include "core/text.h"
#include "support/station_fixture.h"

namespace {
struct RandomStation {
    explicit RandomStation(std::uint32_t seed) : rng(seed) {}
    std::mt19937 rng;

    bool coin() { return rng() % 2 == 1; }
    std::string bit() { return coin() ? "1" : "0"; }
    // Seconds from 0.05 to about 8, so that some steps fall inside a 100 ms or 10 ms timer period.
    double pause() { return 0.05 + (rng() % 160) * 0.05; }

    // The settings that decide which lines go up and when; announcements are off so that once
    // the outside world is quiet nothing of the station's own keeps the fan running.
    StationOptions options() {
        const bool rts = coin();
        const int tail = static_cast<int>(rng() % 3);
        StationOptions o;
        o.createStartupWindows = true;
        o.settingsFiles = {
            {"identabc.ini", "[SETTINGS]\nCHECK1=1\nRTS=" + std::string(rts ? "1" : "0") + "\nDTR=" +
                                 (rts ? "0" : "1") + "\nCHECK5=" + bit() + "\nFANCTRL=" + bit() +
                                 "\nFANPERIOD=1\nFanCTRL2=" + bit() + "\nDELAYCTRL=" + bit() + "\nDELAYPERIOD=" +
                                 std::to_string(1 + rng() % 5) + "\n"},
            {"mvcourtesy.ini", "[SETTINGS]\nOPTION6=" + std::string(coin() ? "1\nOPTION7=0" : "0\nOPTION7=1") +
                                   "\nOPTION3=" + (tail == 0 ? "1" : "0") + "\nOPTION4=" + (tail == 1 ? "1" : "0") +
                                   "\nOPTION5=" + (tail == 2 ? "1" : "0") + "\n"},
            {"MP3_PlayerABC.ini",
             "[SETTINGS]\nSTOPCLOCK8=" + bit() + "\nTEXT6=" + std::to_string(rng() % 200) + "\n"},
        };
        return o;
    }

    // One thing happening: the outside world, the operator switching lines, or the program's end.
    void act(Station& s) {
        SimulatedNode& node = s.node();
        switch (rng() % 10) {
        case 0: node.setCarrier(!node.carrier()); break;
        case 1: node.setInternetAudio(!node.internetAudio()); break;
        case 2: node.setReceivingSignal(!node.receivingSignal()); break;
        case 3: s.set(coin() ? "Form3.RTS" : "Form3.DTR", "1"); break;
        case 4: s.set("Form3.Check5", bit()); break;
        case 5: s.set(coin() ? "Form22.Option6" : "Form22.Option7", "1"); break;
        case 6: s.set("Form3.FanCTRL", bit()); break;
        case 7: s.set("Form3.FanCTRL2", bit()); break;
        case 8:
            if (rng() % 4 == 0) s.app().act([&] { s.app().endProgram(); });
            break;
        default: break;   // nothing new: time passes
        }
    }
};

TEST(RaisedLinesProperty, AfterAnyRunNoLineIsUpAndEveryEndLowersBothFirst) {
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomStation r(seed);
        Station s(r.options());
        bool exited = false, linesUpAtExit = false;
        s.transcript().onLine([&](const std::string& line) {
            if (!endsWith(line, " EXIT")) return;
            exited = true;
            linesUpAtExit = s.node().rts() || s.node().dtr();
        });
        const int steps = 10 + static_cast<int>(r.rng() % 30);
        for (int i = 0; i < steps && !s.app().ended(); ++i) {
            r.act(s);
            s.advance(r.pause());
        }
        if (!s.app().ended()) {
            s.node().setCarrier(false);
            s.node().setInternetAudio(false);
            s.node().setReceivingSignal(false);
            s.advance(150);   // a minute's fan run-on and a start delay, with room to spare
            EXPECT_FALSE(s.node().rts());
            EXPECT_FALSE(s.node().dtr());
            EXPECT_FALSE(s.node().keyed());
            s.app().act([&] { s.app().endProgram(); });
        }
        EXPECT_TRUE(exited);
        EXPECT_FALSE(linesUpAtExit);
    }
}
}  // namespace
