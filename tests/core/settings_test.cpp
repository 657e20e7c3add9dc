// The settings store: what goes in comes back, whatever the value looks like.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

#include "core/settings.h"
#include "core/settings_binding.h"
#include "shell/error_log_window.h"
#include "support/station_fixture.h"

namespace {
std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

TEST(Settings, ValuesRoundTripUnchanged) {
    TempFolder dir;
    const std::string path = dir.file("round.ini");
    const std::string longValue(300, 'x');
    struct Case {
        const char* key;
        std::string value;
        std::string readBack;
    } cases[] = {
        {"PLAIN", "hello", "hello"},
        {"EMPTY", "", ""},
        {"LEADING", "  two blanks before", "  two blanks before"},
        {"TRAILING", "after ", "after "},
        {"INNER", "inner  double  blanks", "inner  double  blanks"},
        {"QUOTED", "\"in quotes\"", "\"in quotes\""},
        {"SINGLE", "'single'", "'single'"},
        {"HALFQUOTE", "\"open only", "\"open only"},
        {"EQUALS", "a=b=c", "a=b=c"},
        {"PATH", "C:\\Program Files\\Marovane\\IP.wav", "C:\\Program Files\\Marovane\\IP.wav"},
        {"LONG", longValue, longValue.substr(0, 255)},
        {"ENDSINBREAK", "last line\n", "last line "},
        {"BREAKS", "\r\nquoted\r\n", "  quoted  "},
        {"QUOTEDBREAK", "\"a\"\n", "\"a\" "},
    };
    {
        SettingsFile ini(path);
        for (const auto& c : cases) ini.write(c.key, c.value);
        ini.save();
    }
    SettingsFile back(path);
    for (const auto& c : cases) EXPECT_EQ(back.read(c.key, "default"), c.readBack) << c.key;
    EXPECT_EQ(back.read("long", "", 1000), longValue) << "a longer cut keeps the whole value";
}

TEST(Settings, ReadsAsTheProfileReaderDoes) {
    TempFolder dir;
    dir.write("x.ini",
              "[other]\nKEY=wrong section\n"
              "[Settings]\n"
              "  Key1 =   spaced out   \n"
              "key2=\"  kept blanks  \"\n"
              "KEY3=\n"
              "garbage line without equals\n"
              "=no key\n"
              "KEY1=second one is ignored\n");
    SettingsFile ini(dir.file("x.ini"));
    EXPECT_EQ(ini.read("KEY1", "d"), "spaced out");
    EXPECT_EQ(ini.read("KEY2", "d"), "  kept blanks  ");
    EXPECT_EQ(ini.read("KEY3", "d"), "") << "a key with an empty value is not the default";
    EXPECT_EQ(ini.read("KEY", "d"), "d") << "keys of another section are not seen";
    EXPECT_EQ(ini.read("MISSING", "def"), "def");
}

TEST(Settings, MissingAndCorruptFilesReadAsDefaults) {
    TempFolder dir;
    EXPECT_EQ(SettingsFile(dir.file("none.ini")).read("A", "1"), "1");
    static const char raw[] = "\x01\x02[SETTINGS\n\xff\xfe=\x00zz\n[SETTINGS]\nA=7\0trailing\nB\0\0\0";
    const std::string junk(raw, sizeof raw - 1);
    dir.write("junk.ini", junk);
    SettingsFile ini(dir.file("junk.ini"));
    EXPECT_EQ(ini.read("A", "d"), "7");
    EXPECT_EQ(ini.read("B", "d"), "d");
}

TEST(Settings, AFailedWriteReportsAndLeavesTheOldFileWhole) {
    if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    TempFolder dir;
    const std::string path = dir.file("keep.ini");
    {
        SettingsFile ini(path);
        ini.write("A", "old");
        ini.save();
    }
    const std::string before = slurp(path);
    chmod(dir.path().c_str(), 0500);
    SettingsFile ini(path);
    ini.write("A", "new");
    EXPECT_THROW(ini.save(), SettingsWriteError);
    chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(slurp(path), before);
}

TEST(Settings, AWriteThatCannotReplaceTheFileReportsAndKeepsIt) {
    // Works as root too: the target is a folder, so the rename fails after the temporary is written.
    TempFolder dir;
    std::filesystem::create_directory(dir.file("blocked.ini"));
    SettingsFile ini(dir.file("blocked.ini"));
    ini.write("A", "1");
    EXPECT_THROW(ini.save(), SettingsWriteError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("blocked.ini")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("blocked.ini.tmp")));
}

