// The profile and beacon-set scheduler, and its settings file.
#include <filesystem>

#include "beacon_test_support.h"
#include "core/settings.h"
#include "core/text.h"

namespace {
constexpr const char* kSunday = "2026-12-13";
constexpr const char* kMonday = "2026-12-14";

void setEntryTime(Form123& p, int k, const std::string& hour, const std::string& mins) {
    p.entry(k).hour->operatorType(hour);
    p.entry(k).mins->operatorType(mins);
}

// Runs second by second, putting another profile in force before each tick, so the transcript
// shows every tick that applies an entry (the node reports a profile only when it changes).
void advanceResettingProfile(Station& s, int seconds) {
    auto other = s.node().newApp();
    for (int i = 0; i < seconds; ++i) {
        other->Profile("-");
        s.advance(1);
    }
}

std::vector<std::string> profilesWritten(Station& s) {
    std::vector<std::string> out;
    for (const auto& line : s.transcript().lines())
        if (startsWith(line, "PROFILE ")) out.push_back(line.substr(8));
    return out;
}
}  // namespace

TEST(ProfileScheduler, AppliesAtSeconds15To17OnTickedWeekdaysOnly) {
    struct Case {
        std::string day, hour, mins;
        int sunday;   // value of entry 1's Sun box
        std::vector<std::string> times;
    };
    const std::vector<Case> cases = {
        {kSunday, "08", "30", 1, {"08:30:15", "08:30:16", "08:30:17"}},
        {kMonday, "08", "30", 1, {}},
        {kSunday, "08", "30", 2, {}},   // a greyed box is not ticked
        {kSunday, "8", "30", 1, {}},    // the clock reads 08:30
        {kSunday, "24", "00", 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.day + " " + c.hour + ":" + c.mins + " Sun=" + std::to_string(c.sunday));
        Station s({c.day + " 08:30:10"});
        Form123& p = s.app().form123();
        setEntryTime(p, 1, c.hour, c.mins);
        p.Sun.setValue(c.sunday);
        p.Option2.setValue(true);
        advanceResettingProfile(s, 20);
        EXPECT_EQ(timesOf(s.transcript(), "PROFILE \"MAIN\""), c.times);
        EXPECT_EQ(s.app().form3().Option4.value(), !c.times.empty());
        EXPECT_EQ(p.ShowTime.caption(), "08:30:29");
    }
}

TEST(ProfileScheduler, TheSecondTimeAppliesLikeTheFirst) {
    Station s({std::string(kSunday) + " 21:05:14"});
    Form123& p = s.app().form123();
    p.Hourx.operatorType("21");
    p.Minsx.operatorType("05");
    p.Sun.setValue(1);
    p.Profile1.operatorType("EVENING");
    advanceResettingProfile(s, 5);
    EXPECT_EQ(timesOf(s.transcript(), "PROFILE \"EVENING\""), (std::vector<std::string>{"21:05:15", "21:05:16", "21:05:17"}));
    EXPECT_TRUE(s.app().form3().Option3.value());
}

TEST(ProfileScheduler, TheLowestNumberedEntryDueInATickIsLeftInForce) {
    Station s({std::string(kSunday) + " 10:00:14"});
    s.app().form3().Option4.setValue(true);
    Form123& p = s.app().form123();
    for (int k : {1, 3}) {
        setEntryTime(p, k, "10", "00");
        p.entry(k).days[0]->setValue(1);
    }
    p.Profile3.operatorType("THIRD");
    p.Option6.setValue(true);   // entry 3 selects set 2, entry 1 set 1
    s.advance(1.5);
    EXPECT_EQ(profilesWritten(s), (std::vector<std::string>{"\"THIRD\"", "\"MAIN\""}));
    EXPECT_EQ(s.node().profile(), "MAIN");
    EXPECT_TRUE(s.app().form3().Option3.value());
}

