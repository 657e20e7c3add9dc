// Where the station meets the files around it, through the real program: a file the sysop names
// that never answers a read (a FIFO) or never ends (a terabyte of one line, sparse on disk), a
// settings folder that cannot be written holding an earlier run's speech, and a download killed
// part-way. Each row ends by asking the station a question: it must answer, and end.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "core/text.h"
#include "e2e/program_run.h"
#include "platform/local_servers.h"
#include "platform/page_pieces.h"
#include "platform/wav_file.h"
#include "support/station_fixture.h"

namespace {
namespace fs = std::filesystem;

constexpr std::uintmax_t kTerabyte = std::uintmax_t(1) << 40;
const std::string kSlotText = "Club net tonight at eight. ";   // 27 characters

// `head`, then a hole of a terabyte (read as NUL bytes, stored as nothing), then `tail`.
void writeEndless(const std::string& path, const std::string& head, const std::string& tail = "") {
    {
        std::ofstream out(path, std::ios::binary);
        out << head;
    }
    fs::resize_file(path, kTerabyte);
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << tail;
}

// A conditions record: hour 15, minute 30, wind 12 from 270, humidity 55, 61 degrees, code 17
// (sunny), dew point 45.
const std::string kRecord =
    "2026,12,10,4,15,30,0,12,0,270,0,55,0,61,30.1,0,0,0,17,0,0,0,0,0,0,0,0,0,0,0,0,45";

struct Row {
    const char* what;
    std::vector<std::pair<std::string, std::string>> settings;   // "@ROOT@" for the run's folder
    std::function<void(const TempFolder&)> prepare;
    std::string input;   // before the closing question
    std::vector<std::string> transcript;   // in this order, each in a later line
    std::vector<std::string> never{};      // no line holds any of these
    bool unusedAccount = false;   // the program runs as an account that owns nothing here
    std::function<void(const TempFolder&)> after{};
};

std::string root(const std::string& s, const TempFolder& f) { return replaceAll(s, "@ROOT@", f.path()); }

// The program is held to a bounded address space, so a reading that would take the whole file
// fails at once rather than filling the machine's memory. The address sanitizer needs far more
// address space than that for itself.
bool boundMemory() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#else
    const rlimit bound{rlim_t(2) << 30, rlim_t(2) << 30};
    return setrlimit(RLIMIT_AS, &bound) == 0;
#endif
}

// What a killed run leaves: its download's partial file, held by nobody, beside partial files a
// download that still runs (in another copy of the program) holds, and names the program never
// makes.
struct KilledDownload {
    int held = -1;
    ~KilledDownload() {
        if (held >= 0) close(held);
    }
};

std::vector<std::string> partialFiles(const TempFolder& f) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(f.file("data")))
        if (e.path().filename().string().find(".part") != std::string::npos) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

void killDownloadPartWay(const TempFolder& f, KilledDownload& state) {
    LocalServer http(httpServerScript(), {});
    ASSERT_TRUE(http.started()) << http.problem();
    ProgramRun run;
    run.args = {"--headless", "--config", f.file("config"), "--data", f.file("data")};
    run.env = {{"XDG_RUNTIME_DIR", f.file("runtime")}, {"TMPDIR", f.path()}, {"MVSMALL_AUDIO_SINK", "fakesink sync=true"}};
    run.input = "set Form13.txtURL11 http://127.0.0.1:" + std::to_string(http.port()) +
                "/stall\nclick Form13.Command12\n";
    run.keepInputOpen = true;
    run.signal = SIGKILL;
    run.signalWhen = [&] { return !partialFiles(f).empty(); };
    run.timeoutSeconds = 30;
    const ProgramResult killed = runProgram(run);
    ASSERT_TRUE(killed.signalSent) << killed.err;
    ASSERT_EQ(partialFiles(f).size(), 1u);
    ASSERT_EQ(partialFiles(f)[0].rfind("News1.mp3.part", 0), 0u);
    f.write("data/News2.mp3.partRunning", "");
    state.held = open(f.file("data/News2.mp3.partRunning").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(state.held, LOCK_EX | LOCK_NB), 0);
    f.write("data/News1.mp3.partial", "the sysop's");
    f.write("data/Other.mp3.partABCDEF", "the sysop's");
}

