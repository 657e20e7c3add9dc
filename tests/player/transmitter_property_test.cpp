// Whatever mix of requests, stops, breaks and Internet audio the station sees, a player that has
// nothing left to play never leaves the transmitter keyed.
#include <gtest/gtest.h>

#include <random>

#include "player_test_support.h"

namespace {
class RandomStation {
public:
    explicit RandomStation(std::uint32_t seed) : rng_(seed) {
        files_ = {audioFile(s, "short.wav", 0.3), audioFile(s, "tone.wav", 1.2), audioFile(s, "speech.wav", 6.5),
                  audioFile(s, "news.mp3", 75), s.dataFile("missing.wav"), ""};
        s.app().form3().wavfile.setText(s.dataFile("speech.wav"));
        // Breaks on, every minute, so that long files meet them.
        Form1& p = s.app().form1();
        p.BeaconPeriod8.setText("1");
        p.StopClock8.setValue(1);
        p.Text6.setText("1200");
        s.transcript().onLine([this](const std::string& line) {
            if (line.find("KEY off") != std::string::npos && s.app().form1().TempDelay == 1) ++breaks;
        });
    }

    void act() {
        Form1& p = s.app().form1();
        Form22& courtesy = s.app().form22();
        switch (pick(17)) {
            case 0: case 1: transmit(s, files_[pick(files_.size())], pick(2) ? "0" : "-800"); break;
            case 2: transmit(s, files_[3]); break;
            case 3: s.app().act([&] { p.StopFile(); }); break;
            case 4: s.click("Form1.Command9"); break;
            case 5:   // a new speech file replaces the old, then goes on the air
                s.app().act([&] {
                    p.KillFile();
                    p.txtFile.setText(files_[2]);
                    p.TXFile();
                });
                break;
            case 6: p.ferrin = 1; break;
            case 7: (pick(3) == 0 ? courtesy.Option3 : pick(2) ? courtesy.Option4 : courtesy.Option5).setValue(true); break;
            case 8: s.set("Form1.StopClock8", pick(3) ? "1" : "0"); break;
            case 9: p.Text6.setText(std::vector<std::string>{"0", "", "5", "60", "600", "abc"}[pick(6)]); break;
            case 10: p.BeaconPeriod8.setText(std::vector<std::string>{"1", "0", "", "-2"}[pick(4)]); break;
            case 11: {
                const bool on = pick(2);
                s.node().setInternetAudio(on);
                courtesy.PTT1.setText(on ? "IP  TX  ON" : "IP  TX  OFF");
                break;
            }
            case 12: s.app().form24().ferrin2 = 1; break;
            case 13: s.click("Form1.Command6"); break;
            case 14: case 15: case 16:   // a long file left to run into its first break
                transmit(s, files_[3]);
                s.advance(55 + pick(15));
                break;
        }
    }

    void advanceRandomly() {
        s.advance(pick(3000) / 1000.0);
    }
    int breaks = 0;

    // Nothing left to play: no time left on the file, whatever a break is doing.
    bool idle() { return s.app().form1().Label1.caption() == "0"; }

    Station s;

private:
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }
    std::mt19937 rng_;
    std::vector<std::string> files_;
};
}  // namespace

TEST(TransmitterProperty, AnIdlePlayerNeverLeavesTheTransmitterKeyed) {
    int breaksSeen = 0;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomStation r(seed);
        r.s.app().form1();
        for (int i = 0; i < 60; ++i) {
            r.act();
            r.advanceRandomly();
            // An idle player releases the transmitter at the driver's next tick at the latest (the
            // end of a break-length run outside a break keys it for one tick).
            if (r.idle() && r.s.node().keyed()) {
                r.s.advance(0.02);
                ASSERT_FALSE(r.idle() && r.s.node().keyed()) << "after action " << i;
            }
        }
        r.s.advance(100);   // longer than any file with its breaks
        EXPECT_TRUE(r.idle());
        EXPECT_EQ(r.s.app().form1().TempDelay, 0);
        EXPECT_FALSE(r.s.node().keyed());
        breaksSeen += r.breaks;
    }
    EXPECT_GT(breaksSeen, 0);   // the sequences do meet breaks
}