TEST(ProfileScheduler, AnEmptyNameChangesOnlyTheSetAndOtherNamesGoAsTyped) {
    Station s;
    Form123& p = s.app().form123();
    p.Profile1.setText("");
    p.Option2.setValue(true);
    s.click("Form123.Command3");
    EXPECT_TRUE(profilesWritten(s).empty());
    EXPECT_TRUE(s.app().form3().Option4.value());

    p.Profile2.setText("  lower case ");
    p.Option3.setValue(false);   // neither option selected: set 2
    s.app().form3().Option3.setValue(true);
    s.click("Form123.Command4");
    EXPECT_EQ(s.node().profile(), "  lower case ");
    EXPECT_TRUE(s.app().form3().Option4.value());
}

TEST(ProfileScheduler, AProfileEchoLinkRefusesStillLeavesTheScheduledSet) {
    Station s({std::string(kSunday) + " 06:00:14"});
    Form123& p = s.app().form123();
    setEntryTime(p, 2, "06", "00");
    p.Sun2.setValue(1);
    p.Profile2.setText("DAY");
    p.Option4.setValue(true);
    s.node().setUnreachable(true);
    s.advance(2);
    EXPECT_TRUE(s.app().form3().Option4.value());
}

TEST(ProfileDtmf, EveryEqualCodeIsAppliedInOrderOnAnyDay) {
    Station s({std::string(kMonday) + " 03:17:41"});
    Form123& p = s.app().form123();
    p.Text2.setText("45");
    p.Text4.setText("45");
    p.Profile2.setText("TWO");
    p.Profile4.setText("FOUR");
    p.Option8.setValue(true);
    s.node().receiveDtmf("45");
    s.advance(0.5);
    EXPECT_EQ(profilesWritten(s), (std::vector<std::string>{"\"TWO\"", "\"FOUR\""}));
    EXPECT_TRUE(s.app().form3().Option4.value());
}

TEST(ProfileDtmf, OnlyTheWholeExactCodeMatchesAndEmptyNeverDoes) {
    Station s;
    Form123& p = s.app().form123();
    p.Text1.setText("7a");
    for (const char* digits : {"7A", "7a ", "7", ""}) s.node().receiveDtmf(digits);
    s.advance(0.5);
    EXPECT_TRUE(profilesWritten(s).empty()) << "the empty code boxes of entries 2 to 4 never match";
    s.node().receiveDtmf("7a");
    s.advance(0.5);
    EXPECT_EQ(profilesWritten(s).size(), 1u);
}

TEST(ProfileDtmf, ARefusedProfileIsLoggedAndEndsTheHandler) {
    Station s;
    Form123& p = s.app().form123();
    p.Text1.setText("11");
    p.Option2.setValue(true);
    s.app().form3().Option3.setValue(true);
    s.advance(0.1);
    s.node().setUnreachable(true);
    s.app().act([&] { p.EchoLink().DTMFString("11"); });
    EXPECT_TRUE(s.transcript().contains("LOG \"MAIN <-- Profile could not be changed \""));
    EXPECT_TRUE(s.app().form3().Option3.value()) << "the entry's set is not selected";
}

TEST(ProfileWindow, BeaconSetupShowsTheChosenSet) {
    Station s;
    Form123& p = s.app().form123();
    s.click("Form123.SpeakInfo");
    EXPECT_TRUE(s.app().form111().visible());
    p.Option9.setValue(true);
    s.click("Form123.SpeakInfo");
    EXPECT_TRUE(s.app().form110().visible());
    p.closeRequest();
    EXPECT_TRUE(s.app().form123().Option10.value()) << "the choice returns to set 1 at every creation";
}

TEST(ProfileWindow, HourAndMinuteBoxesTakeTwoDigits) {
    Station s;
    Form123& p = s.app().form123();
    p.Hour3.operatorType("123");
    EXPECT_EQ(p.Hour3.text(), "12");
    p.Hour3.operatorType("a9");
    EXPECT_EQ(p.Hour3.text(), "9");
    p.Mins4x.operatorType("");
    EXPECT_EQ(p.Mins4x.text(), "") << "an emptied box stays empty";
}