std::vector<Row> rows() {
    const std::string slot = "marodtmfhelpMP3.ini";
    const std::string weather = "abcweather.ini";
    auto fifo = [](const char* name) { return [=](const TempFolder& f) { mkfifo(f.file(name).c_str(), 0600); }; };
    auto killed = std::make_shared<KilledDownload>();
    return {
        {"1: a text slot naming a FIFO", {{slot, "TEXT21=@ROOT@/slot.txt\nTEXT43=55\n"}}, fifo("slot.txt"),
         "dtmf 55\nwait 3\n",
         {"LOG \"@ROOT@/slot.txt <-- File Not Found. Please check and try again (is not a regular file) \""}},
        {"1: a conditions file that is a FIFO", {{weather, "WHEREISFILE=@ROOT@/wx.csv\n"}}, fifo("wx.csv"),
         "dtmf **1\nwait 3\n",
         {"SPEAK \"Stand By\"",
          "LOG \"@ROOT@/wx.csv (is not a regular file) <-- Weather conditions file not found; no conditions are spoken \""}},
        {"1: a forecast file that is a FIFO", {{weather, "WHEREISFILE2=@ROOT@/metar.txt\n"}}, fifo("metar.txt"),
         "dtmf **2\nwait 3\n",
         {"LOG \"@ROOT@/metar.txt (is not a regular file) <-- Weather forecast file not found; no forecast is spoken \""}},
        {"1: a warning file that is a FIFO", {{weather, "WHEREISFILE3=@ROOT@/warning.txt\n"}}, fifo("warning.txt"),
         "dtmf **3\nwait 3\n",
         {"LOG \"@ROOT@/warning.txt (is not a regular file) <-- Weather warning file not found",
          "There are no warnings at this time."}},
        {"2: a text slot of one endless line speaks the box's 2000 characters",
         {{slot, "TEXT21=@ROOT@/slot.txt\nTEXT43=55\n"}},
         [](const TempFolder& f) { writeEndless(f.file("slot.txt"), times(kSlotText, 100)); }, "dtmf 55\nwait 3\n",
         {"WAV \"@ROOT@/config/Text_To_Wav.wav\" \"" + times(kSlotText, 100).substr(0, 2000) + "\"", "KEY on"}},
        {"2: the conditions record after a terabyte-long line is read from the file's end",
         {{weather, "WHEREISFILE=@ROOT@/wx.csv\n"}},
         [](const TempFolder& f) { writeEndless(f.file("wx.csv"), "old,record\r\n", "\r\n" + kRecord + "\r\n"); },
         "dtmf **1\nwait 3\n", {"The Temperature is 61 degrees", "KEY on"}},
        {"2: a conditions file of one endless line is no record",
         {{weather, "WHEREISFILE=@ROOT@/wx.csv\n"}},
         [](const TempFolder& f) { writeEndless(f.file("wx.csv"), kRecord); }, "dtmf **1\nwait 3\n",
         {"LOG \"@ROOT@/wx.csv <-- Weather conditions record could not be read: its last line is longer than 65536 "
          "bytes; no conditions are spoken \""}},
        {"2: a forecast file of one endless line is read from its head",
         {{weather, "WHEREISFILE2=@ROOT@/metar.txt\n"}},
         [](const TempFolder& f) { writeEndless(f.file("metar.txt"), "FORECAST:Day:MonDayFull:Monday"); },
         "dtmf **2\nwait 3\n", {"LOG \"@ROOT@/metar.txt <-- only its first 65536 bytes are read \""}},
        {"5: a settings folder that cannot be written never airs the speech an earlier run left in it",
         {}, [](const TempFolder& f) {
             writeWav(f.file("config/Text_To_Wav.wav"), AudioFormat{8000, 16, 1}, std::vector<float>(8000 * 60, 0.0f));
             giveToUnusedAccount(f.path());
             chmod(f.file("config").c_str(), 0555);
         },
         "set Form3.SayText 1\nwait 2\nchat W1ABC>hello there\nwait 70\n",
         {"LOG \"\\\"Message from W1ABC hello there\\\" not rendered to the speech file (cannot write "
          "@ROOT@/config/Text_To_Wav.wav: Permission denied) \"",
          "LOG \"@ROOT@/config/Text_To_Wav.wav <-- Audio File not found Please Check \"", "KEY on",
          "PLAY \"@ROOT@/data/Blank.wav\" vol=0", "KEY off"},
         {"PLAY \"@ROOT@/config/Text_To_Wav.wav\""}, true,
         [](const TempFolder& f) { chmod(f.file("config").c_str(), 0755); }},
        {"6: the next start removes what a download killed part-way left, and only that",
         {}, [=](const TempFolder& f) { killDownloadPartWay(f, *killed); }, "", {}, {}, false,
         [=](const TempFolder& f) {
             EXPECT_EQ(partialFiles(f), (std::vector<std::string>{"News1.mp3.partial", "News2.mp3.partRunning",
                                                                  "Other.mp3.partABCDEF"}));
         }},
    };
}

