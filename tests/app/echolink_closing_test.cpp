// EchoLink's Closing reaches every window's own EchoLink object in an order the node does not
// promise. Whichever handler runs first, every existing window's closing duties run and the
// program ends once.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/app.h"
#include "linkcontrol/connect_control_window.h"
#include "support/station_fixture.h"

namespace {
// The windows that save on EchoLink's closing, and some that must not.
const char* const kSavedOnClosing[] = {"mvcourtesy.ini", "marogreeting.ini"};
const char* const kNotSavedOnClosing[] = {"identabc.ini", "dtmfctrl.ini", "messagebox.ini"};
}  // namespace

TEST(EchoLinkClosing, EveryWindowDoesItsDutiesAndTheProgramEndsOnceInAnyDeliveryOrder) {
    for (const bool unreachable : {false, true}) {
        for (std::uint32_t seed = 1; seed <= 6; ++seed) {
            Station s({.createStartupWindows = true});
            s.app().messages();
            for (const char* name : kSavedOnClosing) std::filesystem::remove(s.settingsFile(name));
            for (const char* name : kNotSavedOnClosing) std::filesystem::remove(s.settingsFile(name));
            EchoLinkApp& link = s.app().form4().EchoLink();
            link.KeyTransmitter(true);
            link.Busy(true);
            link.DTRLine(true);
            link.RTSLine(true);
            s.node().setUnreachable(unreachable);
            s.node().shuffleEvents(seed);

            s.node().close();
            s.advance(1);

            const std::string at = "seed " + std::to_string(seed) + (unreachable ? ", EchoLink not answering" : "");
            EXPECT_TRUE(s.app().ended()) << at;
            EXPECT_EQ(s.transcript().count("EXIT"), 1) << at;
            for (const char* name : kSavedOnClosing)
                EXPECT_TRUE(std::filesystem::exists(s.settingsFile(name))) << name << ", " << at;
            for (const char* name : kNotSavedOnClosing)
                EXPECT_FALSE(std::filesystem::exists(s.settingsFile(name))) << name << ", " << at;
            if (!unreachable) {
                EXPECT_FALSE(s.node().keyed()) << at;
                EXPECT_FALSE(s.node().busy()) << "the connect-control window frees the busy listing, " << at;
                EXPECT_FALSE(s.node().dtr()) << at;
                EXPECT_FALSE(s.node().rts()) << at;
            }
        }
    }
}
