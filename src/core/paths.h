#pragma once
// Where the program keeps its files, and how stored Windows paths map onto them.
#include <string>

struct Folders {
    std::string config;  // settings files
    std::string data;    // the program's own data: shipped sounds, the speech file, the updater
    std::string home;    // the weather program's folder "c:\wxex\" maps under here
};

// Settings: $MVSMALL_CONFIG_DIR, else $XDG_CONFIG_HOME/mvsmall, else ~/.config/mvsmall.
// Data: $MVSMALL_DATA_DIR, else $XDG_DATA_HOME/mvsmall, else ~/.local/share/mvsmall.
Folders defaultFolders();
void ensureFolder(const std::string& path);
std::string joinPath(const std::string& folder, const std::string& file);
bool fileExists(const std::string& path);

// A stored or default path under the old install folder "C:\Program Files\Marovane\" maps to the
// data folder, one under "c:\wxex\" to ~/wxex/; back-slashes become slashes. Others are unchanged.
std::string mapStoredPath(const std::string& stored, const Folders& folders);