// The window's creation puts every stored value into its control and runs the control's handler
// once, changed or not; a value the control cannot take is replaced and named once in the log.
TEST(SettingsBinding, EveryStoredValueGoesInOnceAndABadOneIsReplacedAndNamed) {
    struct Box {
        bool number = false;
        int maxLength = 0;
        bool upper = false;
    };
    struct Case {
        const char* what;
        Box style;
        const char* stored;     // the file's line, or nullptr for a missing key
        const char* design;
        const char* def;
        const char* text;
        int logs;
    };
    const Box number{true}, three{false, 3}, call{false, 0, true}, plain{};
    const std::vector<Case> cases = {
        {"an empty period goes in for its handler", number, "P=", "10", "10", "", 0},
        {"not a number: the default", number, "P=x", "7", "10", "10", 1},
        {"below zero: zero", number, "P=-5", "10", "10", "0", 1},
        {"two zeros stay", number, "P=00", "10", "10", "00", 0},
        {"a missing key: the default", number, nullptr, "7", "10", "10", 0},
        {"the design value itself", number, "P=7", "7", "10", "7", 0},
        {"longer than the box: cut", three, "P=abcdef", "", "", "abc", 1},
        {"cut by characters, not bytes", three, "P=\xC3\xA9t\xC3\xA9!", "", "", "\xC3\xA9t\xC3\xA9", 1},
        {"capitals box", call, "P=w1abc", "", "", "W1ABC", 0},
        {"text is any text", plain, "P=-5 x", "", "", "-5 x", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Station s;
        s.writeSettings("probe.ini", std::string("[SETTINGS]\n") + (c.stored ? c.stored : "") + "\n");
        Form120& host = s.app().form120();   // any window will do as the owner of the controls
        TextBox box(host, "Probe", c.design);
        box.numberOnly = c.style.number;
        box.maxLength = c.style.maxLength;
        box.upperCase = c.style.upper;
        int handled = 0;
        box.onChange([&] { ++handled; });
        loadText(host, SettingsFile(s.settingsFile("probe.ini")), "P", box, c.def);
        EXPECT_EQ(box.text(), c.text);
        EXPECT_EQ(handled, 1);
        EXPECT_EQ(s.transcript().count("LOG "), c.logs);
    }
}

TEST(SettingsBinding, CheckOptionAndSliderValuesThatDoNotConvertTakeTheKeysDefault) {
    Station s;
    s.writeSettings("probe.ini", "[SETTINGS]\nCHECK1=abc\nCHECK2=\nCHECK3=1\nOPTION1=maybe\nSLIDER=x\nFAR=500\n");
    Form120& host = s.app().form120();
    const SettingsFile ini(s.settingsFile("probe.ini"));
    CheckBox c1(host, "C1"), c2(host, "C2"), c3(host, "C3", "", 1);
    OptionButton opt(host, "O1", "g");
    Slider slider(host, "S1", 0, 100, 50), far(host, "S2", 0, 100, 50);
    int clicks = 0, moves = 0;
    c3.onClick([&] { ++clicks; });
    opt.onClick([&] { ++clicks; });
    slider.onChange([&] { ++moves; });
    loadCheck(host, ini, "CHECK1", c1, "1");
    loadCheck(host, ini, "CHECK2", c2, "1");
    loadCheck(host, ini, "CHECK3", c3, "0");   // unchanged: its handler still runs
    loadOption(host, ini, "OPTION1", opt, "1");
    loadSlider(host, ini, "SLIDER", slider, "90");
    loadSlider(host, ini, "FAR", far, "90");
    EXPECT_EQ(c1.value(), 1);
    EXPECT_EQ(c2.value(), 1);
    EXPECT_EQ(c3.value(), 1);
    EXPECT_TRUE(opt.value());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(slider.value(), 90);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(far.value(), 100);
    EXPECT_EQ(s.transcript().count("LOG "), 5);
    EXPECT_EQ(s.transcript().count("LOG \"probe.ini <-- CHECK1 has the value \\\"abc\\\""), 1);
}

TEST(Settings, WhatCanBeReadIsReadAndAFileNotUnderstoodIsNeverWrittenOver) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string value;   // CALL as read
        bool damaged;
    };
    const std::string le("\xFF\xFE[\0S\0]\0\r\0\n\0C\0A\0L\0L\0=\0W\0001\0\xC4\0\r\0\n\0", 30);
    const std::string be("\xFE\xFF\0[\0S\0]\0\n\0C\0A\0L\0L\0=\0W\0001\0\xC4", 26);
    const Case cases[] = {
        {"LF", "[S]\nCALL=W1\n", "W1", false},
        {"CR LF", "[S]\r\nCALL=W1\r\n", "W1", false},
        {"CR only", "[S]\rCALL=W1\rNEXT=2\r", "W1", false},
        {"byte-order mark", "\xEF\xBB\xBF[S]\r\nCALL=W1\r\n", "W1", false},
        {"UTF-16 little-endian", le, "W1\xC3\x84", false},
        {"UTF-16 big-endian", be, "W1\xC3\x84", false},
        {"empty", "", "default", false},
        {"comments only", "; nothing set yet\n\n", "default", false},
        {"NUL at the head", std::string("\0[S]\nCALL=W1\n", 12), "default", true},
        {"UTF-16 without its mark", std::string("[\0S\0]\0\n\0C\0A\0L\0L\0=\0W\0001\0", 20), "default", true},
        {"text without a section", "CALL=W1\n", "default", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        dir.write("x.ini", c.bytes);
        SettingsFile ini(dir.file("x.ini"));
        EXPECT_EQ(ini.read("S", "CALL", "default", 255), c.value);
        EXPECT_EQ(!ini.damage().empty(), c.damaged) << ini.damage();
        ini.write("S", "CALL", "SAVED");
        if (c.damaged) {
            EXPECT_THROW(ini.save(), SettingsWriteError);
            EXPECT_EQ(slurp(dir.file("x.ini")), c.bytes);
        } else {
            ini.save();
            EXPECT_EQ(SettingsFile(dir.file("x.ini")).read("S", "CALL", "", 255), "SAVED");
        }
    }
}

