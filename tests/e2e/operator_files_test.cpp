// The operator's file buttons through the real program: a Play button on an empty slot asks the
// operator, a DTMF request for it asks nobody; a cancelled picker keeps its box; a text file's
// byte-order mark is never spoken.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/text.h"
#include "e2e/run_binary.h"
#include "support/test_wav.h"

namespace {
const std::string kVirtual = "--virtual-time \"2026-12-10 12:00:01\"";

// Runs the program on the settings files given as (name, lines) and gives the transcript events
// whose first word is in `words`, and the answers to `get`, without their times; the run's folder
// is written ROOT. The folder holds ROOT/picked.wav, two seconds long.
std::vector<std::string> eventsOf(const std::vector<std::pair<std::string, std::string>>& settings,
                                  const std::string& input, const std::set<std::string>& words) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("config"));
    writeTestWav(folder.file("picked.wav"), 2);
    for (const auto& [name, lines] : settings)
        folder.write("config/" + name, "[SETTINGS]\n" + replaceAll(lines, "ROOT", folder.path()));
    const auto run = runHeadless(folder, replaceAll(input, "ROOT", folder.path()), kVirtual);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> out;
    for (const auto& line : run.out) {
        const std::string event = startsWith(line, "= ") ? line : line.size() > 13 ? line.substr(13) : "";
        if (startsWith(event, "= ") || words.count(event.substr(0, event.find(' '))))
            out.push_back(replaceAll(event, folder.path(), "ROOT"));
    }
    return out;
}

const std::set<std::string> kOnAir = {"KEY", "PLAY", "LOG", "MSGBOX"};

struct Row {
    const char* what;
    std::vector<std::pair<std::string, std::string>> settings;
    const char* input;
    std::vector<std::string> expected;
};

void check(const Row& r, const std::set<std::string>& words) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(eventsOf(r.settings, r.input, words), r.expected);
}

// Slot 5: location TEXT25, code box Text5, Play button Command25.
TEST(OperatorFiles, ThePlayButtonOfAnEmptySlotAsksTheOperatorAndDtmfAsksNobody) {
    const std::pair<std::string, std::string> emptySlot{"marodtmfhelpMP3.ini", "TEXT25=\nTEXT5=55\n"};
    const Row rows[] = {
        {"Play plays the file the operator picks",
         {emptySlot},
         "answer ROOT/picked.wav\nclick Form23.Command25\nwait 3\n",
         {"KEY on", "PLAY \"ROOT/picked.wav\" vol=0", "KEY off"}},
        {"Play cancelled puts nothing on the air and logs nothing",
         {emptySlot},
         "answer cancel\nclick Form23.Command25\nwait 3\n",
         {}},
        {"DTMF for the slot asks nobody: the answer waits for the Play button",
         {emptySlot},
         "answer ROOT/picked.wav\ndtmf 55\nwait 3\nclick Form23.Command25\nwait 3\n",
         {"LOG \"DTMF player slot 5 has no file location; nothing is played \"", "KEY on",
          "PLAY \"ROOT/picked.wav\" vol=0", "KEY off"}},
        {"a cancelled Play leaves a transmission on the air as it was",
         {{"marodtmfhelpMP3.ini", "TEXT25=\nTEXT21=ROOT/picked.wav\nTEXT43=11\n"}},
         "dtmf 11\nwait 0.5\nanswer cancel\nclick Form23.Command25\nwait 3\n",
         {"KEY on", "PLAY \"ROOT/picked.wav\" vol=0", "KEY off"}},
    };
    for (const Row& r : rows) check(r, kOnAir);
}

