// Net set 2: its window's life, its weekly and dated nets, and netscheduler2.ini.
#include <set>

#include "net_station.h"

namespace {

const char* kWeeklySlot2 =
    "THUR2=1\nHOUR2=20\nMINS2=05\nNETCALL2=w2net\nSHOWBUSY2=1\nDISCONNECTALL2=1\nCHECK16=1\nCHECK2=1\nDISCMINS2=1\n"
    "CHECK1=1\n";   // the dated slot's listen-only box: never used by a weekly slot

const char* kDatedNet =
    "TEXT3=10/12/2026\nHOUR5=20\nMINS5=05\nNETCALL5=w5date\nSHOWBUSY5=1\nCHECK1=1\nCHECK6=1\nDISCMINS5=2\n"
    "CHECK25=1\n";

}  // namespace

TEST(NetSet2, AWeeklyNetStartsListsBusyWithoutListenOnlyIsWatchedAndEnds) {
    Station s({"2026-12-10 20:05:10"});
    Form117& f = openNetSet2(s, kWeeklySlot2);
    stayConnected(s, 1, 1);
    s.advance(4.5);
    EXPECT_TRUE(timedLinkActions(s.transcript()).empty());
    s.advance(1);
    EXPECT_EQ(timedLinkActions(s.transcript()),
              (std::vector<std::string>{"20:05:15 BUSY on", "20:05:15 DISCONNECT-ALL", "20:05:15 CONNECT W2NET"}));
    EXPECT_EQ(s.app().form4().ListBusy, "1");
    EXPECT_EQ(f.Auto1, "1");
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(0, 0));
    EXPECT_EQ(f.Check17.value(), 1);
    EXPECT_EQ(f.DiscPeriod2.caption(), "60");

    s.advance(2);   // connected
    s.node().stationDisconnects("W2NET");
    s.transcript().clear();
    s.advance(58);
    EXPECT_EQ(timedLinkActions(s.transcript()),
              (std::vector<std::string>{"20:06:10 CONNECT W2NET", "20:06:15 BUSY off", "20:06:15 DISCONNECT W2NET"}));
    EXPECT_EQ(s.app().form4().ListBusy, "0");
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(1, 1));
    EXPECT_EQ(f.Check17.value(), 0);
}

TEST(NetSet2, ADatedNetStartsOnItsDateAndSecondWithListenOnlyLast) {
    Station s({"2026-12-10 20:05:10"});
    Form117& f = openNetSet2(s, kDatedNet);
    s.advance(1.5);
    EXPECT_EQ(f.FrameDate.caption(), " Date - Format = 10/12/2026");
    s.advance(4);
    EXPECT_EQ(timedLinkActions(s.transcript()),
              (std::vector<std::string>{"20:05:15 BUSY on", "20:05:15 CONNECT W5DATE", "20:05:15 LISTEN-ONLY on"}));
    EXPECT_EQ(f.Check26.value(), 1);
    EXPECT_EQ(f.DiscPeriod5.caption(), "120");

    // No watchdog looks after the dated net.
    s.node().stationConnects("W5DATE");
    s.transcript().clear();
    s.advance(120);
    EXPECT_EQ(timedLinkActions(s.transcript()),
              (std::vector<std::string>{"20:07:15 BUSY off", "20:07:15 DISCONNECT W5DATE", "20:07:15 LISTEN-ONLY off"}));
    EXPECT_EQ(f.Check26.value(), 0);
}

TEST(NetSet2, ADatedNetNeedsTheShortDateExactly) {
    for (const char* date : {"10/12/2026", "10/12/26", "12/10/2026", "10-12-2026", " 10/12/2026", "99/99/9999", ""}) {
        SCOPED_TRACE(date);
        Station s({"2026-12-10 20:05:10"});
        openNetSet2(s, std::string("HOUR5=20\nMINS5=05\nNETCALL5=W5DATE\nTEXT3=\"") + date + "\"\n");
        s.advance(10);
        EXPECT_EQ(s.transcript().contains("CONNECT W5DATE"), std::string(date) == "10/12/2026");
    }
}

TEST(NetSet2, ADatedNetOfNoMinutesLastsOneMinute) {
    Station s({"2026-12-10 20:05:10"});
    Form117& f = openNetSet2(s, "TEXT3=10/12/2026\nHOUR5=20\nMINS5=05\nNETCALL5=W5DATE\nCHECK6=1\nDISCMINS5=0\n");
    s.advance(6.5);
    EXPECT_EQ(f.DiscMins5.text(), "1");
    EXPECT_EQ(f.DiscPeriod5.caption(), "59");
    s.advance(59);
    EXPECT_EQ(timedLinkActions(s.transcript()),
              (std::vector<std::string>{"20:05:15 CONNECT W5DATE", "20:06:15 DISCONNECT W5DATE"}));
}

