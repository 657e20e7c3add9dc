// Where the program's folders are: never a shared folder when HOME is missing; the speech file
// is the running station's own.
#include <gtest/gtest.h>

#include <map>

#include "core/paths.h"

namespace {
Folders from(const std::map<std::string, std::string>& env, const std::string& accountHome) {
    return foldersFrom([&](const char* name) {
        const auto it = env.find(name);
        return it == env.end() ? std::string() : it->second;
    }, accountHome);
}

TEST(Paths, FoldersComeFromTheEnvironmentOrTheAccountsHomeAndNeverFromASharedFolder) {
    const struct {
        const char* name;
        std::map<std::string, std::string> env;
        std::string accountHome, config, data, home;
    } rows[] = {
        {"HOME", {{"HOME", "/home/a"}}, "/home/acct", "/home/a/.config/mvsmall", "/home/a/.local/share/mvsmall", "/home/a"},
        {"no HOME: the account's home", {}, "/home/acct", "/home/acct/.config/mvsmall", "/home/acct/.local/share/mvsmall",
         "/home/acct"},
        {"an empty HOME", {{"HOME", ""}}, "/home/acct", "/home/acct/.config/mvsmall", "/home/acct/.local/share/mvsmall",
         "/home/acct"},
        {"a relative HOME is ignored", {{"HOME", "tmp"}}, "/home/acct", "/home/acct/.config/mvsmall",
         "/home/acct/.local/share/mvsmall", "/home/acct"},
        {"no home at all: nothing", {}, "", "", "", ""},
        {"XDG folders", {{"HOME", "/home/a"}, {"XDG_CONFIG_HOME", "/x/c"}, {"XDG_DATA_HOME", "/x/d"}}, "",
         "/x/c/mvsmall", "/x/d/mvsmall", "/home/a"},
        {"relative XDG folders are ignored", {{"HOME", "/home/a"}, {"XDG_CONFIG_HOME", "c"}, {"XDG_DATA_HOME", "d"}}, "",
         "/home/a/.config/mvsmall", "/home/a/.local/share/mvsmall", "/home/a"},
        {"the program's own variables win", {{"MVSMALL_CONFIG_DIR", "/s"}, {"MVSMALL_DATA_DIR", "/d"}}, "", "/s", "/d", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const Folders f = from(r.env, r.accountHome);
        EXPECT_EQ(f.config, r.config);
        EXPECT_EQ(f.data, r.data);
        EXPECT_EQ(f.home, r.home);
        // Without a home there is no ~/wxex for the weather files either: the program refuses.
        EXPECT_EQ(foldersProblem(f).empty(), !r.home.empty()) << foldersProblem(f);
    }
}

TEST(Paths, TheSpeechFileMapsToTheSettingsFolderAndTheOtherInstallFilesToTheDataFolder) {
    const Folders f{"/cfg", "/data", "/home/a"};
    const struct {
        const char* stored;
        const char* mapped;
    } rows[] = {
        {"C:\\Program Files\\Marovane\\Text_To_Wav.wav", "/cfg/Text_To_Wav.wav"},
        {"c:\\program files\\marovane\\TEXT_TO_WAV.WAV", "/cfg/TEXT_TO_WAV.WAV"},
        {"C:\\Program Files\\Marovane\\Blank.wav", "/data/Blank.wav"},
        {"C:\\Program Files\\Marovane\\sub\\Text_To_Wav.wav", "/data/sub/Text_To_Wav.wav"},
        {"c:\\wxex\\csv\\data.csv", "/home/a/wxex/csv/data.csv"},
        {"/srv/sounds/id.wav", "/srv/sounds/id.wav"},
    };
    for (const auto& r : rows) EXPECT_EQ(mapStoredPath(r.stored, f), r.mapped) << r.stored;
}
}  // namespace
