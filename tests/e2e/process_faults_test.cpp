// The program under faults, through the real binary: a reader that stalls or leaves, signals in
// the middle of a transmission, settings files it cannot use, an EchoLink outage at a break, a
// second copy from another environment, a console pushed past its bounds, failures that must
// show in the exit status. Each row asserts the transcript, the exit status and the settings
// files afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "core/text.h"
#include "e2e/program_run.h"
#include "platform/wav_file.h"
#include "support/station_fixture.h"

namespace {
const std::string kSavedLauncher = "[SETTINGS]\nCHECK1=0\n";

enum class Check { Bytes, Contains, Unchanged, Absent, Fifo, Mode, Link };
struct FileCheck {
    std::string name;   // in the settings folder
    Check check;
    std::string bytes;  // Bytes, Contains; Mode: the permission bits in octal ("600")
};

struct Row {
    const char* fault;
    std::vector<std::pair<std::string, std::string>> files;   // settings files before the run
    std::function<void(const TempFolder&)> prepare;            // anything else before the run
    bool virtualTime = true;
    bool gui = false;
    std::string extraArgs;   // one extra argument pair "--opt value", "@ROOT@" for the run's folder
    std::string input;
    bool keepInputOpen = false;
    StdoutReader reader = StdoutReader::Reads;
    std::string signalAfter;   // a transcript text, "@LOCK@" for the end of start-up, "@STUCK@" once a
                               // preloaded call that never returns has begun
    int signal = 0;
    bool holder = false;       // a first copy runs on the same settings, from another environment
    int exitCode = 0;
    std::vector<std::string> transcript;   // in this order, each in a later line
    std::vector<std::string> errors;       // standard error contains each
    std::vector<FileCheck> after;
    bool noAudioThreads = false;   // no thread can be started for the audio system, as under a limit on threads
    const char* preload = nullptr; // a library preloaded into the program
    int endSignal = 0;             // the signal that ends the program, when a forced end is expected
};

std::string many(const std::string& line, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += line + "\n";
    return s;
}

const std::string kPlay = "set Form1.txtFile @ROOT@/data/long.wav\nclick Form1.Command3\n";
// About 45 words of live speech with the key down: a quarter of a minute on the air.
const std::string kLongSpeech =
    "set Form3.Text1 This is a long test of the live voice, spoken with the transmitter keyed from the first word "
    "to the last, so that an end signal arrives in the middle of it and the station must stop talking, let go of "
    "the key and close down as it always does\nclick Form3.Command2\n";
const std::string kSaveExit = "click Form5.Command5\n";
const std::string kKeyReleaseLog = "the transmitter could not be released as the program ends";

std::string replaceRoot(const std::string& s, const TempFolder& folder) { return replaceAll(s, "@ROOT@", folder.path()); }

std::vector<Row> rows() {
    return {
        {"1: a reader that stalls never holds the loop; Save / Exit still saves and the program ends",
         {}, nullptr, true, false, "", many("get Form120.Command1", 20000) + kSaveExit, false,
         StdoutReader::StallsUntilExit, "", 0, false, 0, {"= Hide"}, {},
         {{"maroabc.ini", Check::Bytes, kSavedLauncher}}},
        {"2: SIGHUP on the air (real time) releases the key and ends as EchoLink closing does",
         {}, nullptr, false, false, "", kPlay, true, StdoutReader::Reads, "KEY on", SIGHUP, false, 0,
         {"KEY on", "PLAY", "KEY off", "EXIT"}, {}, {{"maroabc.ini", Check::Bytes, kSavedLauncher}}},
        {"2: SIGINT on the air (real time)",
         {}, nullptr, false, false, "", kPlay, true, StdoutReader::Reads, "KEY on", SIGINT, false, 0,
         {"KEY on", "KEY off", "EXIT"}, {}, {{"maroabc.ini", Check::Bytes, kSavedLauncher}}},
        {"2: SIGTERM on the air while the console waits for input (virtual time)",
         {}, nullptr, true, false, "", kPlay, true, StdoutReader::Reads, "KEY on", SIGTERM, false, 0,
         {"KEY on", "KEY off", "EXIT"}, {}, {{"maroabc.ini", Check::Bytes, kSavedLauncher}}},
        {"2: a reader that goes away right after KEY on is no reason to die",
         {}, nullptr, false, false, "", kPlay + "wait 1\n" + kSaveExit, false, StdoutReader::LeavesAfterFirstLine,
         "", 0, false, 0, {"KEY on"}, {}, {{"maroabc.ini", Check::Bytes, kSavedLauncher}}},
        {"2: SIGTERM to the windowed program ends it as EchoLink closing does",
         {}, nullptr, false, true, "", "", false, StdoutReader::Reads, "@LOCK@", SIGTERM, false, 0, {"EXIT"}, {},
         {{"maroabc.ini", Check::Bytes, kSavedLauncher}}},
        {"3: a byte-order mark and CR LF line ends are read, and the ident is kept",
         {{"identabc.ini", "\xEF\xBB\xBF[SETTINGS]\r\nCWCALLSIGN=W1XYZ\r\n"}}, nullptr, true, false, "",
         "get Form3.CWCallsign\n" + kSaveExit, false, StdoutReader::Reads, "", 0, false, 0, {"= W1XYZ", "EXIT"}, {},
         {{"identabc.ini", Check::Contains, "\nCWCALLSIGN=W1XYZ\n"}}},
        {"3: CR-only line ends are read",
         {{"identabc.ini", "[SETTINGS]\rCWCALLSIGN=W1XYZ\rLONGID=3\r"}}, nullptr, true, false, "",
         "get Form3.CWCallsign\n" + kSaveExit, false, StdoutReader::Reads, "", 0, false, 0, {"= W1XYZ", "EXIT"}, {},
         {{"identabc.ini", Check::Contains, "\nCWCALLSIGN=W1XYZ\n"}}},
        {"3: UTF-16 with its mark is converted",
         {{"identabc.ini", std::string("\xFF\xFE[\0S\0E\0T\0T\0I\0N\0G\0S\0]\0\r\0\n\0C\0W\0C\0A\0L\0L\0S\0I\0G\0N\0=\0W\0001\0X\0Y\0Z\0\r\0\n\0", 62)}},
         nullptr, true, false, "", "get Form3.CWCallsign\n" + kSaveExit, false, StdoutReader::Reads, "", 0, false, 0,
         {"= W1XYZ", "EXIT"}, {}, {{"identabc.ini", Check::Contains, "\nCWCALLSIGN=W1XYZ\n"}}},
        {"3: a NUL byte at the head is logged and the file is never written over; Save / Exit fails",
         {{"identabc.ini", std::string("\0[SETTINGS]\nCWCALLSIGN=W1XYZ\n", 29)}}, nullptr, true, false, "", kSaveExit,
         false, StdoutReader::Reads, "", 0, false, 1, {"holds NUL bytes", "not writing over", "EXIT"}, {},
         {{"identabc.ini", Check::Unchanged, ""}, {"maroabc.ini", Check::Bytes, kSavedLauncher}}},
        {"4: a break that began in an EchoLink outage still releases the key once EchoLink answers",
         {{"MP3_PlayerABC.ini", "[SETTINGS]\nBEACONPERIOD8=1\nTEXT6=1000\nSTOPCLOCK8=1\n"}}, nullptr, true, false, "",
         // The break runs from about 60 s for 1000 ticks of 16 ms; EchoLink is away from 55 s to 62 s.
         kPlay + "wait 55\nunreachable on\nwait 7\nunreachable off\nwait 18\nquit\n", false, StdoutReader::Reads, "", 0,
         false, 0, {"KEY on", "KEY off", "KEY on", "EXIT"}, {}, {}},
        {"5: a copy started from another environment beside a running one is refused, and says so",
         {}, nullptr, true, false, "", "quit\n", false, StdoutReader::Reads, "", 0, true, 1,
         {"MSGBOX \"MVSmall\" \"Program is already running.\"", "EXIT"}, {}, {{"maroabc.ini", Check::Absent, ""}}},
        {"6: a settings file that is a FIFO never blocks start-up and is never replaced",
         {}, [](const TempFolder& f) { mkfifo(f.file("config/identabc.ini").c_str(), 0600); }, true, false, "",
         kSaveExit, false, StdoutReader::Reads, "", 0, false, 1, {"is not a regular file", "EXIT"}, {},
         {{"identabc.ini", Check::Fifo, ""}}},
        {"7: a wait beyond the bound is refused", {}, nullptr, true, false, "", "wait 1e12\nwait 9.3e15\nquit\n", false,
         StdoutReader::Reads, "", 0, false, 0, {"12:00:00.000 EXIT"},
         {"ERROR wait is at most 604800 seconds, not \"1e12\"", "ERROR wait is at most 604800 seconds, not \"9.3e15\""},
         {}},
        {"7: 30 February is refused", {}, nullptr, false, false, "--virtual-time \"2026-02-30 12:00:00\"", "", false,
         StdoutReader::Reads, "", 0, false, 2, {}, {"ERROR --virtual-time wants"}, {{"maroabc.ini", Check::Absent, ""}}},
        {"7: trailing junk is refused", {}, nullptr, false, false, "--virtual-time \"2026-12-10 12:00:00junk\"", "",
         false, StdoutReader::Reads, "", 0, false, 2, {}, {"ERROR --virtual-time wants"}, {}},
        {"7: a five-digit year is refused", {}, nullptr, false, false, "--virtual-time \"12026-12-10 12:00:00\"", "",
         false, StdoutReader::Reads, "", 0, false, 2, {}, {"ERROR --virtual-time wants"}, {}},
        {"7: a settings file made 600 keeps its mode through a save",
         {{"identabc.ini", "[SETTINGS]\nCWCALLSIGN=W1XYZ\n"}},
         [](const TempFolder& f) { chmod(f.file("config/identabc.ini").c_str(), 0600); }, true, false, "", kSaveExit,
         false, StdoutReader::Reads, "", 0, false, 0, {"EXIT"}, {},
         {{"identabc.ini", Check::Mode, "600"}, {"identabc.ini", Check::Contains, "\nCWCALLSIGN=W1XYZ\n"}}},
        {"7: a settings file made 640 keeps its mode through a save",
         {{"identabc.ini", "[SETTINGS]\nCWCALLSIGN=W1XYZ\n"}},
         [](const TempFolder& f) { chmod(f.file("config/identabc.ini").c_str(), 0640); }, true, false, "", kSaveExit,
         false, StdoutReader::Reads, "", 0, false, 0, {"EXIT"}, {},
         {{"identabc.ini", Check::Mode, "640"}, {"identabc.ini", Check::Contains, "\nCWCALLSIGN=W1XYZ\n"}}},
        {"7: a settings file that is a link is saved to the file it names and stays a link",
         {}, [](const TempFolder& f) {
             std::filesystem::create_directories(f.file("elsewhere"));
             f.write("elsewhere/identabc.ini", "[SETTINGS]\nCWCALLSIGN=W1XYZ\n");
             chmod(f.file("elsewhere/identabc.ini").c_str(), 0640);
             std::filesystem::create_symlink(f.file("elsewhere/identabc.ini"), f.file("config/identabc.ini"));
         }, true, false, "", "get Form3.CWCallsign\nset Form3.CWCallsign W9NEW\n" + kSaveExit, false,
         StdoutReader::Reads, "", 0, false, 0, {"= W1XYZ", "EXIT"}, {},
         {{"identabc.ini", Check::Link, ""}, {"../elsewhere/identabc.ini", Check::Contains, "\nCWCALLSIGN=W9NEW\n"},
          {"../elsewhere/identabc.ini", Check::Mode, "640"}}},
        {"7: a settings file that is a link to nothing is not saved through it, and that is logged",
         {}, [](const TempFolder& f) {
             std::filesystem::create_symlink(f.file("nowhere/identabc.ini"), f.file("config/identabc.ini"));
         }, true, false, "", kSaveExit, false, StdoutReader::Reads, "", 0, false, 1,
         {"a link to nothing (No such file or directory); it is kept as it is <-- Settings not saved", "EXIT"}, {},
         {{"identabc.ini", Check::Link, ""}, {"../nowhere", Check::Absent, ""}, {"maroabc.ini", Check::Bytes, kSavedLauncher}}},
        {"2: a link in place of a save's temporary file is not written through",
         {}, [](const TempFolder& f) {
             f.write("victim", "victim");
             std::filesystem::create_symlink(f.file("victim"), f.file("config/maroabc.ini.tmp"));
         }, true, false, "", kSaveExit, false, StdoutReader::Reads, "", 0, false, 0, {"EXIT"}, {},
         {{"maroabc.ini", Check::Bytes, kSavedLauncher}, {"../victim", Check::Bytes, "victim"}}},
        {"2: a link to nothing in place of a shipped sound is not made through, and that is logged",
         {}, [](const TempFolder& f) {
             std::filesystem::create_symlink(f.file("made-through-link.wav"), f.file("data/Blank.wav"));
         }, true, false, "", "quit\n", false, StdoutReader::Reads, "", 0, false, 0,
         {"could not be filled with the program's sounds: cannot make @ROOT@/data/Blank.wav: the name is taken", "EXIT"},
         {},
         {{"../made-through-link.wav", Check::Absent, ""}, {"../data/Blank.wav", Check::Link, ""},
          {"../data/IP.wav", Check::Contains, "RIFF"}}},
        {"8: Save / Exit with a save that failed exits non-zero",
         {}, [](const TempFolder& f) { std::filesystem::create_directory(f.file("config/maroabc.ini.tmp")); }, true,
         false, "", kSaveExit, false, StdoutReader::Reads, "", 0, false, 1, {"Settings not saved", "EXIT"},
         {}, {{"maroabc.ini", Check::Absent, ""}}},
        {"8: a data folder that cannot be filled is logged",
         {}, [](const TempFolder& f) { f.write("not-a-folder", "x"); }, true, false, "--data @ROOT@/not-a-folder",
         "quit\n", false, StdoutReader::Reads, "", 0, false, 0, {"could not be filled with the program's sounds", "EXIT"},
         {}, {}},
        {"9: with no thread to be had the file cannot be played: logged, key released, SIGTERM ends it",
         {}, nullptr, false, false, "", kPlay, true, StdoutReader::Reads, "KEY off", SIGTERM, false, 0,
         {"LOG \"@ROOT@/data/long.wav <-- (cannot render @ROOT@/data/long.wav: no thread could be started to play it)",
          "KEY on", "KEY off", "EXIT"},
         {}, {}, true},
        {"3: SIGTERM during long live speech (real time) stops the speech; the closing duties run",
         {}, nullptr, false, false, "", kLongSpeech, true, StdoutReader::Reads, "SPEAK", SIGTERM, false, 0,
         {"KEY on", "SPEAK", "KEY off", "EXIT"}, {}, {{"maroabc.ini", Check::Bytes, kSavedLauncher}}},
        {"3: SIGINT during long live speech (real time)",
         {}, nullptr, false, false, "", kLongSpeech, true, StdoutReader::Reads, "SPEAK", SIGINT, false, 0,
         {"KEY on", "SPEAK", "KEY off", "EXIT"}, {}, {{"maroabc.ini", Check::Bytes, kSavedLauncher}}},
        {"3: a speech call that never returns: the forced end releases the key before the process goes",
         {}, nullptr, false, false, "", kLongSpeech, true, StdoutReader::Reads, "@STUCK@", SIGTERM, false, -1,
         {"KEY on", "SPEAK", "KEY off"}, {"the program did not end in time after an end signal"}, {}, false,
         MVSMALL_SPEECH_NEVER_RETURNS, SIGTERM},
        {"8: quit while EchoLink is unreachable says the key could not be released",
         {}, nullptr, true, false, "", "unreachable on\nquit\n", false, StdoutReader::Reads, "", 0, false, 0,
         {kKeyReleaseLog, "EXIT"}, {}, {}},
    };
}

class ProcessFaults : public testing::TestWithParam<size_t> {};

TEST_P(ProcessFaults, Row) {
    const Row row = rows()[GetParam()];
    SCOPED_TRACE(row.fault);
#if defined(__SANITIZE_ADDRESS__)
    if (row.noAudioThreads || row.preload) GTEST_SKIP() << "the address sanitizer must be the first library loaded";
#endif
    TempFolder folder;
    std::filesystem::create_directories(folder.file("config"));
    std::filesystem::create_directories(folder.file("data"));
    writeWav(folder.file("data/long.wav"), AudioFormat{8000, 16, 1}, std::vector<float>(8000 * 120, 0.0f));
    for (const auto& [name, bytes] : row.files) folder.write("config/" + name, bytes);
    if (row.prepare) row.prepare(folder);
    std::map<std::string, std::string> before;
    for (const auto& [name, bytes] : row.files) before[name] = bytes;

    ProgramRun run;
    if (!row.gui) run.args.push_back("--headless");
    run.args.insert(run.args.end(), {"--config", folder.file("config")});
    if (row.extraArgs.rfind("--data", 0) != 0) run.args.insert(run.args.end(), {"--data", folder.file("data")});
    if (row.virtualTime) run.args.insert(run.args.end(), {"--virtual-time", "2026-12-10 12:00:00"});
    if (!row.extraArgs.empty()) {
        const std::string extra = replaceRoot(row.extraArgs, folder);
        const auto blank = extra.find(' ');
        std::string value = extra.substr(blank + 1);
        if (value.size() >= 2 && value.front() == '"') value = value.substr(1, value.size() - 2);
        run.args.insert(run.args.end(), {extra.substr(0, blank), value});
    }
    const std::vector<std::pair<std::string, std::string>> env = {
        {"XDG_RUNTIME_DIR", folder.file("runtime-b")}, {"TMPDIR", folder.path()}, {"QT_QPA_PLATFORM", "offscreen"},
        {"MVSMALL_AUDIO_SINK", "fakesink sync=true"}};
    run.env = env;
    run.input = replaceRoot(row.input, folder);
    run.keepInputOpen = row.keepInputOpen;
    run.reader = row.reader;
    run.signal = row.signal;
    if (row.noAudioThreads) run.env.emplace_back("LD_PRELOAD", MVSMALL_NO_LIBRARY_THREADS);
    if (row.preload) run.env.emplace_back("LD_PRELOAD", row.preload);
    if (row.signalAfter == "@STUCK@") run.env.emplace_back("MVSMALL_STUCK_MARK", folder.file("stuck"));
    if (row.signalAfter == "@LOCK@") run.signalWhenFileExists = folder.file("config/.mvsmall.lock");
    else if (row.signalAfter == "@STUCK@") run.signalWhenFileExists = folder.file("stuck");
    else run.signalAfter = row.signalAfter;

    std::unique_ptr<BackgroundProgram> first;
    if (row.holder) {
        first = std::make_unique<BackgroundProgram>(
            std::vector<std::string>{"--headless", "--config", folder.file("config"), "--data", folder.file("data")},
            std::vector<std::pair<std::string, std::string>>{{"XDG_RUNTIME_DIR", folder.file("runtime-a")},
                                                            {"MVSMALL_AUDIO_SINK", "fakesink sync=true"}});
        ASSERT_TRUE(waitForFile(folder.file("config/.mvsmall.lock")));
    }
    const ProgramResult result = runProgram(run);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.endSignal, row.endSignal);
    EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
    if (row.signal) {
        EXPECT_TRUE(result.signalSent);
    }
    std::vector<std::string> transcript;
    for (const auto& t : row.transcript) transcript.push_back(replaceRoot(t, folder));
    EXPECT_TRUE(inOrder(result.out, transcript));
    for (const auto& e : row.errors) EXPECT_NE(result.err.find(e), std::string::npos) << e << " in\n" << result.err;
    for (const auto& c : row.after) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file("config/" + c.name);
        struct stat st {};
        const bool exists = lstat(path.c_str(), &st) == 0;
        switch (c.check) {
            case Check::Absent: EXPECT_FALSE(exists); break;
            case Check::Fifo: EXPECT_TRUE(exists && S_ISFIFO(st.st_mode)); break;
            case Check::Link: EXPECT_TRUE(exists && S_ISLNK(st.st_mode)); break;
            case Check::Mode: {
                struct stat target {};
                ASSERT_EQ(stat(path.c_str(), &target), 0);
                char octal[8];
                std::snprintf(octal, sizeof octal, "%o", static_cast<unsigned>(target.st_mode & 07777));
                EXPECT_EQ(octal, c.bytes);
                break;
            }
            case Check::Bytes: EXPECT_EQ(folder.read("config/" + c.name), c.bytes); break;
            case Check::Unchanged: EXPECT_EQ(folder.read("config/" + c.name), before[c.name]); break;
            case Check::Contains:
                EXPECT_NE(folder.read("config/" + c.name).find(c.bytes), std::string::npos) << folder.read("config/" + c.name);
                break;
        }
    }
}

std::string rowName(const testing::TestParamInfo<size_t>& info) {
    std::string name = "Fault";
    for (char c : std::string(rows()[info.param].fault).substr(0, 1)) name += c;
    return name + "_Row" + std::to_string(info.param);
}

INSTANTIATE_TEST_SUITE_P(ThroughTheRealProgram, ProcessFaults, testing::Range<size_t>(0, rows().size()), rowName);
}  // namespace
