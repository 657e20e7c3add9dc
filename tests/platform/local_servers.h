#pragma once
// Small HTTP and FTP servers on 127.0.0.1, each a Python process started by the test and
// stopped with it. The port is chosen by the system and read back from the server.
#include <string>
#include <vector>

class LocalServer {
public:
    // Runs `script` with /usr/bin/python3 and the given arguments; the script prints its port.
    LocalServer(const std::string& script, const std::vector<std::string>& args);
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;
    bool started() const { return port_ > 0; }
    int port() const { return port_; }
    const std::string& problem() const { return problem_; }

private:
    int pid_ = -1;
    int port_ = 0;
    std::string problem_;
};

// Serves /file.bin (100000 bytes), /slow (answers after 20 s), /truncated (breaks off half-way),
// /stall (1000 of 10000 bytes, then nothing for 20 s), /page.html, /latin1.html, /latin1-meta.html
// (character set only in the page), /notes.txt (plain text), /tune.mp3 (audio), /portal (an HTML
// page where a captive portal answers), /version.txt ("9.9.9"), /late/SECONDS/PATH (PATH after that
// long) and 404 for anything else.
std::string httpServerScript();
// Serves the files of the folder given as argument.
std::string folderServerScript();
// One user "ham" with the password "radio" whose home is the folder given as argument; a second
// argument limits what the server sends to that many bytes a second.
std::string ftpServerScript();
bool pythonHas(const std::string& module);

// PCM samples of a 16-bit WAV file in [-1, 1], all channels interleaved.
std::vector<float> readWavSamples(const std::string& path);
float peakOf(const std::vector<float>& samples);
