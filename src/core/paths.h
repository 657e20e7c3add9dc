#pragma once
// Where the program keeps its files, and how stored Windows paths map onto them.
#include <functional>
#include <string>

struct Folders {
    std::string config;  // settings files
    std::string data;    // the program's own data: shipped sounds, the updater
    std::string home;    // the weather program's folder "c:\wxex\" maps under here
};

// Settings: $MVSMALL_CONFIG_DIR, else $XDG_CONFIG_HOME/mvsmall, else ~/.config/mvsmall.
// Data: $MVSMALL_DATA_DIR, else $XDG_DATA_HOME/mvsmall, else ~/.local/share/mvsmall.
// Home: $HOME, else the account's home in the password database when that folder exists.
// A relative HOME or XDG folder is ignored. There is no fallback to a shared
// folder: what cannot be found stays empty, and foldersProblem() says why.
Folders defaultFolders();
// The same from a given environment and account home (empty when the account has none).
Folders foldersFrom(const std::function<std::string(const char* name)>& env, const std::string& accountHome);
// Why the program cannot run with these folders; empty when it can.
std::string foldersProblem(const Folders& folders);

void ensureFolder(const std::string& path);
std::string joinPath(const std::string& folder, const std::string& file);
bool fileExists(const std::string& path);

// A stored or default path under the old install folder "C:\Program Files\Marovane\" maps to the
// data folder, one under "c:\wxex\" to ~/wxex/; back-slashes become slashes. Others are unchanged.
// The speech file "Text_To_Wav.wav" is the exception: it belongs to the running station, so it
// maps to the settings folder, which one copy holds at a time.
std::string mapStoredPath(const std::string& stored, const Folders& folders);
