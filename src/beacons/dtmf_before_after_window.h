#pragma once
// Form128: DTMF strings to send before and after fourteen kinds of transmission. Beacon set 2
// sends its start string; the others are kept for the operator.
#include <array>

#include "core/form.h"

class Form128 : public Form {
public:
    explicit Form128(FormHost& host);

    void load() override;
    void SaveData() override;

    Frame Frame1{*this, "Frame1", "Weather"};
    Label Label1{*this, "Label1", "Start            End", &Frame1};
    TextBox Text3{*this, "Text3", "", &Frame1};
    TextBox Text4{*this, "Text4", "", &Frame1};
    CheckBox Check2{*this, "Check2", "Use DTMF Before / After   Weather Conditions / Temp", 0, &Frame1};
    TextBox Text1{*this, "Text1", "", &Frame1};
    TextBox Text2{*this, "Text2", "", &Frame1};
    CheckBox Check1{*this, "Check1", "Use DTMF Before / After   Weather Forcast", 0, &Frame1};
    TextBox Text5{*this, "Text5", "", &Frame1};
    TextBox Text6{*this, "Text6", "", &Frame1};
    CheckBox Check3{*this, "Check3", "Use DTMF Before / After   Full / Summry / Text Warning", 0, &Frame1};

    Frame Frame2{*this, "Frame2", "News"};
    Label Label2{*this, "Label2", "Start            End", &Frame2};
    TextBox Text7{*this, "Text7", "", &Frame2};
    TextBox Text8{*this, "Text8", "", &Frame2};
    CheckBox Check4{*this, "Check4", "Use DTMF Before / After   News", 0, &Frame2};

    Frame Frame3{*this, "Frame3", "Beacons"};
    Label Label3{*this, "Label3", "Start            End", &Frame3};
    TextBox Text9{*this, "Text9", "", &Frame3};
    TextBox Text10{*this, "Text10", "", &Frame3};
    CheckBox Check5{*this, "Check5", "Use DTMF Before / After  Beacon Set 1", 0, &Frame3};
    TextBox Text11{*this, "Text11", "", &Frame3};
    TextBox Text12{*this, "Text12", "", &Frame3};
    CheckBox Check6{*this, "Check6", "Use DTMF Before / After  Beacon Set 2", 0, &Frame3};

    Frame Frame4{*this, "Frame4", "Profiles && Beacons"};
    Label Label4{*this, "Label4", "Start", &Frame4};
    TextBox Text13{*this, "Text13", "", &Frame4};
    CheckBox Check7{*this, "Check7", "Profile 1", 0, &Frame4};
    TextBox Text14{*this, "Text14", "", &Frame4};
    CheckBox Check8{*this, "Check8", "Profile 2", 0, &Frame4};
    TextBox Text15{*this, "Text15", "", &Frame4};
    CheckBox Check9{*this, "Check9", "Profile 3", 0, &Frame4};
    TextBox Text16{*this, "Text16", "", &Frame4};
    CheckBox Check10{*this, "Check10", "Profile 4", 0, &Frame4};

    Frame Frame5{*this, "Frame5", "Net Scheduler Set 1"};
    Label Label5{*this, "Label5", "Start            End", &Frame5};
    Label Label6{*this, "Label6", "Net Scheduler Set 1 Only", &Frame5};
    TextBox Text17{*this, "Text17", "", &Frame5};
    TextBox Text18{*this, "Text18", "", &Frame5};
    CheckBox Check11{*this, "Check11", "Use DTMF Net Scheduler 1", 0, &Frame5};
    TextBox Text19{*this, "Text19", "", &Frame5};
    TextBox Text20{*this, "Text20", "", &Frame5};
    CheckBox Check12{*this, "Check12", "Use DTMF Net Scheduler 2", 0, &Frame5};
    TextBox Text21{*this, "Text21", "", &Frame5};
    TextBox Text22{*this, "Text22", "", &Frame5};
    CheckBox Check13{*this, "Check13", "Use DTMF Net Scheduler 3", 0, &Frame5};
    TextBox Text23{*this, "Text23", "", &Frame5};
    TextBox Text24{*this, "Text24", "", &Frame5};
    CheckBox Check14{*this, "Check14", "Use DTMF Net Scheduler 4", 0, &Frame5};

    // A status group nobody reads; set 2 marks Option6 after sending its start string.
    Frame Frame6{*this, "Frame6", ""};
#define STATUS_OPTION(n) OptionButton Option##n{*this, "Option" #n, "status", "Option" #n, false, &Frame6};
    STATUS_OPTION(1) STATUS_OPTION(2) STATUS_OPTION(3) STATUS_OPTION(4) STATUS_OPTION(5)
    STATUS_OPTION(6) STATUS_OPTION(7) STATUS_OPTION(8) STATUS_OPTION(9) STATUS_OPTION(10)
#undef STATUS_OPTION
    OptionButton Option20{*this, "Option20", "status", "Option20", true, &Frame6};

    CommandButton Command1{*this, "Command1", "Hide"};
    CommandButton Command2{*this, "Command2", "Save Data"};

    CheckBox& use(int k) { return *checks_.at(static_cast<size_t>(k - 1)); }
    TextBox& digits(int k) { return *texts_.at(static_cast<size_t>(k - 1)); }

private:
    void declareLayout();   // dtmf_before_after_layout.cpp
    std::array<CheckBox*, 14> checks_{};
    std::array<TextBox*, 24> texts_{};
};
