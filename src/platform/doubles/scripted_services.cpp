#include "platform/doubles/scripted_services.h"

#include <cmath>
#include <fstream>

#include "platform/wav_file.h"

void RecordingSpeech::speak(const std::string& text) {
    if (failing) throw PlatformError("speech failed");
    if (remembers) spoken.push_back(text);
    clock_.sleepFor(static_cast<std::int64_t>(std::lround(secondsFor(text) * 1000)));
}

void RecordingSpeech::speakToWav(const std::string& text, const std::string& path, const AudioFormat& format) {
    if (failing) throw PlatformError("speech failed");
    if (remembers) rendered.emplace_back(path, text);
    writeWav(path, format, std::vector<float>(static_cast<size_t>(secondsFor(text) * format.sampleRate), 0.0f));
}

MsgAnswer ScriptedDialogs::messageBox(const std::string& title, const std::string& text, MsgButtons buttons,
                                      MsgIcon) {
    shown.push_back({title, text, buttons});
    if (!answers_.empty()) {
        const MsgAnswer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    switch (buttons) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel: return MsgAnswer::Ok;
        default: return MsgAnswer::No;
    }
}

std::optional<std::string> ScriptedDialogs::openFile(const std::string& title, const std::string&,
                                                     const std::string&) {
    fileDialogs.push_back(title);
    if (files_.empty()) return std::nullopt;
    auto f = files_.front();
    files_.pop_front();
    return f;
}

bool RecordingShell::openUrl(const std::string& url) {
    if (remembers) opened.push_back(url);
    return !failing;
}

bool RecordingShell::restartComputer() {
    ++restarts;
    return !failing;
}

bool RecordingShell::startProgram(const std::string& program, const std::vector<std::string>&) {
    if (remembers) started.push_back(program);
    return !failing;
}

bool FakeTray::add(const std::string& t) {
    if (!available_) return false;
    tip = t;
    shown_ = true;
    return true;
}

TransferResult OfflineTransfer::get(const std::string& url, std::string& body, const TransferProgress& progress, int) {
    if (remembers) requested.push_back(url);
    auto it = bodies.find(url);
    if (it == bodies.end()) return {false, 0, "network unreachable", 0};
    body = it->second;
    const auto n = static_cast<std::int64_t>(body.size());
    if (progress && !progress(n, n)) return {false, 0, "cancelled", n};
    return {true, 200, "", n};
}

TransferResult OfflineTransfer::download(const std::string& url, const std::string& path,
                                         const TransferProgress& progress, int timeoutSeconds) {
    std::string body;
    TransferResult r = get(url, body, progress, timeoutSeconds);
    if (!r.ok) return r;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << body;
    if (!out.flush()) return {false, 0, "cannot write " + path, 0};
    return r;
}

TransferResult OfflineTransfer::upload(const std::string&, const std::string& url, const TransferProgress&, int) {
    if (remembers) requested.push_back(url);
    return {false, 0, "network unreachable", 0};
}

std::optional<std::int64_t> OfflineTransfer::remoteSize(const std::string& url, int) {
    auto it = bodies.find(url);
    if (it == bodies.end()) return std::nullopt;
    return static_cast<std::int64_t>(it->second.size());
}

TransferResult OfflineTransfer::pageText(const std::string& url, std::string& text, int timeoutSeconds,
                                         const TransferProgress& progress) {
    return get(url, text, progress, timeoutSeconds);
}
