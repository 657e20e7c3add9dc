#pragma once
// Form123: the profile and beacon-set scheduler. Four entries, each naming an EchoLink profile and
// a beacon set, applied on a weekly schedule, by a DTMF code or at once by a button.
#include <array>
#include <string>

#include "core/form.h"

class Form123 : public Form {
public:
    explicit Form123(FormHost& host);

    void load() override;
    void SaveData() override;

    Label Label1{*this, "Label1", "Profiles and Beacons"};
    Label ShowTime{*this, "ShowTime", "00:00:00"};

    Frame Frame1{*this, "Frame1", "Profile 1 --  15 seconds after allotted time to allow for beacons"};
    Label ProfileLabel1{*this, "ProfileLabel1", "Change to Profile", &Frame1};
    TextBox Profile1{*this, "Profile1", "MAIN", &Frame1};
    CheckBox Sun{*this, "Sun", "Sun", 0, &Frame1};
    CheckBox Mon{*this, "Mon", "Mon", 0, &Frame1};
    CheckBox Tue{*this, "Tue", "Tue", 0, &Frame1};
    CheckBox Wed{*this, "Wed", "Wed", 0, &Frame1};
    CheckBox Thur{*this, "Thur", "Thur", 0, &Frame1};
    CheckBox Fri{*this, "Fri", "Fri", 0, &Frame1};
    CheckBox Sat{*this, "Sat", "Sat", 0, &Frame1};
    Label AtLabel1{*this, "AtLabel1", "at", &Frame1};
    Frame TimeFrame1{*this, "TimeFrame1", "Hour : Mins", &Frame1};
    TextBox Hour{*this, "Hour", "24", &TimeFrame1};
    TextBox Mins{*this, "Mins", "00", &TimeFrame1};
    Frame TimeFrame1x{*this, "TimeFrame1x", "Hour : Mins", &Frame1};
    TextBox Hourx{*this, "Hourx", "24", &TimeFrame1x};
    TextBox Minsx{*this, "Minsx", "00", &TimeFrame1x};
    Frame BeaconsFrame1{*this, "BeaconsFrame1", "Beacons", &Frame1};
    OptionButton Option1{*this, "Option1", "entry1", "Set 1", true, &BeaconsFrame1};
    OptionButton Option2{*this, "Option2", "entry1", "Set 2", false, &BeaconsFrame1};
    Label DtmfLabel1{*this, "DtmfLabel1", "DTMF", &Frame1};
    TextBox Text1{*this, "Text1", "", &Frame1};
    CommandButton Command3{*this, "Command3", "", &Frame1};

    Frame Frame2{*this, "Frame2", "Profile 2 --  15 seconds after allotted time to allow for beacons"};
    Label ProfileLabel2{*this, "ProfileLabel2", "Change to Profile", &Frame2};
    TextBox Profile2{*this, "Profile2", "", &Frame2};
    CheckBox Sun2{*this, "Sun2", "Sun", 0, &Frame2};
    CheckBox Mon2{*this, "Mon2", "Mon", 0, &Frame2};
    CheckBox Tue2{*this, "Tue2", "Tue", 0, &Frame2};
    CheckBox Wed2{*this, "Wed2", "Wed", 0, &Frame2};
    CheckBox Thur2{*this, "Thur2", "Thur", 0, &Frame2};
    CheckBox Fri2{*this, "Fri2", "Fri", 0, &Frame2};
    CheckBox Sat2{*this, "Sat2", "Sat", 0, &Frame2};
    Label AtLabel2{*this, "AtLabel2", "at", &Frame2};
    Frame TimeFrame2{*this, "TimeFrame2", "Hour : Mins", &Frame2};
    TextBox Hour2{*this, "Hour2", "24", &TimeFrame2};
    TextBox Mins2{*this, "Mins2", "00", &TimeFrame2};
    Frame TimeFrame2x{*this, "TimeFrame2x", "Hour : Mins", &Frame2};
    TextBox Hour2x{*this, "Hour2x", "24", &TimeFrame2x};
    TextBox Mins2x{*this, "Mins2x", "00", &TimeFrame2x};
    Frame BeaconsFrame2{*this, "BeaconsFrame2", "Beacons", &Frame2};
    OptionButton Option3{*this, "Option3", "entry2", "Set 1", true, &BeaconsFrame2};
    OptionButton Option4{*this, "Option4", "entry2", "Set 2", false, &BeaconsFrame2};
    Label DtmfLabel2{*this, "DtmfLabel2", "DTMF", &Frame2};
    TextBox Text2{*this, "Text2", "", &Frame2};
    CommandButton Command4{*this, "Command4", "", &Frame2};

