#pragma once
// Form1: the player and transmit engine. Every tool puts its audio on the air through this
// window, and this window alone owns EchoLink's transmitter key.
//
// Behaviour by concern:
//   playback_graph.cpp      loading a file into a new player, the sliders, the delay routines
//   transmit_path.cpp       TXFile, StopFile, KillFile and the PTT driver
//   progress_display.cpp    the progress labels and the end-of-file hook
//   ducking_and_breaks.cpp  volume ducking while an Internet station talks, transmission breaks
//   player_settings.cpp     creation, buttons, closing and MP3_PlayerABC.ini
#include <cstdint>
#include <memory>
#include <string>

#include "core/form.h"
#include "core/settings_binding.h"
#include "platform/audio.h"
#include "platform/speech.h"

class Form1 : public Form {
public:
    explicit Form1(FormHost& host);
    ~Form1() override;

    void load() override;
    void SaveData() override;
    void closeRequest() override;

    // ---- layout frames
    Frame fraProgress{*this, "fraProgress", "Player Progress"};
    Frame fraBreaks{*this, "fraBreaks",
                    "Allow Breaks In Transmission. For Radios With Built In Time Out  or  CW Idents"};
    Frame fraReduce{*this, "fraReduce", "Reduce Volume Playback"};
    Frame fraFormat{*this, "fraFormat", "Player Audio settings (TTW)"};
    Frame fraFile{*this, "fraFile", "Audio File 1   -  mp3  - mp2 -  wav - avi - mid"};
    Frame fraVolume{*this, "fraVolume", "Volume"};
    Frame fraSpeed{*this, "fraSpeed", "Speed"};

    // ---- progress panel
    Label lblTimeLeft{*this, "lblTimeLeft", "Time Left :", &fraProgress};
    TextBox Text1{*this, "Text1", "00:00:00", &fraProgress};   // time left, hh:mm:ss
    Label lblTimeUsed{*this, "lblTimeUsed", "Time Used :", &fraProgress};
    TextBox Text2{*this, "Text2", "00:00:00", &fraProgress};   // time used
    Label lblLength{*this, "lblLength", "Length :", &fraProgress};
    TextBox Text3{*this, "Text3", "00:00:00", &fraProgress};   // length
    Slider H1{*this, "H1", 0, kMaxPosition, 0, &fraProgress};  // position in whole seconds; drag to seek
    Label PTT2{*this, "PTT2", "STOP", &fraProgress};           // play state "PLAY" / "STOP"
    CommandButton Command9{*this, "Command9", "Stop Player", &fraProgress};
    Label lblNewsPlaying{*this, "lblNewsPlaying", "When News is Playing"};

    // ---- transmission breaks
    Label lblEvery{*this, "lblEvery", "Every", &fraBreaks};
    TextBox BeaconPeriod8{*this, "BeaconPeriod8", "5", &fraBreaks};   // minutes between breaks
    Label lblMinsFor{*this, "lblMinsFor", "Mins    For ", &fraBreaks};
    TextBox Text6{*this, "Text6", "100", &fraBreaks};                 // break length in timer ticks
    Label lblMilliseconds{*this, "lblMilliseconds", "Milliseconds", &fraBreaks};
    CheckBox StopClock8{*this, "StopClock8", "Use", 0, &fraBreaks};
    Label BeaconSeconds8{*this, "BeaconSeconds8", "10", &fraBreaks};  // seconds to the next break
    Label Label19{*this, "Label19", "100", &fraBreaks};               // ticks left in a running break
    Label lblSecMSec{*this, "lblSecMSec", "Sec       M/Sec", &fraBreaks};

    // ---- ducking
    CheckBox Check1{*this, "Check1", "Reduce Playback Volume When  IP Station Talking To Level", 1, &fraReduce};
    TextBox Text4{*this, "Text4", "-1500", &fraReduce};               // ducked level, 1/100 dB
    Label lbl0{*this, "lbl0", "0%", &fraReduce};
    Label lbl50{*this, "lbl50", "50%", &fraReduce};
    Label lbl100{*this, "lbl100", "100%", &fraReduce};

