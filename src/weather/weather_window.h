#pragma once
// Form114: the weather window. Holds every setting of the weather reports, the boxes the report
// builders write the spoken texts into, the weather DTMF codes, the four weather beacons and the
// abbreviation changer.
#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/form.h"
#include "core/held_turn.h"
#include "core/settings_binding.h"

class Form114 : public Form {
public:
    explicit Form114(FormHost& host);
    void load() override;
    void SaveData() override;

    TabStrip SSTab1{*this, "SSTab1"};
    TabPage TabConditions{SSTab1, "TabConditions", "Weather Conditions"};
    TabPage TabForecast{SSTab1, "TabForecast", "Weather Forecast"};
    TabPage TabWarnings{SSTab1, "TabWarnings", "Weather Warnings"};

    // ---- Weather Conditions
    TextBox WhereIsFile{*this, "WhereIsFile", "", &TabConditions};
    CommandButton GetcsvFile{*this, "GetcsvFile", "File", &TabConditions};
    TextBox StartMessage{*this, "StartMessage", "", &TabConditions};
    TextBox EndMessage{*this, "EndMessage", "", &TabConditions};
    TextBox Text1{*this, "Text1",
                  "The current conditions are read from the file data.csv that The Weather Exchange writes.",
                  &TabConditions};
    OptionButton F{*this, "F", "Temp", "Farn", true, &TabConditions};
    OptionButton C{*this, "C", "Temp", "Cent", false, &TabConditions};
    OptionButton Cels{*this, "Cels", "Temp", "Cels", false, &TabConditions};
    OptionButton mph{*this, "mph", "Wind", "mph", true, &TabConditions};
    OptionButton km_hr{*this, "km_hr", "Wind", "km/hr", false, &TabConditions};
    OptionButton inHg{*this, "inHg", "Barometer", "inHg", true, &TabConditions};
    OptionButton mb{*this, "mb", "Barometer", "mb", false, &TabConditions};
    OptionButton hPa{*this, "hPa", "Barometer", "hPa", false, &TabConditions};
    OptionButton Option4{*this, "Option4", "TimeAdded", "Add WX Data Time", false, &TabConditions};
    OptionButton Option5{*this, "Option5", "TimeAdded", "Add Local Time at TX", false, &TabConditions};
    OptionButton Option6{*this, "Option6", "TimeAdded", "No Time Added", true, &TabConditions};
    TextBox DTMFCon{*this, "DTMFCon", "", &TabConditions};
    TextBox PlayTemp{*this, "PlayTemp", "", &TabConditions};
    CheckBox StopClock1{*this, "StopClock1", "Cond", 0, &TabConditions};
    CheckBox Check6{*this, "Check6", "Temp", 0, &TabConditions};
    TextBox BeaconPeriod1{*this, "BeaconPeriod1", "15", &TabConditions};
    Label BeaconSeconds1{*this, "BeaconSeconds1", "15", &TabConditions};
    CheckBox Check3{*this, "Check3", "No TX When Station Connected to You", 0, &TabConditions};
    CommandButton cmdParse{*this, "cmdParse", "TX   Weather Conditions  Now", &TabConditions};
    CommandButton Command3{*this, "Command3", "TX Temp Now", &TabConditions};
    CommandButton Command15{*this, "Command15", "Stop Message", &TabConditions};
    CommandButton Command17{*this, "Command17", "Text Changer", &TabConditions};

    // ---- Weather Forecast
    TextBox WhereIsFile2{*this, "WhereIsFile2", "", &TabForecast};
    CommandButton Command5{*this, "Command5", "File", &TabForecast};
    TextBox StartMessage2{*this, "StartMessage2", "", &TabForecast};
    TextBox EndMessage2{*this, "EndMessage2", "", &TabForecast};
    TextBox Text3{*this, "Text3", "The forecast is read from the file metar.txt that The Weather Exchange writes.",
                  &TabForecast};
    TextBox DTMFFor{*this, "DTMFFor", "", &TabForecast};
    CheckBox StopClock2{*this, "StopClock2", "Use", 0, &TabForecast};
    TextBox BeaconPeriod2{*this, "BeaconPeriod2", "15", &TabForecast};
    Label BeaconSeconds2{*this, "BeaconSeconds2", "15", &TabForecast};
    CommandButton Command4{*this, "Command4", "TX Weather Forecast Now", &TabForecast};
    CommandButton Command7{*this, "Command7", "Stop Message", &TabForecast};

    // ---- Weather Warnings
    TextBox WhereIsFile3{*this, "WhereIsFile3", "", &TabWarnings};
    CommandButton Command6{*this, "Command6", "File", &TabWarnings};
    TextBox StartMessage3{*this, "StartMessage3", "", &TabWarnings};
    TextBox EndMessage3{*this, "EndMessage3", "", &TabWarnings};
    TextBox Text5{*this, "Text5", "Warnings are read from the file warning.txt that The Weather Exchange writes.",
                  &TabWarnings};
    TextBox Text9{*this, "Text9", "", &TabWarnings};
    TextBox DTMFWarn{*this, "DTMFWarn", "", &TabWarnings};
    CommandButton Command11{*this, "Command11", "TX Short", &TabWarnings};
    TextBox DTMFSum{*this, "DTMFSum", "", &TabWarnings};
    CommandButton Command12{*this, "Command12", "TX Summery", &TabWarnings};
    TextBox DTMFLongWarn{*this, "DTMFLongWarn", "", &TabWarnings};
    CommandButton Command8{*this, "Command8", "TX Long Warning Now", &TabWarnings};
    CheckBox StopClock3{*this, "StopClock3", "Use Beacon", 0, &TabWarnings};
    TextBox BeaconPeriod3{*this, "BeaconPeriod3", "15", &TabWarnings};
    Label BeaconSeconds3{*this, "BeaconSeconds3", "15", &TabWarnings};
    CheckBox Check1{*this, "Check1", "Stay Silent If No Warning", 0, &TabWarnings};
    OptionButton Option1{*this, "Option1", "WarningText", "Full", true, &TabWarnings};
    OptionButton Option2{*this, "Option2", "WarningText", "Summery", false, &TabWarnings};
    OptionButton Option3{*this, "Option3", "WarningText", "Text Info", false, &TabWarnings};
    CheckBox StopClock4{*this, "StopClock4", "Use", 0, &TabWarnings};
    TextBox BeaconPeriod4{*this, "BeaconPeriod4", ".1", &TabWarnings};
    Label BeaconSeconds4{*this, "BeaconSeconds4", "10", &TabWarnings};
    CheckBox Check2{*this, "Check2", "Auto Start Warning Beacon", 0, &TabWarnings};
    CommandButton Command16{*this, "Command16", "Stop Message", &TabWarnings};
    CommandButton Command14{*this, "Command14", "Text Changer", &TabWarnings};

