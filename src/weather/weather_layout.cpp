// How the weather window looks: three tab pages, each one frame with its files, words, report box,
// DTMF codes and beacons in frames of their own; the changer pane at the right, shown on demand;
// Save and Hide under the tabs. The working boxes of the reports stay out of view.
#include "weather/weather_window.h"

void Form114::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Stored;

    l.row({SSTab1, ChangerPane});
    l.row({Command1, Command2});
    declareConditionsTab(l);
    declareForecastTab(l);
    declareWarningsTab(l);

    std::vector<std::vector<LayoutItem>> pane{
        {"Here you can change any abbreviated text in your Weather\nConditions / Warning text so it sounds correct "
         "at the time\nof transmission"},
        {"Words             Change To"}};
    for (size_t k = 0; k < TextRep.size(); ++k) {
        pane.push_back({*TextRep[k], *TextRepB[k]});
        l.widthInChars(*TextRep[k], 14);
        l.widthInChars(*TextRepB[k], 18);
    }
    l.rows(std::move(pane));

    Frame& parse = l.group("FrameParse", "Parse String");
    l.rowsIn(parse, {{editParse}, {"Delimiter", editDelimit}, {"Quotes", editQuote}, {lstParse}});
    l.row({Text6, Text4, Check4, Command13, parse});
    l.outsideView({&Text6, &Text4, &Check4, &Command13, &parse});
}

void Form114::declareConditionsTab(WindowLayout& l) {
    Frame& frame = l.group("FrameConditions", "Current Weather Conditions", &TabConditions);
    l.rowsIn(TabConditions, {{frame}});
    l.rowsIn(frame, {{labelFor("File Location", WhereIsFile), WhereIsFile, GetcsvFile},
                     {labelFor("Start of Current Conditions", StartMessage), StartMessage},
                     {labelFor("End of Current Conditions", EndMessage), EndMessage}});
    l.rowsIn(frame, {{Text1}});
    Frame& temp = l.group("FrameTemp", "Temp", &frame);
    Frame& wind = l.group("FrameWind", "Wind", &frame);
    Frame& barometer = l.group("FrameBarometer", "Barometer", &frame);
    l.rowsIn(frame, {{temp, wind, barometer}});
    l.rowsIn(temp, {{F, C, Cels}});
    l.rowsIn(wind, {{mph, km_hr}});
    l.rowsIn(barometer, {{inHg, mb, hPa}});
    Frame& dtmf = l.group("FrameCondDtmf", "DTMF for Cond / Temp", &frame);
    Frame& beacon = l.group("FrameCondBeacon", "Condition/Temp Beacon", &frame);
    l.rowsIn(frame, {{dtmf, beacon}});
    l.rowsIn(dtmf, {{Option4}, {Option5}, {Option6}});
    l.rowsIn(dtmf, {{labelFor("Conditions", DTMFCon), DTMFCon, labelFor("Temp", PlayTemp), PlayTemp}});
    l.rowsIn(beacon, {{StopClock1, Check6}, {BeaconPeriod1, BeaconSeconds1}});
    for (TextBox* period : {&BeaconPeriod1, &BeaconPeriod2, &BeaconPeriod3, &BeaconPeriod4}) l.widthInChars(*period, 4);
    for (TextBox* code : {&DTMFCon, &PlayTemp, &DTMFFor, &DTMFWarn, &DTMFSum, &DTMFLongWarn}) l.widthInChars(*code, 6);
    l.rowsIn(frame, {{Check3}});
    l.rowsIn(frame, {{cmdParse, Command3, Command15, Command17}});
}

void Form114::declareForecastTab(WindowLayout& l) {
    Frame& frame = l.group("FrameForecast", "Forcast", &TabForecast);
    l.rowsIn(TabForecast, {{frame}});
    l.rowsIn(frame, {{labelFor("File Location", WhereIsFile2), WhereIsFile2, Command5},
                     {labelFor("Start of Weather  Forecast", StartMessage2), StartMessage2},
                     {labelFor("End of Weather Forecast", EndMessage2), EndMessage2}});
    l.rowsIn(frame, {{Text3}});
    Frame& dtmf = l.group("FrameForecastDtmf", "DTMF for Forecast", &frame);
    Frame& beacon = l.group("FrameForecastBeacon", "Forecast  Beacon", &frame);
    l.rowsIn(frame, {{dtmf, beacon}});
    l.rowsIn(dtmf, {{DTMFFor}});
    l.rowsIn(beacon, {{StopClock2, BeaconPeriod2, BeaconSeconds2}});
    l.rowsIn(frame, {{Command4, Command7}});
}

void Form114::declareWarningsTab(WindowLayout& l) {
    Frame& frame = l.group("FrameWarnings", "Weather Warnings", &TabWarnings);
    l.rowsIn(TabWarnings, {{frame}});
    l.rowsIn(frame, {{labelFor("File Location", WhereIsFile3), WhereIsFile3, Command6},
                     {labelFor("Start of Weather Warning", StartMessage3), StartMessage3},
                     {labelFor("End of Weather Warning", EndMessage3), EndMessage3}});
    l.rowsIn(frame, {{Text5}});
    l.rowsIn(frame, {{labelFor("Text Info", Text9), Text9}});
    Frame& shortWarning = l.group("FrameWarnDtmf", "DTMF for Warnings", &frame);
    Frame& summary = l.group("FrameSumDtmf", "DTMF Warning Summery", &frame);
    Frame& longWarning = l.group("FrameLongDtmf", "DTMF for Long Warning", &frame);
    l.rowsIn(frame, {{shortWarning, summary, longWarning}});
    l.rowsIn(shortWarning, {{DTMFWarn}, {Command11}});
    l.rowsIn(summary, {{DTMFSum}, {Command12}});
    l.rowsIn(longWarning, {{DTMFLongWarn}, {Command8}});
    Frame& beacon = l.group("FrameWarnBeacon", "Warning  Beacon", &frame);
    Frame& live = l.group("FrameLiveWarning", "Live Warning  Announcement", &frame);
    l.rowsIn(frame, {{beacon, live}});
    l.rowsIn(beacon, {{StopClock3, BeaconPeriod3, BeaconSeconds3}});
    l.rowsIn(beacon, {{Check1}, {Option1}, {Option2}, {Option3}});
    l.rowsIn(live, {{StopClock4}});
    l.rowsIn(live, {{labelFor("Check every", BeaconPeriod4), BeaconPeriod4, "Minutes", BeaconSeconds4}});
    l.rowsIn(live, {{Check2}});
    l.rowsIn(frame, {{Command16, Command14}});
}
