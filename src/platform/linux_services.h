#pragma once
// The real platform services of a Linux desktop: GStreamer playback, espeak-ng speech,
// libcurl transfers, page text through an HTML parser, and the desktop shell.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "platform/audio.h"
#include "platform/shell.h"
#include "platform/speech.h"
#include "platform/transfer.h"

// Plays into the desktop's sound output. $MVSMALL_AUDIO_SINK, when set, is a GStreamer sink
// description used instead (e.g. "fakesink sync=true"); with no sound device a fake sink that
// keeps real time stands in, so positions still move as the file plays.
std::unique_ptr<AudioService> makeGStreamerAudio();
// The length of an audio file in seconds, or nothing when it cannot be read as audio.
std::optional<double> probeAudioSeconds(const std::string& path);

// Speaks through `playback`. The synchronous speech waits on `clock` while it plays, so on a
// virtual clock it takes the speech's real length in station time. Both must outlive the service.
// Once `ending` says so (the program has been asked to end), speech under way stops at once and
// none starts: speak() returns early and a rendering fails. It is asked from the speaking thread.
// The speech engine starts here, while threads are still to be had: it needs one of its own.
std::unique_ptr<SpeechService> makeEspeakSpeech(AudioService& playback);
std::unique_ptr<SpeechService> makeEspeakSpeech(AudioService& playback, Clock& clock,
                                                std::function<bool()> ending = {});

// Bounds of every transfer besides its total time-out.
struct TransferLimits {
    int stallSeconds = 30;                          // less than a byte a second for this long: failed
    std::int64_t largestDownload = 2LL << 30;       // bytes a download to a file may have
    std::int64_t largestInMemory = 16LL << 20;      // bytes of a page or file read into memory
};
std::unique_ptr<TransferService> makeCurlTransfer(TransferLimits limits = {});
// Accepts pages served as text/html or text/plain; anything else is a failed fetch.
std::unique_ptr<WebPageText> makeWebPageText(TransferLimits limits = {});

// The programs the shell runs, each a fixed argument list; the URL or nothing is appended.
struct ShellCommands {
    std::vector<std::string> openUrl{"xdg-open"};
    std::vector<std::string> restart{"systemctl", "reboot"};
};
std::unique_ptr<ShellService> makeDesktopShell();
std::unique_ptr<ShellService> makeDesktopShell(ShellCommands commands);
