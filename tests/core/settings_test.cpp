// The settings store: what goes in comes back, whatever the value looks like.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

TEST(Settings, AValueThatDoesNotConvertKeepsTheDesignedValueAndIsLogged) {
    Station s;
    s.writeSettings("probe.ini", "[SETTINGS]\nCHECK1=yes please\nOPTION1=maybe\n");
    Form120& host = s.app().form120();  // any window will do as the owner of the controls
    CheckBox box(host, "Probe1", "", 1);
    OptionButton opt(host, "Probe2", "g", "", true);
    SettingsFile ini(s.settingsFile("probe.ini"));
    loadCheck(host, ini, "CHECK1", box, "0");
    loadOption(host, ini, "OPTION1", opt, "False");
    EXPECT_EQ(box.value(), 1);
    EXPECT_TRUE(opt.value());
    EXPECT_EQ(s.transcript().count("LOG "), 2);
}