TEST(NetSet2, NothingStartsBeforeTheWindowIsOpenedNorAfterItIsClosed) {
    Station s({"2026-12-10 20:05:10"});
    s.writeSettings(Form117::kSettingsFile, std::string("[SETTINGS]\n") + kDatedNet);
    openSet1(s);
    s.advance(10);
    EXPECT_FALSE(s.app().exists("Form117"));
    EXPECT_FALSE(s.transcript().contains("CONNECT"));

    // Opened, then closed again with no net running: unloaded, so the 20:06 net of slot 1 does not start.
    Station t({"2026-12-10 20:05:50"});
    Form117& f = openNetSet2(t, "THUR=1\nHOUR=20\nMINS=06\nNETCALL1=W1NET\n");
    t.app().act([&] { f.closeRequest(); });
    EXPECT_FALSE(t.app().exists("Form117"));
    t.advance(30);
    EXPECT_FALSE(t.transcript().contains("CONNECT W1NET"));
}

TEST(NetSet2, HiddenTheWindowStillStartsItsNets) {
    Station s({"2026-12-10 20:05:10"});
    Form117& f = openNetSet2(s, kWeeklySlot2);
    s.click("Form117.Command1");
    EXPECT_FALSE(f.visible());
    s.advance(6);
    EXPECT_TRUE(s.transcript().contains("CONNECT W2NET"));
}

TEST(NetSet2, ClosingTheWindowDuringANetStillEndsThatNetOnTime) {
    Station s({"2026-12-10 20:05:10"});
    Form117& f = openNetSet2(s, kWeeklySlot2);
    stayConnected(s, 1, 0);
    s.advance(10);
    s.app().act([&] { f.closeRequest(); });
    EXPECT_FALSE(f.visible());
    s.advance(60);
    EXPECT_TRUE(s.transcript().contains("DISCONNECT W2NET"));
    EXPECT_TRUE(s.transcript().contains("BUSY off"));
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(1, 0));
    EXPECT_FALSE(s.app().exists("Form117"));
}

TEST(NetSet2, AMissingSettingsFileGivesTheDefaults) {
    Station s;
    Form117& f = openNetSet2(s);
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(f.caption(), "MVSmall    N0CALL-L   v1.0.0  Net Scheduler Set 2");
    for (TextBox* hour : {&f.Hour, &f.Hour2, &f.Hour3, &f.Hour4, &f.Hour5}) EXPECT_EQ(hour->text(), "24");
    for (TextBox* mins : {&f.Mins, &f.Mins2, &f.Mins3, &f.Mins4, &f.Mins5}) EXPECT_EQ(mins->text(), "00");
    for (TextBox* minutes : {&f.DiscMins1, &f.DiscMins2, &f.DiscMins3, &f.DiscMins4, &f.DiscMins5})
        EXPECT_EQ(minutes->text(), "0");
    for (Label* seconds : {&f.DiscPeriod1, &f.DiscPeriod2, &f.DiscPeriod3, &f.DiscPeriod4, &f.DiscPeriod5})
        EXPECT_EQ(seconds->caption(), "0");
    EXPECT_EQ(f.Text3.text(), "");
    EXPECT_EQ(f.NetCall5.text(), "");
    EXPECT_EQ(f.Left, 300);
    EXPECT_EQ(f.Top, 300);
    for (Timer* t : {&f.Timer3, &f.Timer4, &f.Timer5, &f.Timer6, &f.Timer7}) EXPECT_FALSE(t->enabled());
    for (Timer* t : std::initializer_list<Timer*>{&f.Timer1, &f.Timer2, &f.Timer15}) EXPECT_TRUE(t->enabled());
}

TEST(NetSet2, TheInputRulesOfTheWeeklySlotsAndTheFreeBoxesOfTheDatedSlot) {
    Station s;
    Form117& f = openNetSet2(s);
    s.set("Form117.DiscMins1", "15");
    EXPECT_EQ(f.DiscPeriod1.caption(), "900");
    s.set("Form117.Hour3", "2a1");
    EXPECT_EQ(f.Hour3.text(), "21");
    s.set("Form117.NetCall3", "abc");
    EXPECT_EQ(f.NetCall3.text(), "ABC");
    s.set("Form117.Hour5", "ab");
    EXPECT_EQ(f.Hour5.text(), "ab");
    s.set("Form117.Text3", "10/12/2026xx");
    EXPECT_EQ(f.Text3.text(), "10/12/2026");
    s.set("Form117.DiscMins5", "7");
    EXPECT_EQ(f.DiscPeriod5.caption(), "0");
}

