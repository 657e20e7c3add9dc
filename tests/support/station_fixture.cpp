#include "support/station_fixture.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

#include "platform/linux_services.h"

TempFolder::TempFolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "mvsmall-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempFolder::write(const std::string& name, const std::string& content) const {
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
    out << content;
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

Station::Station(StationOptions options) {
    auto start = parseDateTime(options.start);
    if (!start) throw std::invalid_argument("bad start time " + options.start);
    clock_ = std::make_shared<VirtualClock>(*start);
    AppOptions o;
    o.clock = clock_;
    o.virtualStart = *start;
    o.folders.config = config_.path();
    o.folders.data = data_.path();
    o.folders.home = home_.path();
    o.callsign = options.callsign;
    Services s;
    auto a = std::make_unique<VirtualAudioService>(*clock_);
    audio = a.get();
    s.audio = std::move(a);
    auto sp = std::make_unique<RecordingSpeech>(*clock_);
    speech = sp.get();
    s.speech = std::move(sp);
    auto d = std::make_unique<ScriptedDialogs>();
    dialogs = d.get();
    s.dialogs = std::move(d);
    auto sh = std::make_unique<RecordingShell>();
    shell = sh.get();
    s.shell = std::move(sh);
    auto tr = std::make_unique<FakeTray>(true);
    tray = tr.get();
    s.tray = std::move(tr);
    if (options.realTransfers) {
        s.transfer = makeCurlTransfer();
    } else {
        auto t = std::make_unique<OfflineTransfer>();
        transfer = t.get();
        s.transfer = std::move(t);
    }
    for (const auto& [name, content] : options.settingsFiles) config_.write(name, content);
    auto w = std::make_unique<OfflineTransfer>();
    webText = w.get();
    s.webText = std::move(w);
    app_ = std::make_unique<App>(std::move(o), std::move(s));
    if (options.createStartupWindows) app_->act([&] { app_->createStartupWindows(); });
}

Station::~Station() = default;

void Station::advance(double seconds) {
    app_->act([&] { app_->loop().runFor(static_cast<std::int64_t>(seconds * 1000.0 + 0.5)); });
}

Control& Station::control(const std::string& formControl) {
    const auto dot = formControl.find('.');
    if (dot == std::string::npos) throw std::invalid_argument("expected FORM.CONTROL: " + formControl);
    Form* f = app_->formByName(formControl.substr(0, dot));
    if (!f) throw std::invalid_argument("no window " + formControl);
    Control* c = f->findControl(formControl.substr(dot + 1));
    if (!c) throw std::invalid_argument("no control " + formControl);
    return *c;
}

void Station::set(const std::string& formControl, const std::string& value) {
    app_->act([&] { control(formControl).operatorSet(value); });
}

void Station::click(const std::string& formControl) {
    app_->act([&] { control(formControl).operatorClick(); });
}

std::string Station::get(const std::string& formControl) { return control(formControl).valueText(); }