// Each picker opens at its box's name: a cancel keeps a box that holds a path and says nothing;
// only an empty box gets the no-file message.
TEST(OperatorFiles, ACancelledPickerKeepsItsBoxAndSpeaksUpOnlyWhenTheBoxIsEmpty) {
    struct Picker {
        const char* file;
        const char* key;
        const char* picker;
        const char* box;
        const char* message;
    };
    const Picker pickers[] = {
        {"abcweather.ini", "WHEREISFILE", "Form114.GetcsvFile", "Form114.WhereIsFile", " You must select an csv file"},
        {"abcweather.ini", "WHEREISFILE2", "Form114.Command5", "Form114.WhereIsFile2", " You must select an audio file"},
        {"abcweather.ini", "WHEREISFILE3", "Form114.Command6", "Form114.WhereIsFile3", " You must select a txt file"},
        {"identabc.ini", "TEXT2", "Form3.Command12", "Form3.Text2", " You must select an audio file"},
        {"mvcourtesy.ini", "RFTONE", "Form22.Command1", "Form22.RFTone", " You must select an audio file"},
        {"mvcourtesy.ini", "INETTONE", "Form22.Command6", "Form22.InetTone", " You must select an audio file"},
        {"newsabc.ini", "Text4x", "Form24.Command3", "Form24.Text4x", " You must select an audio file"},
        // The DTMF player's dialog opens at the name picked last in any slot; a cancel keeps the slot's own.
        {"marodtmfhelpMP3.ini", "TEXT22", "Form23.Command31", "Form23.Text22", " No file Selected"},
        {"marodtmfhelpMP3.ini", "TEXT40", "Form23.Command49", "Form23.Text40", " No file Selected"},
    };
    for (const Picker& p : pickers) {
        SCOPED_TRACE(p.picker);
        const std::string input = std::string("answer cancel\nclick ") + p.picker + "\nget " + p.box + "\n";
        EXPECT_EQ(eventsOf({{p.file, std::string(p.key) + "=/srv/station/chosen.file\n"}}, input, kOnAir),
                  (std::vector<std::string>{"= /srv/station/chosen.file"}));
        EXPECT_EQ(eventsOf({{p.file, std::string(p.key) + "=\n"}}, input, kOnAir),
                  (std::vector<std::string>{"MSGBOX \"Error No File selected\" \"" + std::string(p.message) + "\"", "= "}));
    }
    // The forecast parser's own box is not stored: it holds its design path, or the operator empties it.
    const std::string parser = "get Form115.WhereIsFile2\nanswer cancel\nclick Form115.GetcsvFile\nget Form115.WhereIsFile2\n";
    const auto kept = eventsOf({}, parser, kOnAir);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_NE(kept[0], "= ");
    EXPECT_EQ(kept[1], kept[0]);
    EXPECT_EQ(eventsOf({}, "set Form115.WhereIsFile2 \n" + parser, kOnAir),
              (std::vector<std::string>{"= ", "MSGBOX \"Error No File selected\" \" You must select a txt file\"", "= "}));
}

// The beacon sets' pickers say that no file was chosen at every cancel, and keep the box.
TEST(OperatorFiles, ACancelledBeaconPickerAlwaysSaysSo) {
    const struct {
        const char* file;
        const char* key;
        const char* picker;
        const char* box;
    } pickers[] = {
        {"beaconabc.ini", "TEXT2", "Form111.Command31", "Form111.Text2"},
        {"beaconabc2.ini", "TEXT20", "Form110.Command49", "Form110.Text20"},
    };
    for (const auto& p : pickers) {
        SCOPED_TRACE(p.picker);
        const std::string input = std::string("answer cancel\nclick ") + p.picker + "\nget " + p.box + "\n";
        for (const std::string value : {"/srv/station/beacon.wav", ""})
            EXPECT_EQ(eventsOf({{p.file, std::string(p.key) + "=" + value + "\n"}}, input, kOnAir),
                      (std::vector<std::string>{"MSGBOX \"Error No File selected\" \" No file Selected\"", "= " + value}));
    }
}

// A text file written with a UTF-8 byte-order mark: the mark is neither spoken nor shown.
TEST(OperatorFiles, AByteOrderMarkIsNoPartOfASpokenTextFile) {
    const std::string bom = "\xEF\xBB\xBF";
    TempFolder files;
    files.write("slot.txt", bom + "Club net tonight\r\nat eight\r\n");
    files.write("beacon.txt", bom + "\nWelcome to the node\n");
    const std::set<std::string> spoken = {"WAV"};
    const Row rows[] = {
        {"a text-file slot played by DTMF",
         {{"marodtmfhelpMP3.ini", "TEXT21=" + files.file("slot.txt") + "\nTEXT43=11\n"}},
         "wait 5\ndtmf 11\nwait 1\nget Form23.Text1\n",   // after the status box's clearing at start-up
         {"WAV \"ROOT/config/Text_To_Wav.wav\" \"Club net tonight at eight\"", "= Club net tonight at eight"}},
        {"a beacon text file tested from its slot",
         {{"beaconabc.ini", "TEXT1=" + files.file("beacon.txt") + "\n"}},
         "click Form111.Command61\nwait 5\nget Form111.Text24\n",
         {"WAV \"ROOT/config/Text_To_Wav.wav\" \"Welcome to the node\"", "= Welcome to the node"}},
    };
    for (const Row& r : rows) check(r, spoken);
}
}  // namespace
