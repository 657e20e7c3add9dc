// Stored values through the real program: whatever a settings file holds, the window's creation
// leaves a state in which nothing falls due more often than its shortest period, and a value that
// cannot be taken is named once in the error log.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/text.h"
#include "e2e/run_binary.h"

namespace {
const std::string kVirtual = "--virtual-time \"2026-12-10 12:00:01\"";

// "hh:mm:ss.mmm EVENT ..." -> milliseconds of the day, and the event without its time.
long msOf(const std::string& line) {
    return ((std::stol(line.substr(0, 2)) * 60 + std::stol(line.substr(3, 2))) * 60 + std::stol(line.substr(6, 2))) *
               1000 +
           std::stol(line.substr(9, 3));
}
// A settings file in the folder the run reads its settings from.
void writeSettings(const TempFolder& folder, const std::string& name, const std::string& text) {
    std::filesystem::create_directories(folder.file("config"));
    folder.write("config/" + name, text);
}

std::string eventOf(const std::string& line) { return line.size() > 13 ? line.substr(13) : ""; }

int countStarting(const BinaryRun& run, const std::string& prefix) {
    int n = 0;
    for (const auto& l : run.out)
        if (startsWith(eventOf(l), prefix)) ++n;
    return n;
}

std::vector<std::string> logLines(const BinaryRun& run) {
    std::vector<std::string> logs;
    for (const auto& l : run.out)
        if (startsWith(eventOf(l), "LOG ")) logs.push_back(eventOf(l));
    return logs;
}

std::string valueOf(const BinaryRun& run, const std::string& name) {
    // `get` answers "= VALUE" in the order asked; the caller asks one thing a run.
    for (const auto& l : run.out)
        if (startsWith(l, "= ")) return l.substr(2);
    return "(no answer for " + name + ")";
}

// ---- faults seen, each as the operator's file and what the air shows

struct FaultRow {
    const char* what;
    const char* file;
    const char* contents;
    const char* input;
    const char* event;          // an on-air event that may appear at most `most` times
    int most;
    const char* needs;          // an on-air event that must appear, or ""
    const char* get;            // a control read after the load
    const char* value;          // what it holds
    const char* logged;         // a log line's piece, or "" for no log line at all
};

TEST(StoredValuesFaults, EachStoredFileLoadsToASoundStation) {
    const std::vector<FaultRow> rows = {
        {"idents off with empty periods: no ident every second", "identabc.ini",
         "[SETTINGS]\nSTOPCLOCK6=0\nBEACONPERIOD6=\nSTOPCLOCK7=0\nBEACONPERIOD7=\nCALLSIGN=Voice ident\n"
         "CWCALLSIGN=N0CALL\n",
         "wait 30\n", "CW ", 0, "", "Form3.BeaconPeriod6", "1", ""},
        {"idents off with a period that is not a number", "identabc.ini",
         "[SETTINGS]\nSTOPCLOCK6=0\nBEACONPERIOD6=x\nSTOPCLOCK7=0\nBEACONPERIOD7=\nCALLSIGN=Voice ident\n"
         "CWCALLSIGN=N0CALL\n",
         "wait 30\n", "WAV ", 0, "", "Form3.BeaconPeriod6", "10",
         "identabc.ini <-- BEACONPERIOD6 has the value \\\"x\\\""},
        {"information beacon ticked with an empty period: off", "identabc.ini",
         "[SETTINGS]\nBEACONPERIOD1=\nSTOPCLOCK1=1\n", "wait 40\n", "WAV ", 0, "", "Form3.BeaconPeriod1", "0", ""},
        {"timed beacon period below zero: off", "beaconabc.ini", "[SETTINGS]\nBEACONPERIOD1=-5\n", "wait 30\n",
         "WAV ", 0, "", "Form111.BeaconPeriod1", "0", "beaconabc.ini <-- BEACONPERIOD1 has the value \\\"-5\\\""},
        {"fan control with an empty fan period: the time is announced, the fan line held", "identabc.ini",
         "[SETTINGS]\nFANPERIOD=\nFANCTRL=1\n", "click Form3.TheTime\nwait 10\n", "DTR on", 2,
         "SPEAK \"Good Afternoon, The Time Is", "Form3.FanPeriod", "1", ""},
        {"empty anti-kerchunk time: the handler's 3000 ms", "mvcourtesy.ini", "[SETTINGS]\nKERCHUNKWAIT=\n",
         "wait 1\n", "LOG ", 0, "", "Form22.KerchunkWait", "3000", ""},
        {"a check box that does not convert: the table's default", "newsabc.ini",
         "[SETTINGS]\nDISCONNECTALL=abc\n", "show Form24\n", "DISCONNECT", 0, "", "Form24.DisconnectAll", "1",
         "newsabc.ini <-- DISCONNECTALL has the value \\\"abc\\\""},
        {"a greeting delay longer than its box: cut", "marogreeting.ini", "[SETTINGS]\nBEACONPERIODDELAY=25\n",
         "show Form10\n", "CHAT ", 0, "", "Form10.BeaconPeriodDelay", "2",
         "marogreeting.ini <-- BEACONPERIODDELAY has the value \\\"25\\\""},
        {"a stored lower-case callsign: capitals from the start", "identabc.ini",
         "[SETTINGS]\nConnectStationx=w1abc\n", "wait 1\n", "CONNECT ", 0, "", "Form3.ConnectStationx", "W1ABC", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder folder;
        writeSettings(folder, r.file, r.contents);
        const auto run = runHeadless(folder, std::string(r.input) + "get " + r.get + "\n", kVirtual);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_LE(countStarting(run, r.event), r.most);
        if (*r.needs) {
            EXPECT_EQ(countStarting(run, r.needs), 1);
        }
        EXPECT_EQ(valueOf(run, r.get), r.value);
        const auto logs = logLines(run);
        if (std::string(r.logged).empty()) {
            EXPECT_TRUE(logs.empty()) << logs.front();
        } else {
            ASSERT_EQ(logs.size(), 1u);
            EXPECT_NE(logs[0].find(r.logged), std::string::npos) << logs[0];
        }
    }
}

// ---- every window's numeric keys at once, for each kind of stored value

// The windows' settings files with their numeric keys, and what ticks their "use" boxes so the
// periods matter.
struct StoredFile {
    const char* name;
    std::vector<const char*> numbers;
    const char* ticks;
};

const std::vector<StoredFile>& storedFiles() {
    static const std::vector<StoredFile> files = {
        {"identabc.ini",
         {"BEACONPERIOD1", "BEACONPERIOD6", "BEACONPERIOD7", "VOICEPERIOD", "LONGID", "PLUSSECONDS", "FANPERIOD",
          "DELAYPERIOD", "TTSPERIOD", "BeaconPeriodx", "HOUROFF1", "MINSOFF1", "HOURON1b", "MINSON1b"},
         "STOPCLOCK1=1\nSTOPCLOCK6=1\nSTOPCLOCK7=1\nFANCTRL=1\nCALLSIGN=Voice ident\nCWCALLSIGN=N0CALL\n"},
        {"beaconabc.ini", {"BEACONPERIOD1", "TEXT22", "TEXT23", "MAXRAND"}, "STOPCLOCK1=1\n"},
        {"beaconabc2.ini", {"BEACONPERIOD1", "TEXT22", "TEXT23", "MAXRAND"}, "STOPCLOCK1=1\n"},
        {"dtmfctrl.ini",
         {"DELAYPERIOD", "BEACONPERIOD17", "DISCMINS1", "DISCMINS2", "DISCMINS3", "DISCMINS4", "DTMFDELAYSECONDS",
          "BEACONPERIOD", "HOUR", "MINS"},
         ""},
        {"mvcourtesy.ini", {"HANGTIME", "KERCHUNKWAIT"}, ""},
        {"abcweather.ini", {"BEACONPERIOD1", "BEACONPERIOD2", "BEACONPERIOD3", "BEACONPERIOD4"},
         "STOPCLOCK1=1\nSTOPCLOCK2=1\nSTOPCLOCK3=1\nSTOPCLOCK4=1\n"},
        {"newsabc.ini", {"HOUR", "MINS", "HOUR00", "MINS00", "HOUR2", "MINS2"}, ""},
        {"profiles.ini", {"HOUR", "MINS", "HOURx", "MINSx", "HOUR2", "MINS2"}, ""},
        {"netscheduler2.ini", {"DISCMINS1", "DISCMINS2", "DISCMINS3", "DISCMINS4", "DISCMINS5"}, ""},
        {"marogreeting.ini", {"BEACONPERIODDELAY"}, ""},
        {"MP3_PlayerABC.ini", {"BEACONPERIOD8", "TEXT6"}, "STOPCLOCK8=1\n"},
    };
    return files;
}

struct StoredValue {
    const char* name;
    const char* value;
    bool named;   // the log names each key holding it
};

class EveryNumericKey : public ::testing::TestWithParam<StoredValue> {};

TEST_P(EveryNumericKey, NothingFallsDueMoreOftenThanAMinuteAndEachBadValueIsNamedOnce) {
    const StoredValue& v = GetParam();
    TempFolder folder;
    for (const auto& f : storedFiles()) {
        std::string text = "[SETTINGS]\n";
        for (const char* key : f.numbers) text += std::string(key) + "=" + v.value + "\n";
        writeSettings(folder, f.name, text + f.ticks);
    }
    // The windows that start-up does not create are shown, so their timers run too.
    const auto run = runHeadless(folder, "show Form24\nshow Form117\nshow Form123\nshow Form10\nwait 3600\n", kVirtual);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_FALSE(run.out.empty());
    EXPECT_GE(run.out.back(), "13:00:01.000 EXIT") << "the hour went by";

    // The same text on the air twice within a minute is something falling due too often.
    std::map<std::string, long> lastAt;
    for (const auto& l : run.out) {
        const std::string e = eventOf(l);
        if (!(startsWith(e, "CW ") || startsWith(e, "SPEAK ") || startsWith(e, "WAV ") || startsWith(e, "CHAT ") ||
              startsWith(e, "CONNECT ") || startsWith(e, "DISCONNECT") || startsWith(e, "DOWNLOAD ") ||
              startsWith(e, "DTMF-OUT ")))
            continue;
        const long at = msOf(l);
        if (auto it = lastAt.find(e); it != lastAt.end()) {
            EXPECT_GE(at - it->second, 60000) << l;
        }
        lastAt[e] = at;
    }
    EXPECT_LE(countStarting(run, "KEY on"), 120);
    EXPECT_LE(countStarting(run, "DTR on") + countStarting(run, "RTS on"), 120);

    // Each key is named at most once; a value that is no number is named for every key.
    const auto logs = logLines(run);
    for (const auto& f : storedFiles()) {
        for (const char* key : f.numbers) {
            const std::string named = std::string(f.name) + " <-- " + key + " has the value";
            int times = 0;
            for (const auto& l : logs)
                if (l.find(named) != std::string::npos) ++times;
            EXPECT_LE(times, 1) << f.name << " " << key;
            if (v.named) {
                EXPECT_EQ(times, 1) << f.name << " " << key;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(StoredValues, EveryNumericKey,
                         ::testing::Values(StoredValue{"Empty", "", false}, StoredValue{"NotANumber", "x", true},
                                           StoredValue{"BelowZero", "-5", true},
                                           StoredValue{"ZeroWithTwoDigits", "00", false},
                                           StoredValue{"Huge", "99999999999999999999", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