TEST(ProfileWindow, NoFileGivesTheDefaults) {
    Station s;
    Form123& p = s.app().form123();
    EXPECT_EQ(p.Profile1.text(), "MAIN");
    EXPECT_EQ(p.caption(), "MVSmall    N0CALL-L   v1.0.0   Profiles & Beacons Sheduler");
    for (int k = 1; k <= 4; ++k) {
        const auto& e = p.entry(k);
        if (k > 1) {
            EXPECT_EQ(e.profile->text(), "");
        }
        EXPECT_TRUE(e.set1->value());
        EXPECT_EQ(e.hour->text(), "24");
        EXPECT_EQ(e.minsx->text(), "00");
        EXPECT_EQ(e.code->text(), "");
        for (CheckBox* d : e.days) EXPECT_EQ(d->value(), 0);
    }
    EXPECT_EQ(p.Left, 300);
}

TEST(ProfileWindow, EveryKeyRoundTrips) {
    const std::vector<std::string> days = {"SUN", "MON", "TUE", "WED", "THUR", "FRI", "SAT"};
    std::vector<std::pair<std::string, std::string>> keys;
    for (int k = 1; k <= 8; ++k) keys.push_back({"OPTION" + std::to_string(k), (k == 2 || k == 3 || k == 6 || k == 7) ? "True" : "False"});
    auto entryKeys = [&](int k) {
        const std::string n = k == 1 ? "" : std::to_string(k);
        for (size_t d = 0; d < days.size(); ++d) keys.push_back({days[d] + n, std::to_string((d + k) % 3)});
        keys.push_back({"HOUR" + n, "0" + std::to_string(k)});
        keys.push_back({"MINS" + n, std::to_string(10 + k)});
        keys.push_back({"HOUR" + n + "x", std::to_string(12 + k)});
        keys.push_back({"MINS" + n + "x", std::to_string(40 + k)});
    };
    entryKeys(2);
    for (int k = 1; k <= 4; ++k) keys.push_back({"Profile" + std::to_string(k), "PROFILE " + std::to_string(k)});
    entryKeys(1);
    entryKeys(3);
    entryKeys(4);
    for (int k = 1; k <= 4; ++k) keys.push_back({"TEXT" + std::to_string(k), "*" + std::to_string(k) + "#"});
    keys.push_back({"LEFT", "600"});
    keys.push_back({"TOP", "900"});
    ASSERT_EQ(keys.size(), 62u);

    Station s;
    std::string text = "[SETTINGS]\n";
    for (const auto& [k, v] : keys) text += (k == "HOURx" ? std::string("hourx") : k) + "=" + v + "\n";
    s.writeSettings("profiles.ini", text);
    Form123& p = s.app().form123();
    EXPECT_EQ(p.Hourx.text(), "13") << "keys are found without regard to case";
    EXPECT_TRUE(p.Option2.value());
    std::filesystem::remove(s.settingsFile("profiles.ini"));
    s.click("Form123.Command2");
    const SettingsFile saved(s.settingsFile("profiles.ini"));
    for (const auto& [key, value] : keys) EXPECT_EQ(saved.read(key, "<missing>"), value) << key;
}

TEST(ProfileWindow, OptionsReadAlikeAsNumbersOrWords) {
    Station s;
    s.writeSettings("profiles.ini", "[SETTINGS]\nOPTION1=0\nOPTION2=1\nOPTION3=True\nOPTION4=True\nOPTION5=0\nOPTION6=False\n");
    Form123& p = s.app().form123();
    EXPECT_TRUE(p.Option2.value());
    EXPECT_TRUE(p.Option4.value()) << "both selected: the second, read last, stays";
    EXPECT_FALSE(p.Option3.value());
    EXPECT_FALSE(p.Option5.value() || p.Option6.value());
}