    // ---- Changer pane: TextRep[k] becomes TextRepB[k], k = 0..9 for the pairs 1 to 10.
    Frame ChangerPane{*this, "ChangerPane", "Weather Condition / Warning Text Changer"};
    std::vector<std::unique_ptr<TextBox>> TextRep, TextRepB;

    CommandButton Command1{*this, "Command1", "Save"};
    CommandButton Command2{*this, "Command2", "Hide"};

    // ---- Working controls outside the visible area
    TextBox Text6{*this, "Text6"};
    TextBox Text4{*this, "Text4", "The last warning announced by the live-warning watcher."};
    CheckBox Check4{*this, "Check4", "Check4"};
    CommandButton Command13{*this, "Command13", "Show Form 122"};
    TextBox editParse{*this, "editParse"};
    TextBox editDelimit{*this, "editDelimit", ","};
    TextBox editQuote{*this, "editQuote", "\""};
    ListBox lstParse{*this, "lstParse"};

    // Public values of the conditions report.
    std::string ConditionsNow, CondNum, AMPM;

    // ---- The conditions report
    void GetWeather();
    void CurrentConditions();
    void GetBearing();
    // Builds Text1 and Text6 from the newest record. A record that cannot be read clears both,
    // logs why, and raises WeatherReportError to the caller.
    void TXWeather();
    void Convtxt();

    // The warning file is missing (the weather program removes it while no warning is in force):
    // logged once until it is found again; the operator at a button is told as well.
    void warningFileMissing(const std::string& path);
    void warningFileFound();

    // ---- The weather commands
    void EchoLink_DTMFString(const std::string& sDigits);

    // The clock of the time words and the four beacon clocks.
    Timer Timer1{*this, "Timer1", 1000, [this] { Timer1_Timer(); }};
    Timer Beacon1{*this, "Beacon1", 1000, [this] { Beacon1_Timer(); }};
    Timer Beacon2{*this, "Beacon2", 1000, [this] { Beacon2_Timer(); }};
    Timer Beacon3{*this, "Beacon3", 1000, [this] { Beacon3_Timer(); }};
    Timer Beacon4{*this, "Beacon4", 1000, [this] { Beacon4_Timer(); }};

private:
    // The three file boxes as stored and as shown, so SaveData keeps the stored form.
    std::array<StoredPath, 3> storedFiles_;

    // Window management
    void stopMessage();
    void declareLayout();
    void declareConditionsTab(WindowLayout& l);
    void declareForecastTab(WindowLayout& l);
    void declareWarningsTab(WindowLayout& l);
    void toggleChanger(CommandButton& button);
    void pickFile(TextBox& box, const char* filter, const char* noFileText, TextBox* alsoInto);
    void wireHandlers();

    // Conditions report internals
    void Timer1_Timer();
    void buildConditions();
    void clearConditions();
    std::string WXHour, WXMinute, WindSpeed, WindDir, Humidity, Temperature, Pressure, DewPoint;
    std::string TempUnit, WindUnit, PressUnit, BearingText, ClockHour, ClockMin;
    std::string convertedText1_, convertedText5_;
    bool conditionsFileRead_ = false;
    std::string recordProblem_;   // why the conditions file's last line could not be taken
    std::string warningMissingLogged_;

    // Weather commands
    enum class Report { Conditions, Temperature, Forecast, ShortWarning, LongWarning, Summary };
    bool buildReport(Report report, bool fromDtmf);
    const TextBox& reportBox(Report report) const;
    void serveDtmf(Report report);
    void reportButton(Report report);
    // True when the text was handed to the player: not empty, not dropped by the speak-now entry.
    bool speakNow(const std::string& text);
    bool longWarningUsedFull_ = false;
    // The watcher's last change, as spoken, while it has not gone on the air yet.
    std::string unspokenWarning_;
    void speakUnspokenWarning();

    // Weather beacons
    void Beacon1_Timer();
    void Beacon2_Timer();
    void Beacon3_Timer();
    void Beacon4_Timer();
    bool countDown(Label& seconds, const TextBox& period, bool running);
    bool stationConnectedAndQuiet();
    // A beacon due during the station's own transmission goes out after it.
    HeldTurn conditionsTurn_, forecastTurn_, warningTurn_;
    void periodChanged(TextBox& period, Label& seconds, Timer& beacon, bool dotMeansOff);
    void warningBeaconTurn();
};

// A conditions report that cannot be built from the file.
class WeatherReportError : public std::runtime_error {
public:
    explicit WeatherReportError(const std::string& what) : std::runtime_error(what) {}
};