// Every key goes out and comes back; only the Save button writes the file.
TEST(NetSet2, TheSettingsFileRoundTripsEveryKey) {
    const std::vector<std::string> checks = {
        "CHECK1", "CHECK2", "CHECK3", "CHECK6", "CHECK11", "CHECK20", "CHECK14", "CHECK16", "CHECK18", "CHECK21",
        "SUN2", "MON2", "TUE2", "WED2", "THUR2", "FRI2", "SAT2", "SUN", "MON", "TUE", "WED", "THUR", "FRI", "SAT",
        "SUN3", "MON3", "TUE3", "WED3", "THUR3", "FRI3", "SAT3", "SUN4", "MON4", "TUE4", "WED4", "THUR4", "FRI4",
        "SAT4", "DISCONNECTALL1", "DISCONNECTALL2", "DISCONNECTALL3", "DISCONNECTALL4", "DISCONNECTALL5",
        "SHOWBUSY1", "SHOWBUSY2", "SHOWBUSY3", "SHOWBUSY4", "SHOWBUSY5", "RFBUSY", "CHECK25"};
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"DISCMINS1", "11"}, {"DISCMINS2", "12"}, {"DISCMINS3", "13"}, {"DISCMINS4", "14"}, {"DISCMINS5", "15"},
        {"HOUR2", "02"},     {"MINS2", "22"},     {"HOUR", "01"},      {"MINS", "21"},      {"HOUR3", "03"},
        {"MINS3", "23"},     {"HOUR4", "04"},     {"MINS4", "24"},     {"HOUR5", "05"},     {"MINS5", "25"},
        {"TEXT3", "24/12/2026"}};
    const std::vector<std::string> calls = {"NETCALL1", "NETCALL2", "NETCALL3", "NETCALL4", "NETCALL5"};
    ASSERT_EQ(checks.size() + texts.size() + calls.size() + 2, 73u);

    Station s;
    Form117* f = &openNetSet2(s);
    s.app().act([&] {
        int n = 0;
        for (const auto& key : checks) static_cast<CheckBox*>(f->findControl(key))->setValue(1 + n++ % 2);
        for (const auto& [key, value] : texts) static_cast<TextBox*>(f->findControl(key))->setText(value);
        for (const auto& key : calls) static_cast<TextBox*>(f->findControl(key))->setText("w" + key.substr(7) + "net ");
        f->Move(1234, 567);
    });
    s.app().act([&] { s.app().form4().SaveData(); });
    EXPECT_EQ(s.readSettings(Form117::kSettingsFile), "");   // the launcher's save leaves set 2 alone
    s.click("Form117.Command2");
    const std::string file = s.readSettings(Form117::kSettingsFile);
    EXPECT_NE(file.find("NETCALL3=\"W3NET \""), std::string::npos) << file;

    s.app().act([&] { f->closeRequest(); });
    f = &openNetSet2(s);
    int n = 0;
    for (const auto& key : checks) EXPECT_EQ(static_cast<CheckBox*>(f->findControl(key))->value(), 1 + n++ % 2) << key;
    for (const auto& [key, value] : texts) EXPECT_EQ(static_cast<TextBox*>(f->findControl(key))->text(), value) << key;
    for (const auto& key : calls)
        EXPECT_EQ(static_cast<TextBox*>(f->findControl(key))->text(), "W" + key.substr(7) + "NET ") << key;
    EXPECT_EQ(f->Left, 1234);
    EXPECT_EQ(f->Top, 567);
    EXPECT_EQ(f->DiscPeriod3.caption(), "780");
    // No key more than the 73.
    std::set<std::string> keys;
    for (size_t at = 0; (at = file.find('\n', at)) != std::string::npos; ++at) {
        const size_t eq = file.find('=', at);
        if (eq != std::string::npos) keys.insert(file.substr(at + 1, eq - at - 1));
    }
    EXPECT_EQ(keys.size(), 73u);
}

TEST(NetSet2, ValuesThatDoNotConvertKeepTheDefaultAndAreLogged) {
    Station s;
    Form117& f = openNetSet2(s, "DISCMINS2=ten\nSHOWBUSY3=7\n");
    EXPECT_EQ(f.DiscMins2.text(), "0");
    EXPECT_EQ(f.ShowBusy3.value(), 0);
    EXPECT_EQ(s.transcript().count("LOG "), 2);
}

TEST(NetSet2, OpenedAgainAfterAClosingDuringANetTheWindowStays) {
    Station s({"2026-12-10 20:05:10"});
    Form117& f = openNetSet2(s, kWeeklySlot2);
    s.advance(10);
    s.app().act([&] { f.closeRequest(); });
    s.click("Form4.Command25");
    EXPECT_EQ(&s.app().form117(), &f);
    EXPECT_TRUE(f.visible());
    s.advance(60);
    EXPECT_TRUE(s.transcript().contains("DISCONNECT W2NET"));
    EXPECT_TRUE(s.app().exists("Form117"));
}