    // ---- audio format of the speech WAV file
    OptionButton Option1{*this, "Option1", "ttw", "8kHz 8Bit Mono", false, &fraFormat};
    OptionButton Option2{*this, "Option2", "ttw", "16kHz 16Bit Mono", true, &fraFormat};
    OptionButton Option3{*this, "Option3", "ttw", "22kHz 16Bit Mono", false, &fraFormat};
    OptionButton Option4{*this, "Option4", "ttw", "32kHz 16Bit Mono", false, &fraFormat};
    OptionButton Option5{*this, "Option5", "ttw", "48kHz 8Bit Mono", false, &fraFormat};
    OptionButton Option6{*this, "Option6", "ttw", "48kHz 16Bit Mono", false, &fraFormat};
    OptionButton Option7{*this, "Option7", "ttw", "16kHz 16Bit Stereo", false, &fraFormat};
    OptionButton Option8{*this, "Option8", "ttw", "11kHz 16Bit Mono", false, &fraFormat};
    OptionButton Option9{*this, "Option9", "ttw", "11kHz 16Bit Stereo", false, &fraFormat};
    // The sample format the idents window renders speech in; the platform default when no
    // option is chosen.
    AudioFormat SpeechWavFormat() const;

    CommandButton Command11{*this, "Command11", "Save Settings"};
    CommandButton Command10{*this, "Command10", "Hide"};

    // ---- shared state and test controls, outside the visible area
    TextBox txtFile{*this, "txtFile", "", &fraFile};      // transmit request: path
    TextBox TempVolSet{*this, "TempVolSet", "0"};          // transmit request: volume, 1/100 dB
    TextBox VolSet{*this, "VolSet", "0", &fraVolume};      // the player's own volume, kept equal to V1
    Slider V1{*this, "V1", -3000, 0, 0, &fraVolume};
    TextBox SpeedSet{*this, "SpeedSet", "100", &fraSpeed};
    Slider V2{*this, "V2", 10, 200, 100, &fraSpeed};       // speed in percent
    Label Label1{*this, "Label1", "0"};   // seconds left; not "0" means on air
    Label Label2{*this, "Label2", "0"};   // position in seconds
    Label Label3{*this, "Label3", "0"};   // length in seconds
    Label PTT{*this, "PTT", "PTT OFF"};   // transmit state "PTT ON" / "PTT OFF"
    CheckBox AddDelay{*this, "AddDelay", "Add Delay", 1};
    CheckBox Check2{*this, "Check2", "DTMF to be TXed"};
    CommandButton Command1{*this, "Command1", "Load News"};
    CommandButton Command2{*this, "Command2", "Stop"};
    CommandButton Command3{*this, "Command3", "Play"};
    CommandButton Command4{*this, "Command4", "File"};
    CommandButton Command5{*this, "Command5", "Resume"};
    CommandButton Command6{*this, "Command6", "Start Timer"};
    CommandButton Command7{*this, "Command7", "Command7"};
    CommandButton Command8{*this, "Command8", "Command8"};
    CommandButton SaveIt{*this, "SaveIt", "Save"};

    // ---- public variables
    int TTSDelay = 0;    // counter of the speech delay inside TXFile
    int ferrin = 0;      // 1: one tail delay after the next file that ends
    int TempDelay = 0;   // 1 while a transmission break holds the transmitter off

    // Held while the operator's own button asks for a transmission, on this window or another:
    // an empty path then asks the operator for a file (a cancel puts nothing on the air) and a
    // file that cannot be played is told in a message box. Without it (timers, DTMF, EchoLink) a
    // request never waits for a person.
    class OperatorAsks {
    public:
        explicit OperatorAsks(Form1& player) : flag_(player.operatorRequest_), before_(flag_) { flag_ = true; }
        ~OperatorAsks() { flag_ = before_; }
        OperatorAsks(const OperatorAsks&) = delete;
        OperatorAsks& operator=(const OperatorAsks&) = delete;
    private:
        bool& flag_;
        bool before_;
    };

