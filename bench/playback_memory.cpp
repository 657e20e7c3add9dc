// Resident memory of the real-time headless program while it plays one short file again and
// again through the real audio sink (GStreamer's automatic output, or the fake sink that keeps
// real time where the machine has no sound device). A station that plays a few hundred files a
// day must not grow with each of them.
//
//   playback_memory [--plays N] [--file-ms N]     default 2000 plays of a 100 ms file
//
// Each play is the player's own "Play" button; the next one is asked for once the transcript
// shows the key released, so every play is whole. Resident memory (VmRSS) is read after the
// 1st, 100th, 500th, 1,000th and 2,000th play (and every N the same way).
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../tests/soak/resident_memory.h"
#include "headless_child.h"
#include "platform/wav_file.h"

namespace {

struct Options {
    int plays = 2000;
    int fileMs = 100;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--plays") == 0) o.plays = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--file-ms") == 0) o.fileMs = std::max(10, std::atoi(argv[i + 1]));
    }
    return o;
}

bool sendLine(int fd, const std::string& line) {
    const std::string all = line + "\n";
    return write(fd, all.data(), all.size()) == static_cast<ssize_t>(all.size());
}

enum class Play { Played, Failed, Gone };

// Reads the transcript until the key is released after a play; a play the station could not
// start (no PLAY line before the release: the file did not open in time on a loaded machine)
// is counted apart.
Play awaitPlayed(FILE* lines) {
    char* line = nullptr;
    size_t size = 0;
    bool played = false, released = false;
    while (!released && getline(&line, &size, lines) > 0) {
        played = played || std::strstr(line, " PLAY ") != nullptr;
        released = std::strstr(line, " KEY off") != nullptr;
    }
    free(line);
    return !released ? Play::Gone : played ? Play::Played : Play::Failed;
}

void awaitExit(FILE* lines) {
    char* line = nullptr;
    size_t size = 0;
    while (getline(&line, &size, lines) > 0 && !std::strstr(line, " EXIT")) {
    }
    free(line);
}

std::vector<int> checkpoints(int plays) {
    std::vector<int> at;
    for (int n : {1, 100, 500, 1000, 2000})
        if (n <= plays) at.push_back(n);
    if (at.back() != plays) at.push_back(plays);
    return at;
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    const auto root = std::filesystem::temp_directory_path() / ("mvsmall-playback-" + std::to_string(getpid()));
    for (const char* sub : {"config", "data"}) std::filesystem::create_directories(root / sub);
    const std::string file = (root / "data" / "short.wav").string();
    writeWav(file, AudioFormat{16000, 16, 1}, std::vector<float>(static_cast<size_t>(16 * o.fileMs), 0.1f));

    // The real output, as the station runs.
    const HeadlessChild child = startHeadlessChild(
        {"--headless", "--config", (root / "config").string(), "--data", (root / "data").string()}, {"MVSMALL_AUDIO_SINK"});
    if (!child.started()) return 1;
    const pid_t pid = child.pid;
    FILE* transcript = fdopen(child.output, "r");

    // The key-up delay is left out: it costs time and no memory.
    sendLine(child.input, "set Form1.AddDelay 0");
    sendLine(child.input, "set Form1.txtFile " + file);
    const auto started = std::chrono::steady_clock::now();
    std::vector<std::pair<int, long>> resident;
    const std::vector<int> marks = checkpoints(o.plays);
    size_t nextMark = 0;
    int played = 0, failed = 0;
    while (played < o.plays) {
        if (!sendLine(child.input, "click Form1.Command3")) break;
        const Play outcome = awaitPlayed(transcript);
        if (outcome == Play::Gone) break;
        if (outcome == Play::Failed) {
            ++failed;
            continue;
        }
        if (++played == marks[nextMark]) {
            resident.emplace_back(played, residentKilobytes(pid));
            ++nextMark;
        }
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    sendLine(child.input, "quit");
    close(child.input);
    awaitExit(transcript);
    fclose(transcript);
    int status = 0;
    waitpid(pid, &status, 0);
    std::error_code ec;
    std::filesystem::remove_all(root, ec);

    if (resident.empty()) {
        std::printf("playback.resident             (the program did not play)\n");
        return 1;
    }
    std::printf("playback: %d plays of a %d ms file in %.1f s wall (%d more did not start)\n", played, o.fileMs, wall,
                failed);
    for (const auto& [plays, kb] : resident)
        std::printf("playback.resident_after_%-5d  %10.1f MiB      (%+.1f MiB since the first play)\n", plays,
                    kb / 1024.0, (kb - resident.front().second) / 1024.0);
    if (resident.size() > 2) {
        const auto& [fromPlays, fromKb] = resident[1];
        const auto& [toPlays, toKb] = resident.back();
        std::printf("playback.growth_after_%-5d    %10.2f KiB/play (plays %d to %d)\n", fromPlays,
                    static_cast<double>(toKb - fromKb) / (toPlays - fromPlays), fromPlays, toPlays);
    }
    return 0;
}
