#pragma once
// The real platform services of a Linux desktop: GStreamer playback, espeak-ng speech,
// libcurl transfers, page text through an HTML parser, and the desktop shell.
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
std::unique_ptr<SpeechService> makeEspeakSpeech(AudioService& playback);
std::unique_ptr<SpeechService> makeEspeakSpeech(AudioService& playback, Clock& clock);

std::unique_ptr<TransferService> makeCurlTransfer();
std::unique_ptr<WebPageText> makeWebPageText();

// The programs the shell runs, each a fixed argument list; the URL or nothing is appended.
struct ShellCommands {
    std::vector<std::string> openUrl{"xdg-open"};
    std::vector<std::string> restart{"systemctl", "reboot"};
};
std::unique_ptr<ShellService> makeDesktopShell();
std::unique_ptr<ShellService> makeDesktopShell(ShellCommands commands);