    // ---- public methods
    void TXFile();
    void StopFile();
    // A stop the operator or a DTMF code asks for means quiet: the file stops, and whatever
    // waited for the transmission's end is dropped (its next turn comes as usual).
    void StopOnRequest();
    // How many stops have been asked for; a turn held since before the count moved is dropped.
    std::uint64_t requestedStops() const { return requestedStops_; }
    // The station's own transmission is on the air: a file with time left, a break in one (a
    // break is not its end, and the PTT captions say "PTT OFF" during it), the key still down
    // after a file's last moment, or a news bulletin that its chain has not ended yet (the step
    // from its file to its 2nd File or end announcement is no end). Whatever waits for the
    // transmission's end asks here, and the send paths' own busy tests agree with it.
    bool transmissionOnAir() const;
    void KillFile();
    void PlayFile();
    void LoadFile(bool ReLoad);
    void CleanUp();
    void RunPlayer();
    void StopPlayer();
    void Wait(long TimeToWait);
    void Sleep();
    void Sleep2();
    void Sleep3();

    // "hh:mm:ss" of a number of seconds, as the progress boxes show it.
    static std::string FormatHMS(double seconds);

    // The largest length in seconds the position slider can hold.
    static constexpr int kMaxPosition = 32767;
    // How long a player asked to run may stand still short of its end before it counts as ended.
    static constexpr int kStalledEndMs = 1000;
    bool hasGraph() const { return graph_ != nullptr; }
    // The playing player; throws PlatformError when none is loaded.
    AudioPlayer& graph();

    // ---- timers, in this order so the progress tick runs before the PTT driver in each round
    Timer Timer1{*this, "Timer1", 1, [this] { progressTick(); }};
    Timer Timer2{*this, "Timer2", 100, [this] { duckingTick(); }};
    Timer Timer3{*this, "Timer3", 1, [this] { pttDriverTick(); }};
    Timer Timer4{*this, "Timer4", 1, [this] { breakLengthTick(); }, false};
    Timer Timer5{*this, "Timer5", 1000, [this] { stopAfterLoadFailure(); }};
    Timer Timer6{*this, "Timer6", 1000, [this] { markDtmfToBeSent(); }, false};
    Timer Timer7{*this, "Timer7", 3000, [this] { secondPartStarted(); }, false};
    Timer Beacon8{*this, "Beacon8", 1000, [this] { breakTimerTick(); }};

private:
    // playback_graph.cpp
    void loadFailed(const std::string& why);
    // The operator's choice in the file dialog; empty when cancelled.
    std::string askForFile();
    void onVolumeChange();
    void onSpeedChange();
    void onPositionScroll();
    void wireGraphControls();
    std::string silentFile() const;
    // Run and stop through here, so the progress display knows whether playback was asked for.
    void runGraph();
    void stopGraph();
    double playedPosition();
    bool runRequested_ = false;
    std::int64_t notRunningSince_ = -1;   // tick count; -1 while running or not asked to run
    std::unique_ptr<AudioPlayer> graph_;
    std::string LoadedFile;
    std::string dialogFileName_;   // carries the path through a load
    bool operatorRequest_ = false; // the player's own File / Play button started this request
    bool progressWriting_ = false; // the progress tick moves H1; that is no seek

    // transmit_path.cpp
    void pttDriverTick();
    std::uint64_t requestedStops_ = 0;
    void paintTransmitState(bool createWindows);
    // The PTT labels here and on the idents window, painted now from EchoLink's report.
    void showTransmitState();
    void paintPlayState();
    void tailDelayThenRelease(void (Form1::*delay)());
    void speechDelay();
    void stopAfterLoadFailure();
    void markDtmfToBeSent();
    void secondPartStarted();

    // progress_display.cpp
    void progressTick();
    void showProgress();
    void EndOfFileHook();

    // ducking_and_breaks.cpp
    void duckingTick();
    void breakTimerTick();
    void breakLengthTick();
    void resumeAfterBreak();
    void cancelBreak();
    void onBreakPeriodChange();
    void onBreakLengthChange();
    void onUseBreaksClick();
    void wireBreakControls();
    void paintPttText(bool on);

    // player_window.cpp, player_settings.cpp
    void wireButtons();
    void readSettings();
    void declareLayout();
    StoredPath storedTxtFile_;   // txtFile as stored and as shown, so SaveData keeps the stored form
};