class StationFiles : public testing::TestWithParam<size_t> {};

TEST_P(StationFiles, Row) {
    const Row row = rows()[GetParam()];
    SCOPED_TRACE(row.what);
    TempFolder folder;
    fs::create_directories(folder.file("config"));
    fs::create_directories(folder.file("data"));
    for (const auto& [name, lines] : row.settings) folder.write("config/" + name, "[SETTINGS]\n" + root(lines, folder));
    if (row.prepare) row.prepare(folder);
    if (HasFatalFailure()) return;

    ProgramRun run;
    run.args = {"--headless", "--config", folder.file("config"), "--data", folder.file("data"), "--virtual-time",
                "2026-12-10 12:00:00"};
    run.env = {{"XDG_RUNTIME_DIR", folder.file("runtime")}, {"TMPDIR", folder.path()},
               {"MVSMALL_AUDIO_SINK", "fakesink sync=true"}};
    run.inChild = [&] { return boundMemory() && (!row.unusedAccount || becomeUnusedAccount()); };
    run.input = row.input + "get Form5.Check1\nquit\n";
    run.timeoutSeconds = 30;
    const ProgramResult result = runProgram(run);
    if (row.after) row.after(folder);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0) << result.err;

    std::vector<std::string> expected;
    for (const auto& t : row.transcript) expected.push_back(root(t, folder));
    expected.insert(expected.end(), {"= 0", "EXIT"});
    size_t at = 0;
    std::string all;
    for (const auto& line : result.out) all += line.substr(0, 300) + "\n";
    for (const auto& t : expected) {
        while (at < result.out.size() && result.out[at].find(t) == std::string::npos) ++at;
        ASSERT_LT(at, result.out.size()) << "no \"" << t.substr(0, 300) << "\" in order in:\n" << all;
        ++at;
    }
    for (const auto& t : row.never)
        for (const auto& line : result.out) EXPECT_EQ(line.find(root(t, folder)), std::string::npos) << line;
}

std::string rowName(const testing::TestParamInfo<size_t>& info) {
    return std::string("Fault") + rows()[info.param].what[0] + "_Row" + std::to_string(info.param);
}

INSTANTIATE_TEST_SUITE_P(ThroughTheRealProgram, StationFiles, testing::Range<size_t>(0, rows().size()), rowName);
}  // namespace
