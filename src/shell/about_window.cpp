#include "shell/about_window.h"

#include <memory>

#include "app/app.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/step.h"
#include "core/text.h"
#include "shell/update_prompt_window.h"
#include "shell/web_addresses.h"

namespace {
const char* const kDonations[] = {"Donation: $10.00", "Donation: $20.00", "Donation: $30.00", "Donation: $40.00",
                                  "Donation: $50.00"};

// A version file holds one short line of digits and dots ("1.2.3"), a line end after it allowed.
// Anything else (a captive portal's page answering in its place) is no version file.
bool holdsAVersion(const std::string& body) {
    constexpr size_t kLongestVersion = 20;
    std::string line = body;
    if (endsWith(line, "\r\n"))
        line.resize(line.size() - 2);
    else if (endsWith(line, "\n"))
        line.pop_back();
    if (line.empty() || line.size() > kLongestVersion) return false;
    return line.find_first_not_of("0123456789.") == std::string::npos;
}
}  // namespace

Form14::Form14(FormHost& host) : Form(host, "Form14", "About") {
    Command3.setToolTip("Send me an email");
    Combo1.setToolTip("Enter the Donation amount");
    Command4.setToolTip("If you like the program why not make a Donation ");
    FileOnNet.setText(web::kVersionFile);
    Command24.onClick([this] { manualCheck(); });
    Command5.onClick([this] { startUpdater(*this, Label5); });
    Command1.onClick([this] { Hide(); });
    Command2.onClick([this] { app().shell().openUrl(web::kProductSite); });
    Command3.onClick([this] { app().shell().openUrl(web::kMail); });
    Command4.onClick([this] { makeDonation(); });
    Command6.onClick([this] { app().shell().openUrl(web::kSponsorPage); });
    declareLayout();
}

void Form14::load() {
    createEchoLink();
    setCaption(app().windowCaption());
    Label6.setCaption(app().windowCaption());
    for (const char* amount : kDonations) Combo1.addItem(amount);
    Command5.setVisible(false);
    Timer1.disable();
    // A station may point the check at a server of its own.
    const SettingsFile ini(host().settingsPath("maroabc.ini"));
    FileOnNet.setText(ini.read("VersionFile", web::kVersionFile));
    // The prompt's three seconds count from the answer: a slow server delays it, never the station.
    fetchVersionFile([this] { Timer3.enable(); });
}

// Any failure (no network, an HTTP error, the time-out) leaves NetText empty; so does an answer
// that is not a version, which is logged. The station goes on while the server answers.
void Form14::fetchVersionFile(std::function<void()> then) {
    struct Answer {
        TransferResult result;
        std::string body;
    };
    auto answer = std::make_shared<Answer>();
    TransferService& transfer = app().transfer();
    const std::string address = FileOnNet.text();
    versionFetch_.start(
        [answer, address, &transfer](const std::atomic<bool>& stopping) {
            step([&] {
                answer->result = transfer.get(
                    address, answer->body, [&](std::int64_t, std::int64_t) { return !stopping; },
                    web::kVersionFetchSeconds);
            });
        },
        [this, answer, address, then = std::move(then)] {
            TransferResult& result = answer->result;
            if (result.ok && !answer->body.empty() && !holdsAVersion(answer->body)) {
                LogError(address + " <-- The update check got something that is not a version number ");
                result.ok = false;
            }
            NetText.setText(result.ok ? answer->body : "");
            then();
        },
        [answer](const std::string& why) { answer->result.error = why; });
}

void Form14::startupCheck() {
    if (!NetText.text().empty()) {
        if (NetText.text() != App::versionText()) app().form150().Show();
        NetText.setText("");
    }
    Timer3.disable();
}

void Form14::manualCheck() {
    NetText.setText("");
    fetchVersionFile([this] { Timer1.enable(); });
}

void Form14::manualCheckResult() {
    if (NetText.text() == App::versionText() || NetText.text().empty()) {
        Command5.setVisible(false);
        Label5.setCaption("No Update Available");
        Timer2.enable();
    } else {
        Command5.setVisible(true);
    }
    Timer1.disable();
}

void Form14::clearManualCheck() {
    Command5.setVisible(false);
    Label5.setCaption("");
    Timer2.disable();
}

void Form14::makeDonation() {
    for (size_t i = 0; i < std::size(kDonations); ++i) {
        if (Combo1.text() != kDonations[i]) continue;
        if (!app().shell().openUrl(web::kDonationPages[i]))
            app().dialogs().messageBox(App::kProductName,
                                       "An error occurred attempting to open '" +
                                           std::string(web::kDonationPages[i]) + "'.",
                                       MsgButtons::Ok, MsgIcon::Critical);
        Hide();
        return;
    }
}

void startUpdater(Form& clicked, Label& status) {
    App& app = clicked.app();
    const std::string updater = app.dataPath(web::kUpdater);
    if (!fileExists(updater)) {
        status.setCaption("The updater " + updater + " is missing: no update was started.");
        return;
    }
    if (!app.shell().startProgram(updater, {})) {
        status.setCaption("The updater " + updater + " could not be started.");
        return;
    }
    app.endProgram();
}