TEST(Settings, OnlyARegularFileIsReadAndNothingElseIsReplaced) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        bool needsNonRoot;
    };
    const Case cases[] = {
        {"a FIFO nobody writes", [](const std::string& p) { mkfifo(p.c_str(), 0600); }, false},
        {"a folder", [](const std::string& p) { std::filesystem::create_directory(p); }, false},
        {"a file without read permission",
         [](const std::string& p) {
             std::ofstream(p) << "[SETTINGS]\nA=1\n";
             chmod(p.c_str(), 0200);
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsNonRoot && geteuid() == 0) continue;   // root reads anything
        TempFolder dir;
        const std::string path = dir.file("x.ini");
        c.make(path);
        struct stat before {};
        lstat(path.c_str(), &before);
        SettingsFile ini(path);   // returns at once, a FIFO included
        EXPECT_TRUE(ini.existed());
        EXPECT_FALSE(ini.damage().empty());
        EXPECT_EQ(ini.read("A", "d"), "d");
        ini.write("A", "2");
        EXPECT_THROW(ini.save(), SettingsWriteError);
        struct stat after {};
        lstat(path.c_str(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
    }
}

TEST(Settings, ManyKeysKeepTheFirstOfEachAndWriteBackInPlace) {
    TempFolder dir;
    std::string text = "[SETTINGS]\n";
    for (int k = 0; k < 40000; ++k) text += "KEY" + std::to_string(k) + "=" + std::to_string(k) + "\n";
    text += "key7=a later copy\n";
    dir.write("many.ini", text);
    SettingsFile ini(dir.file("many.ini"));
    EXPECT_EQ(ini.read("KEY39999", ""), "39999");
    EXPECT_EQ(ini.read("Key7", ""), "7");
    ini.write("kEy7", "changed");
    ini.write("NEW", "added");
    ini.save();
    const std::string saved = slurp(dir.file("many.ini"));
    EXPECT_NE(saved.find("\nKEY6=6\nKEY7=changed\nKEY8=8\n"), std::string::npos) << "rewritten where it stood";
    EXPECT_EQ(saved.substr(saved.size() - 10), "NEW=added\n");
    EXPECT_EQ(saved.find("a later copy"), std::string::npos);
}
