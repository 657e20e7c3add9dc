#include "app/app.h"

#include <algorithm>

#include "app/recording_services.h"
#include "core/datetime.h"
#include "platform/wav_file.h"
#include "core/step.h"
#include "core/text.h"
#include "beacons/beacon_set1_window.h"
#include "beacons/beacon_set2_window.h"
#include "beacons/dtmf_before_after_window.h"
#include "beacons/profile_window.h"
#include "chat/chat_window.h"
#include "chat/greetings_window.h"
#include "chat/preset_texts_window.h"
#include "chat/sysop_messages_window.h"
#include "dtmfplayer/dtmf_player_window.h"
#include "linkcontrol/connect_control_window.h"
#include "nets/net_set2_window.h"
#include "news/news_download_window.h"
#include "news/news_player_window.h"
#include "player/player_window.h"
#include "shell/about_window.h"
#include "shell/error_log_window.h"
#include "shell/launcher_window.h"
#include "shell/update_prompt_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"
#include "weather/forecast_parser_window.h"
#include "weather/full_warning_window.h"
#include "weather/warning_parser_window.h"
#include "weather/warning_summary_window.h"
#include "weather/weather_window.h"

namespace {
std::shared_ptr<Clock> makeClock(const AppOptions& o) {
    if (o.clock) return o.clock;
    if (o.virtualStart) return std::make_shared<VirtualClock>(*o.virtualStart);
    return std::make_shared<RealClock>();
}
}  // namespace

App::App(AppOptions options, Services services)
    : options_(std::move(options)),
      clock_(makeClock(options_)),
      loop_(*clock_),
      transcript_(*clock_),
      node_(loop_, transcript_, options_.callsign),
      services_(std::move(services)) {
    transcript_.keepLines(options_.keepTranscript);
    ensureFolder(options_.folders.config);
    ensureFolder(options_.folders.data);
    // Logged once the loop runs, when the transcript has its readers.
    stepOr([&] { installSoundFiles(options_.folders.data); }, [&](const std::string& reason) {
        loop_.post([this, reason] {
            LogError("The data folder " + options_.folders.data + " could not be filled with the program's sounds: " +
                     reason + " ");
        });
    });
    recordToTranscript(services_, transcript_);
    echoLink_ = node_.newApp();
    loop_.setFailureHandler([this](const std::string& what) { LogError("Internal error in " + what + " "); });
    loop_.setNoticeHandler([this](const std::string& line) { LogError(line); });
    loop_.setEndedHandler([this] { ended_ = true; });
    SettingsFile::setDamageReporter([this](const std::string& path, const std::string& damage) {
        if (!damagedSettings_.insert(path).second) return;
        LogError(path + " " + damage + " <-- Settings kept as they are and not saved over ");
    });
}

App::~App() {
    SettingsFile::setDamageReporter(nullptr);
    // Windows go before the services and the node they use.
    graveyard_.clear();
    form5_.reset();
    form14_.reset();
    form150_.reset();
    form1_.reset();
    form3_.reset();
    form22_.reset();
    form4_.reset();
    form111_.reset();
    form110_.reset();
    form123_.reset();
    form128_.reset();
    form23_.reset();
    messages_.reset();
    form116_.reset();
    form126_.reset();
    form10_.reset();
    form114_.reset();
    form115_.reset();
    form121_.reset();
    form113_.reset();
    form122_.reset();
    form24_.reset();
    form13_.reset();
    form117_.reset();
    form120_.reset();
}

// Every window lives in the application object, which is its host.
App& Form::app() const { return static_cast<App&>(host()); }

std::string App::settingsPath(const std::string& fileName) const { return joinPath(options_.folders.config, fileName); }

void App::LogError(const std::string& message) {
    transcript_.record("LOG " + quoted(message));
    form120().Append(message);
}

void App::controlChanged(Control& control) {
    if (view_) view_->controlChanged(control);
}

void App::formChanged(Form& form) {
    if (view_) view_->formChanged(form);
}

void App::formShown(Form& form) {
    if (view_) view_->formShown(form);
}

std::string App::versionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision);
}

std::string App::windowCaption(const std::string& suffix) {
    std::string call;
    step([&] { call = echoLink_->LocalNode().NodeCallsign; });
    return std::string(kProductName) + "    " + call + "   v" + versionText() + suffix;
}

template <class T>
T& App::window(std::unique_ptr<T>& slot) {
    if (slot && slot->unloaded()) {
        creationOrder_.erase(std::remove(creationOrder_.begin(), creationOrder_.end(), slot.get()), creationOrder_.end());
        graveyard_.push_back(std::move(slot));  // its handler may still be on the stack
    }
    if (!slot) {
        slot = std::make_unique<T>(*this);
        creationOrder_.push_back(slot.get());
        slot->load();
    }
    if (loop_.depth() == 0) buryUnloaded();
    return *slot;
}

