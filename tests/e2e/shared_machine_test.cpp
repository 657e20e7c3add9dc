// The real program on a machine it shares with other users and with other stations: without HOME
// it keeps to the account's own folders and reads nothing a neighbour planted in the shared
// temporary folder; two stations beside each other each air their own speech; speech that cannot
// be written (a full disk) is logged. The hostile folders live in a mount namespace of the child's
// own, so the machine's /tmp is never touched.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "core/text.h"
#include "e2e/private_mounts.h"
#include "e2e/program_run.h"
#include "e2e/run_binary.h"
#include "platform/doubles/scripted_services.h"
#include "platform/wav_file.h"

namespace {
namespace fs = std::filesystem;

const std::vector<std::string> kFolderVariables = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "MVSMALL_CONFIG_DIR",
                                                   "MVSMALL_DATA_DIR", "TMPDIR"};

bool isLink(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool anyLineHas(const std::vector<std::string>& lines, const std::string& text) {
    for (const auto& l : lines)
        if (l.find(text) != std::string::npos) return true;
    return false;
}

std::string allLines(const std::vector<std::string>& lines) {
    std::string all;
    for (const auto& l : lines) all += l + "\n";
    return all;
}

// A neighbour's work in the shared temporary folder: the settings folder and the data folder the
// program once fell back to without HOME, a settings file in it, and links where the program
// would make its files.
void plantInSharedTemporaryFolder(const TempFolder& t) {
    fs::create_directories(t.file("tmp/.config/mvsmall"));
    fs::create_directories(t.file("tmp/.local/share/mvsmall"));
    t.write("tmp/.config/mvsmall/identabc.ini", "[SETTINGS]\nCWCALLSIGN=PLANTED\n");
    t.write("tmp/victim", "victim");
    fs::create_symlink("/tmp/victim", t.file("tmp/.config/mvsmall/maroabc.ini.tmp"));
    fs::create_symlink("/tmp/made-through-link.wav", t.file("tmp/.local/share/mvsmall/Blank.wav"));
}

TEST(SharedMachine, WithoutHomeNothingPlantedInTheSharedTemporaryFolderIsReadOrWrittenThrough) {
    if (!privateMountsAvailable()) GTEST_SKIP() << "this machine gives a test no mount namespace";
    const std::string accountHome = accountHomeFolder();
    if (accountHome.empty() || accountHome == "/" || !fs::is_directory(accountHome))
        GTEST_SKIP() << "the account running the tests has no home folder of its own";
    TempFolder t;
    plantInSharedTemporaryFolder(t);
    fs::create_directories(t.file("home"));

    ProgramRun run;
    run.args = {"--headless", "--virtual-time", "2026-12-10 12:00:00"};
    run.unsetEnv = kFolderVariables;
    run.inChild = [&] { return enterPrivateMounts({{t.file("home"), accountHome, ""}, {t.file("tmp"), "/tmp", ""}}); };
    run.input = "get Form3.CWCallsign\nclick Form5.Command5\n";
    const ProgramResult result = runProgram(run);

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(anyLineHas(result.out, "= Your Call")) << "the designed ident, not the planted one:\n" << allLines(result.out);
    EXPECT_FALSE(anyLineHas(result.out, "PLANTED"));
    EXPECT_EQ(t.read("tmp/victim"), "victim") << "the save wrote through the planted link";
    EXPECT_FALSE(fs::exists(t.file("tmp/made-through-link.wav"))) << "first start made a file through the planted link";
    EXPECT_EQ(t.read("tmp/.config/mvsmall/identabc.ini"), "[SETTINGS]\nCWCALLSIGN=PLANTED\n");
    EXPECT_TRUE(isLink(t.file("tmp/.config/mvsmall/maroabc.ini.tmp")));
    // The account's own home from the password database took the settings and the data.
    EXPECT_TRUE(fs::is_regular_file(t.file("home/.config/mvsmall/maroabc.ini")));
    EXPECT_TRUE(fs::is_regular_file(t.file("home/.local/share/mvsmall/Blank.wav")));
}

TEST(SharedMachine, WithoutAnyHomeBothModesRefuseToStartAndSayWhy) {
    if (!privateMountsAvailable()) GTEST_SKIP() << "this machine gives a test no mount namespace";
    TempFolder t;
    plantInSharedTemporaryFolder(t);
    // The password database knows the account but gives it a home that does not exist, inside the
    // child's private /tmp so nothing (Qt's caches included) can ever make it on the machine.
    t.write("passwd", "tester:x:" + std::to_string(getuid()) + ":" + std::to_string(getgid()) +
                          "::/tmp/no-such-home:/bin/sh\n");
    for (const bool headless : {true, false}) {
        SCOPED_TRACE(headless ? "headless" : "windows");
        ProgramRun run;
        if (headless) run.args = {"--headless", "--virtual-time", "2026-12-10 12:00:00"};
        run.env = {{"QT_QPA_PLATFORM", "offscreen"}};
        run.unsetEnv = kFolderVariables;
        run.inChild = [&] { return enterPrivateMounts({{t.file("passwd"), "/etc/passwd", ""}, {t.file("tmp"), "/tmp", ""}}); };
        run.input = "click Form5.Command5\n";
        run.timeoutSeconds = 20;
        const ProgramResult result = runProgram(run);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find("ERROR no home folder"), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << "nothing started: " << allLines(result.out);
        EXPECT_EQ(t.read("tmp/victim"), "victim");
        EXPECT_FALSE(fs::exists(t.file("tmp/made-through-link.wav")));
        EXPECT_FALSE(fs::exists(t.file("tmp/.config/mvsmall/maroabc.ini")));
        EXPECT_FALSE(fs::exists(t.file("tmp/no-such-home/.config")));
    }
}

// One station's run: its own settings folder, the shared data folder, and the transcript.
struct StationRun {
    std::string text;
    TempFolder folder;
    BinaryRun run;
    std::vector<std::string> lines(const std::string& word) const {
        std::vector<std::string> out;
        for (const auto& l : run.out)
            if (l.size() > 13 && l.compare(13, word.size() + 1, word + " ") == 0) out.push_back(l.substr(13));
        return out;
    }
};

// Both stations speak over and over at the same time, each its own text. Every file a station
// renders and plays is its own, and what it leaves there at the end is its own last speech.
TEST(SharedMachine, TwoStationsSharingADataFolderEachAirTheirOwnSpeech) {
    TempFolder shared;
    StationRun stations[2];
    stations[0].text = "alpha";
    stations[1].text = "bravo bravo bravo bravo bravo bravo bravo";
    std::vector<std::thread> threads;
    for (StationRun& s : stations) {
        std::string input;
        for (int i = 0; i < 40; ++i) input += "set Form3.Text1 " + s.text + "\nclick Form3.Command1\nwait 5\n";
        threads.emplace_back([&s, &shared, input] {
            s.run = runProgram(s.folder, input,
                               "--headless --virtual-time \"2026-12-10 12:00:00\" --config '" + s.folder.file("config") +
                                   "' --data '" + shared.file("data") + "'");
        });
    }
    for (auto& t : threads) t.join();

    std::string files[2];
    for (int k = 0; k < 2; ++k) {
        const StationRun& s = stations[k];
        SCOPED_TRACE(s.text);
        EXPECT_EQ(s.run.exitCode, 0) << s.run.err;
        const auto rendered = s.lines("WAV");
        ASSERT_EQ(rendered.size(), 40u) << allLines(s.run.out);
        const std::string wav = rendered.front().substr(4, rendered.front().find('"', 5) - 3);   // quoted path
        files[k] = wav.substr(1, wav.size() - 2);
        for (const auto& l : rendered) EXPECT_EQ(l, "WAV " + wav + " " + ::quoted(s.text));
        const auto played = s.lines("PLAY");
        EXPECT_EQ(played.size(), 40u);
        for (const auto& l : played) EXPECT_EQ(l.substr(0, 5 + wav.size()), "PLAY " + wav);
        EXPECT_FALSE(anyLineHas(s.run.out, "not found")) << allLines(s.run.out);
    }
    EXPECT_NE(files[0], files[1]) << "both stations rewrite one speech file";
    for (int k = 0; k < 2; ++k) {
        const auto info = readWavInfo(files[k]);
        ASSERT_TRUE(info) << files[k];
        EXPECT_NEAR(info->seconds, RecordingSpeech::secondsFor(stations[k].text), 0.01) << stations[k].text;
    }
}

// Real time, the machine's own voice: the temporary folder live speech is written to is full.
TEST(SharedMachine, ATimeAnnouncementWhoseSpeechCannotBeWrittenIsLogged) {
    if (!privateMountsAvailable()) GTEST_SKIP() << "this machine gives a test no mount namespace";
    TempFolder t;
    fs::create_directories(t.file("full"));
    fs::create_directories(t.file("config"));
    ProgramRun run;
    run.args = {"--headless", "--config", t.file("config"), "--data", t.file("data")};
    run.env = {{"TMPDIR", t.file("full")}, {"MVSMALL_AUDIO_SINK", "fakesink sync=true"}};
    run.inChild = [&] { return enterPrivateMounts({{"", t.file("full"), "size=4k"}}); };
    run.input = "click Form3.TheTime\nwait 3\nquit\n";
    run.timeoutSeconds = 30;
    const ProgramResult result = runProgram(run);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::string log;
    for (const auto& l : result.out)
        if (l.find(" LOG ") != std::string::npos) log += l + "\n";
    EXPECT_NE(log.find("The Time Is"), std::string::npos) << allLines(result.out);
    EXPECT_NE(log.find("not spoken"), std::string::npos) << log;
    EXPECT_NE(log.find("No space left on device"), std::string::npos) << log;
    EXPECT_TRUE(anyLineHas(result.out, "KEY off")) << allLines(result.out);
}
}  // namespace
