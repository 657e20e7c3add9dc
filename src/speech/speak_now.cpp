// Speech rendered into the speech WAV file and handed to the player.
#include <filesystem>
#include <stdexcept>

#include "app/app.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "player/player_window.h"
#include "speech/idents_window.h"

namespace {
void requireFolderOf(const std::string& path) {
    const auto folder = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (path.empty() || (!folder.empty() && !std::filesystem::is_directory(folder, ec)))
        throw std::runtime_error("the speech file \"" + path + "\" cannot be created");
}
}  // namespace

void Form3::SaveToWav() {
    if (TextField.text().empty()) TextField.setText(" ");
    // Until this rendering has written it, whatever the file holds is an earlier text's: removed
    // here, or, where it cannot be removed, never handed on as this text's speech.
    earlierSpeechFile_ = app().mapPath(wavfile.text());
    app().form1().KillFile();
    const AudioFormat format = app().form1().SpeechWavFormat();   // the player's TTW audio setting
    const std::string path = wavfile.text();
    requireFolderOf(path);
    app().speech().setRate(VoiceSpeed.value());
    app().speech().setVolume(VolLev.value());
    stepOr(
        [&] {
            app().speech().speakToWav(TextField.text(), path, format);
            earlierSpeechFile_.clear();
        },
        [&](const std::string& why) {
            LogError("\"" + TextField.text() + "\" not rendered to the speech file (" + why + ") ");
        });
}

bool Form3::holdsEarlierSpeech(const std::string& path) const {
    return !path.empty() && path == earlierSpeechFile_;
}

// The hand-over every speech-file path ends with: the file, the marker, the volume, then TXFile.
void Form3::handToPlayer(bool withVolume) {
    step([&] { app().form1().txtFile.setText(wavfile.text()); });
    step([&] { ferrin = 1; });
    if (withVolume) step([&] { app().form1().TempVolSet.setText(VolSet.text()); });
    step([&] { app().form1().TXFile(); });
}

void Form3::TestTTW() {
    if (Check1.value() == 1) return;
    if (EchoLink().LinkBusy() || PTT.caption() == "PTT ON") return;
    TextField.setText(TempText);
    step([&] { SaveToWav(); });
    handToPlayer(false);
    step([&] { app().form1().V1.setValue(toInt(VolSet.text())); });
}

void Form3::SayEndOfFile() {
    if (flag3 == 0) {
        flag3 = 1;
        return;
    }
    if (flag3 == 1) {
        SayTheText = " End of Local News . Link : On.";
        flag2 = 1;
        flag3 = 1;
    }
}

void Form3::wireSpeakNow() {
    wavfile.setText(app().mapPath(kDefaultWavFile));
    Command17.onClick([this] { wavfile.setText(app().mapPath(kDefaultWavFile)); });
    Command1.onClick([this] {
        TextField.setText(Text1.text());
        step([&] { SaveToWav(); });
        handToPlayer(true);
    });
}