void App::buryUnloaded() { graveyard_.clear(); }

Form5& App::form5() { return window(form5_); }
Form14& App::form14() { return window(form14_); }
Form150& App::form150() { return window(form150_); }
Form1& App::form1() { return window(form1_); }
Form3& App::form3() { return window(form3_); }
Form22& App::form22() { return window(form22_); }
Form4& App::form4() { return window(form4_); }
Form111& App::form111() { return window(form111_); }
Form110& App::form110() { return window(form110_); }
Form123& App::form123() { return window(form123_); }
Form128& App::form128() { return window(form128_); }
Form23& App::form23() { return window(form23_); }
Messages& App::messages() { return window(messages_); }
Form116& App::form116() { return window(form116_); }
Form126& App::form126() { return window(form126_); }
Form10& App::form10() { return window(form10_); }
Form114& App::form114() { return window(form114_); }
Form115& App::form115() { return window(form115_); }
Form121& App::form121() { return window(form121_); }
Form113& App::form113() { return window(form113_); }
Form122& App::form122() { return window(form122_); }
Form24& App::form24() { return window(form24_); }
Form13& App::form13() { return window(form13_); }
Form117& App::form117() { return window(form117_); }
Form120& App::form120() { return window(form120_); }

Form* App::formByName(const std::string& name) {
    if (equalsNoCase(name, "Form5")) return &form5();
    if (equalsNoCase(name, "Form14")) return &form14();
    if (equalsNoCase(name, "Form150")) return &form150();
    if (equalsNoCase(name, "Form1")) return &form1();
    if (equalsNoCase(name, "Form3")) return &form3();
    if (equalsNoCase(name, "Form22")) return &form22();
    if (equalsNoCase(name, "Form4")) return &form4();
    if (equalsNoCase(name, "Form111")) return &form111();
    if (equalsNoCase(name, "Form110")) return &form110();
    if (equalsNoCase(name, "Form123")) return &form123();
    if (equalsNoCase(name, "Form128")) return &form128();
    if (equalsNoCase(name, "Form23")) return &form23();
    if (equalsNoCase(name, "Messages")) return &messages();
    if (equalsNoCase(name, "Form116")) return &form116();
    if (equalsNoCase(name, "Form126")) return &form126();
    if (equalsNoCase(name, "Form10")) return &form10();
    if (equalsNoCase(name, "Form114")) return &form114();
    if (equalsNoCase(name, "Form115")) return &form115();
    if (equalsNoCase(name, "Form121")) return &form121();
    if (equalsNoCase(name, "Form113")) return &form113();
    if (equalsNoCase(name, "Form122")) return &form122();
    if (equalsNoCase(name, "Form24")) return &form24();
    if (equalsNoCase(name, "Form13")) return &form13();
    if (equalsNoCase(name, "Form117")) return &form117();
    if (equalsNoCase(name, "Form120")) return &form120();
    return nullptr;
}

std::vector<Form*> App::existingForms() const {
    std::vector<Form*> out;
    for (Form* f : creationOrder_)
        if (!f->unloaded()) out.push_back(f);
    return out;
}

bool App::exists(const std::string& name) const {
    for (Form* f : creationOrder_)
        if (!f->unloaded() && equalsNoCase(f->name(), name)) return true;
    return false;
}

const std::vector<std::string>& App::startupOrder() {
    static const std::vector<std::string> order = {"Form1",   "Form3",   "Form4",   "Form10",  "Form13",  "Form14",
                                                    "Form22",  "Form23",  "Form24",  "Form113", "Form110", "Form111",
                                                    "Form114", "Form115", "Form116", "Form121", "Form123", "Messages"};
    return order;
}

void App::createStartupWindows() {
    for (const auto& name : startupOrder()) formByName(name);
}

bool App::releaseTransmitter() {
    const auto unreleased = [](const std::string&) {};
    const bool released = stepOr([&] { echoLink_->KeyTransmitter(false); }, unreleased);
    raisedLines_.lowerAll(*echoLink_);
    return released;
}

void App::settingsSaved(bool ok) {
    if (!ok) ++failedSaves_;
}

void App::endProgram() {
    if (!ended_) {
        if (!releaseTransmitter())
            step([&] { LogError("EchoLink did not answer: the transmitter could not be released as the program ends "); });
        ended_ = true;
        transcript_.record("EXIT");
    }
    loop_.quit();
    throw ProgramEnded{};
}

void App::echoLinkClosing() {
    if (!ended_) {
        const std::vector<Form*> windows = existingForms();
        for (Form* f : windows) step([&] { f->closingDuties(); });
    }
    endProgram();
}

void App::act(const std::function<void()>& action) {
    if (ended_) return;
    try {
        action();
    } catch (const ProgramEnded&) {
        ended_ = true;
    }
}
