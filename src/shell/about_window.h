#pragma once
// Form14: About, and the update check. Created hidden at every start, it fetches the version
// file at once and brings up the update prompt three seconds later if the versions differ.
#include "core/form.h"
#include "core/off_loop.h"

class Form14 : public Form {
public:
    explicit Form14(FormHost& host);

    Label Label1{*this, "Label1", "MVSmall"};
    Label Label6{*this, "Label6"};
    Label Label2{*this, "Label2", "Station automation for EchoLink sysops"};
    Label Label3{*this, "Label3", "Free to use and to pass on unchanged."};
    CommandButton Command24{*this, "Command24", "Check For Update"};
    CommandButton Command5{*this, "Command5", "Update Available          Click Here To Update"};
    Label Label5{*this, "Label5"};
    CommandButton Command1{*this, "Command1", "Hide"};
    CommandButton Command2{*this, "Command2", "Web Site"};
    CommandButton Command3{*this, "Command3", "E-mail"};
    ComboBox Combo1{*this, "Combo1", "Donation Amount"};
    CommandButton Command4{*this, "Command4", "Make Donation"};
    CommandButton Command6{*this, "Command6",
                           "Please visit my sponsor   <Click Here>   Providor of the  *IRELAND*  Conference"};
    TextBox FileOnNet{*this, "FileOnNet"};   // the version file's address
    TextBox NetText{*this, "NetText"};       // the fetched version text

    Timer Timer1{*this, "Timer1", 1000, [this] { manualCheckResult(); }};
    Timer Timer2{*this, "Timer2", 10000, [this] { clearManualCheck(); }};
    Timer Timer3{*this, "Timer3", 3000, [this] { startupCheck(); }, false};

    void load() override;

private:
    // The version file is fetched off the loop; `then` runs once NetText holds the answer.
    void fetchVersionFile(std::function<void()> then);
    void startupCheck();
    void manualCheck();
    void manualCheckResult();
    void clearManualCheck();
    void makeDonation();
    void declareLayout();
    OffLoopWork versionFetch_{*this};   // declared last, so it stops first
};

// Starts the updater from the data folder and ends the program, nothing saved. Where the updater
// is missing or will not start, `status` says so and the program goes on.
void startUpdater(Form& clicked, Label& status);