    Frame Frame3{*this, "Frame3", "Profile 3 --  15 seconds after allotted time to allow for beacons"};
    Label ProfileLabel3{*this, "ProfileLabel3", "Change to Profile", &Frame3};
    TextBox Profile3{*this, "Profile3", "", &Frame3};
    CheckBox Sun3{*this, "Sun3", "Sun", 0, &Frame3};
    CheckBox Mon3{*this, "Mon3", "Mon", 0, &Frame3};
    CheckBox Tue3{*this, "Tue3", "Tue", 0, &Frame3};
    CheckBox Wed3{*this, "Wed3", "Wed", 0, &Frame3};
    CheckBox Thur3{*this, "Thur3", "Thur", 0, &Frame3};
    CheckBox Fri3{*this, "Fri3", "Fri", 0, &Frame3};
    CheckBox Sat3{*this, "Sat3", "Sat", 0, &Frame3};
    Label AtLabel3{*this, "AtLabel3", "at", &Frame3};
    Frame TimeFrame3{*this, "TimeFrame3", "Hour : Mins", &Frame3};
    TextBox Hour3{*this, "Hour3", "24", &TimeFrame3};
    TextBox Mins3{*this, "Mins3", "00", &TimeFrame3};
    Frame TimeFrame3x{*this, "TimeFrame3x", "Hour : Mins", &Frame3};
    TextBox Hour3x{*this, "Hour3x", "24", &TimeFrame3x};
    TextBox Mins3x{*this, "Mins3x", "00", &TimeFrame3x};
    Frame BeaconsFrame3{*this, "BeaconsFrame3", "Beacons", &Frame3};
    OptionButton Option5{*this, "Option5", "entry3", "Set 1", true, &BeaconsFrame3};
    OptionButton Option6{*this, "Option6", "entry3", "Set 2", false, &BeaconsFrame3};
    Label DtmfLabel3{*this, "DtmfLabel3", "DTMF", &Frame3};
    TextBox Text3{*this, "Text3", "", &Frame3};
    CommandButton Command5{*this, "Command5", "", &Frame3};

    Frame Frame4{*this, "Frame4", "Profile 4 --  15 seconds after allotted time to allow for beacons"};
    Label ProfileLabel4{*this, "ProfileLabel4", "Change to Profile", &Frame4};
    TextBox Profile4{*this, "Profile4", "", &Frame4};
    CheckBox Sun4{*this, "Sun4", "Sun", 0, &Frame4};
    CheckBox Mon4{*this, "Mon4", "Mon", 0, &Frame4};
    CheckBox Tue4{*this, "Tue4", "Tue", 0, &Frame4};
    CheckBox Wed4{*this, "Wed4", "Wed", 0, &Frame4};
    CheckBox Thur4{*this, "Thur4", "Thur", 0, &Frame4};
    CheckBox Fri4{*this, "Fri4", "Fri", 0, &Frame4};
    CheckBox Sat4{*this, "Sat4", "Sat", 0, &Frame4};
    Label AtLabel4{*this, "AtLabel4", "at", &Frame4};
    Frame TimeFrame4{*this, "TimeFrame4", "Hour : Mins", &Frame4};
    TextBox Hour4{*this, "Hour4", "24", &TimeFrame4};
    TextBox Mins4{*this, "Mins4", "00", &TimeFrame4};
    Frame TimeFrame4x{*this, "TimeFrame4x", "Hour : Mins", &Frame4};
    TextBox Hour4x{*this, "Hour4x", "24", &TimeFrame4x};
    TextBox Mins4x{*this, "Mins4x", "00", &TimeFrame4x};
    Frame BeaconsFrame4{*this, "BeaconsFrame4", "Beacons", &Frame4};
    OptionButton Option7{*this, "Option7", "entry4", "Set 1", true, &BeaconsFrame4};
    OptionButton Option8{*this, "Option8", "entry4", "Set 2", false, &BeaconsFrame4};
    Label DtmfLabel4{*this, "DtmfLabel4", "DTMF", &Frame4};
    TextBox Text4{*this, "Text4", "", &Frame4};
    CommandButton Command6{*this, "Command6", "", &Frame4};

    Frame Frame5{*this, "Frame5", "Beacon Setup"};
    OptionButton Option10{*this, "Option10", "setup", "Set 1", true, &Frame5};
    OptionButton Option9{*this, "Option9", "setup", "Set 2", false, &Frame5};
    CommandButton SpeakInfo{*this, "SpeakInfo", "Beacon Setup", &Frame5};

    CommandButton Command1{*this, "Command1", "Hide"};
    CommandButton Command2{*this, "Command2", "Save"};

    SecondTimer Timer2{*this, "Timer2", [this](LocalMs s) { Timer2_Timer(s); }};

    // The controls of entry k (1 to 4).
    struct Entry {
        TextBox* profile;
        TextBox* code;
        TextBox* hour;
        TextBox* mins;
        TextBox* hourx;
        TextBox* minsx;
        std::array<CheckBox*, 7> days;   // Sunday to Saturday
        OptionButton* set1;
        OptionButton* set2;
        CommandButton* applyNow;
    };
    const Entry& entry(int k) const { return entries_.at(static_cast<size_t>(k - 1)); }

private:
    void declareLayout();   // profile_layout.cpp
    void ApplyProfile(int k);
    void applyProfileSkippingFailures(int k);
    void applyFromOperator(int k);
    void Timer2_Timer(LocalMs second);
    void EchoLink_DTMFString(const std::string& sDigits);
    void loadEntryTimesAndDays(const class SettingsFile& ini, int k);
    void saveEntryTimesAndDays(class SettingsFile& ini, int k) const;

    std::array<Entry, 4> entries_;
};
