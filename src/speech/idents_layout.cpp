// How the idents window looks: five tab pages ("Idents", "Settings", "Con History",
// " Silence Announce", "DTR / RTS"), each with its groups, the captions beside the boxes and its
// own save and hide buttons; the window keeps the place its settings file stores.
#include "speech/idents_window.h"

#include <array>

namespace {
void tip(Control& c, const char* text) { c.setToolTip(text); }
}  // namespace

void Form3::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Stored;

    TabStrip& tabs = l.tabStrip("SSTab1");
    TabPage& idents = l.tabPage(tabs, "TabIdents", "Idents");
    TabPage& settings = l.tabPage(tabs, "TabSettings", "Settings");
    TabPage& history = l.tabPage(tabs, "TabConHistory", "Con History");
    TabPage& silence = l.tabPage(tabs, "TabSilence", " Silence Announce");
    TabPage& lines = l.tabPage(tabs, "TabLines", "DTR / RTS");
    l.row({tabs});

    // ---- Idents
    Frame& voice = l.group("FrameVoiceIdent", "Voice Ident Callsign", &idents);
    Frame& cw = l.group("FrameCWIdent", "CW ID Callsign", &idents);
    Frame& sayTime = l.group("FrameSayTheTime", "Say The Time", &idents);
    Frame& announce = l.group("FrameAnnounce", "Announce", &idents);
    Frame& info = l.group("FrameBeaconPlus", "Beacon +          Sec", &idents);
    Frame& beacon = l.group("FrameBeacon", "Beacon", &idents);
    l.rowsIn(idents, {{ShowTime, PTT2, PTT}});
    l.rowsIn(idents, {{tall(voice, 2), cw}, {sayTime}, {tall(info, 2), announce}, {beacon}});
    l.rowsIn(idents, {{Command6, Command4}});
    l.rowsIn(voice, {{Callsign, SayCall},
                     {labelFor("ID Every", BeaconPeriod6), BeaconPeriod6, StopClock6, BeaconSeconds6},
                     {labelFor("Turn ID Off After", VoicePeriod), VoicePeriod, IDCheck, IDSeconds}});
    l.rowsIn(cw, {{CWCallsign, SendCW},
                  {labelFor(" CW Callsign Long ID", CWCallsignLong), CWCallsignLong},
                  {labelFor("Send Long ID every              Idents", LongID), LongID, UseLongCheck},
                  {labelFor("ID Every               Minutes", BeaconPeriod7), BeaconPeriod7, StopClock7, BeaconSeconds7}});
    l.rowsIn(sayTime, {{OnHour, QuarterHour, HalfHour}, {Option1, Option2, TheTime}});
    l.rowsIn(announce, {{ConDisc, AddTime, Check3}});
    l.rowsIn(info, {{InfoHourly, InfoQuarter, InfoHalf},
                    {labelFor("Plus           Seconds", PlusSeconds), PlusSeconds, Label20, Label21},
                    {Option3, Option4, SpeakInfo}});
    l.rowsIn(beacon, {{StopClock1, BeaconPeriod1, BeaconSeconds1}});
    for (TextBox* t : {&BeaconPeriod6, &VoicePeriod, &LongID, &BeaconPeriod7, &PlusSeconds, &BeaconPeriod1})
        l.widthInChars(*t, 4);

    // ---- Settings: the voice, speech files, stay-connected stations, the bell and DTMF codes
    Frame& speed = l.group("FrameVoiceSpeed", "Text to Speech Voice Speed", &settings);
    Frame& level = l.group("FrameVolume", "Text to Speech Volume Levels", &settings);
    Frame& wavLevel = l.group("FrameWavVolume", "Text to Wav Volume Levels", &settings);
    Frame& delay = l.group("FrameDelay", "Delay Before TTS. ", &settings);
    Frame& test = l.group("FrameTestAudio", "Test Audio Settings", &settings);
    Frame& text = l.group("FrameEnterText", "Enter your text here", &settings);
    Frame& wav = l.group("FrameWavLocation", "Text to Wav Location", &settings);
    Frame& stay = l.group("FrameAutoConnects", "Auto Connects", &settings);
    Frame& timed = l.group("FrameAutoConnectMinutes", "Auto Connect Adjustable Minutes", &settings);
    Frame& bell = l.group("FrameConnectBell", "Station Connect Bell", &settings);
    Frame& codes = l.group("FrameDTMFCodes", "DTMF Codes", &settings);
    Frame& toggles = l.group("FrameStayConToggle", "DTMF Auto Connect Toggle 1 && 2", &settings);
    l.rowsIn(settings, {{speed, stay}, {level, timed}, {wavLevel, bell}, {delay, codes}, {test, toggles}, {text, wav}});
    l.rowsIn(settings, {{SaveDataNow, Exit}});
    l.rowsIn(speed, {{labelFor("Slow", VoiceSpeed), VoiceSpeed, labelFor("Fast", VoiceSpeed), Label6}});
    l.rowsIn(level, {{VolLev, Label13, TTSVolSet}});
    l.rowsIn(wavLevel, {{V1, Label29, VolSet}});
    l.rowsIn(delay, {{TTSCTRL, labelFor("Delay Increments 0 to 9", TTSPeriod), TTSPeriod}});
    l.rowsIn(test, {{Text1}, {Command2, Command1}});
    l.rowsIn(text, {{TextField}});
    l.rowsIn(wav, {{wavfile, Command17}});
    l.rowsIn(stay, {{labelFor("Call", ConnectStation1), ConnectStation1, StayCon1, Connect1},
                    {labelFor("Call", ConnectStation2), ConnectStation2, StayCon2, Command3},
                    {labelFor("Call", ConnectStation3), ConnectStation3, StayCon3, Command9},
                    {labelFor("Call", ConnectStation4), ConnectStation4, StayCon4, Command8}});
    l.rowsIn(timed, {{labelFor("Call", ConnectStationx), ConnectStationx, labelFor("Minutes", BeaconPeriodx),
                      BeaconPeriodx, StopClockx, BeaconSecondsx, Command15}});
    l.rowsIn(bell, {{ConnectBellCheck}, {Text2, Command12, Command13}});
    l.rowsIn(codes, {{labelFor("Say the Time", DTMF), DTMF, UseDTMF},
                     {labelFor("Toggle Text Messages", ToggleText), ToggleText, SayText},
                     {labelFor("Toggle Timed Connect", Text8), Text8}});
    l.rowsIn(toggles, {{labelFor("Toggle Stay Con 1", EnableAutoConnect), EnableAutoConnect},
                       {labelFor("Toggle Stay Con 2", DisableAutoConnect), DisableAutoConnect}});
    for (TextBox* t : {&TTSVolSet, &VolSet, &TTSPeriod, &BeaconPeriodx}) l.widthInChars(*t, 5);
    for (TextBox* t : {&ConnectStation1, &ConnectStation2, &ConnectStation3, &ConnectStation4, &ConnectStationx})
        l.widthInChars(*t, 10);
    for (TextBox* t : {&DTMF, &ToggleText, &Text8, &EnableAutoConnect, &DisableAutoConnect}) l.widthInChars(*t, 6);

    // ---- Con History
    Frame& calls = l.group("FrameCallHistory", "Call Connect History          ( Time - Call - Name - IP Address  )", &history);
    l.rowsIn(history, {{calls}, {Command5, Command7}});
    l.rowsIn(calls, {{CallHistory}});

    // ---- Silence Announce: three weekly schedules, the announcement switches, the DTMF codes
    struct Schedule {
        std::array<CheckBox*, 7> days;
        TextBox *hourOff, *minsOff, *hourOn, *minsOn;
    };
    const Schedule schedules[] = {
        {{&Sun, &Mon, &Tue, &Wed, &Thur, &Fri, &Sat}, &HourOFF1, &MinsOFF1, &HourON1b, &MinsON1b},
        {{&Sun2, &Mon2, &Tue2, &Wed2, &Thur2, &Fri2, &Sat2}, &HourOFF2, &MinsOFF2, &HourON2b, &MinsON2b},
        {{&Sun3, &Mon3, &Tue3, &Wed3, &Thur3, &Fri3, &Sat3}, &HourOFF3, &MinsOFF3, &HourON3b, &MinsON3b},
    };
    std::vector<std::vector<LayoutItem>> silenceRows;
    for (int k = 1; k <= 3; ++k) {
        const Schedule& s = schedules[k - 1];
        const std::string n = std::to_string(k);
        Frame& f = l.group("FrameSilence" + n, "Announcement Silence Scheduler " + n + "       ( 15 Seconds Delay )", &silence);
        Frame& off = l.group("FrameAnnounceOff" + n, "Announce OFF ", &f);
        Frame& on = l.group("FrameAnnounceOn" + n, "Announce ON", &f);
        std::vector<LayoutItem> days;
        for (CheckBox* d : s.days) days.emplace_back(*d);
        days.emplace_back(off);
        days.emplace_back(on);
        l.rowsIn(f, {days});
        l.rowsIn(off, {{*s.hourOff, ":", *s.minsOff}});
        l.rowsIn(on, {{*s.hourOn, ":", *s.minsOn}});
        for (TextBox* t : {s.hourOff, s.minsOff, s.hourOn, s.minsOn}) l.widthInChars(*t, 2);
        silenceRows.push_back({f});
    }
    Frame& switches = l.group("FrameAnnouncements", "Announcements ", &silence);
    Frame& silenceCodes = l.group("FrameDTMFAnnouncements", "DTMF Announcements / Enable", &silence);
    silenceRows.push_back({switches, silenceCodes});
    l.rowsIn(silence, std::move(silenceRows));
    l.rowsIn(silence, {{ShowTime2, Command11, Command10}});
    l.rowsIn(switches, {{Check1}, {Check2}, {Check7}, {Check6}});
    l.rowsIn(silenceCodes, {{labelFor("Silence On", AnnounceOff), AnnounceOff},
                            {labelFor("Silence Off", AnnounceOn), AnnounceOn}});
    for (TextBox* t : {&AnnounceOff, &AnnounceOn}) l.widthInChars(*t, 6);

    // ---- DTR / RTS: the PTT line, duplex keying, the fan and the alternate control
    Frame& ptt = l.group("FramePTTSelect", "PTT Select", &lines);
    Frame& duplex = l.group("FrameDuplex", "Duplex Repeater", &lines);
    Frame& fan = l.group("FrameFan", "DTR / RTS Control   ( Fan )", &lines);
    Frame& alternate = l.group("FrameAlternate", "Alternate DTR / RTS Control   -------------  Audio Message", &lines);
    l.rowsIn(lines, {{ptt, duplex}, {fan}, {alternate}});
    l.rowsIn(lines, {{Command14, Command16}});
    l.rowsIn(ptt, {{"Set the PTT Control (RTS or RTS)"}, {RTS, DTR}, {Label44}});
    l.rowsIn(duplex, {{Check5}, {Label43}});
    l.rowsIn(fan, {{FanCTRL, UseDTR, UseRTS, FanOnOff},
                   {labelFor("Run On", FanPeriod), FanPeriod, FanSeconds, "Min"},
                   {DelayCTRL, DelayPeriod, DelaySeconds, "Seconds Start Delay"}});
    l.rowsIn(alternate, {{FanCTRL2, Check4, UseFanMessage},
                         {labelFor("DTMF On", Text3), Text3, labelFor("On Message", FanOnMessage), FanOnMessage},
                         {labelFor("DTMF Off", Text4), Text4, labelFor("Off Message", FanOffMessage), FanOffMessage},
                         {labelFor("DTMF Permanent", Text5), Text5, labelFor("On", Text6), Text6},
                         {"", "", labelFor("Off", Text7), Text7}});
    for (TextBox* t : {&FanPeriod, &DelayPeriod}) l.widthInChars(*t, 4);
    for (TextBox* t : {&Text3, &Text4, &Text5}) l.widthInChars(*t, 6);

    // ---- tooltips
    tip(Callsign, "Enter you Call");
    tip(BeaconPeriod6, "TTS Ident Your Call Every xx Minutes");
    tip(StopClock6, "Use TTS Ident");
    tip(SayCall, "Say the Voice Ident Callsign with PTT");
    tip(IDCheck, "Use if in VK");
    tip(VoicePeriod, "If Node Idle for xx Minutes dont sent Ident. ( Used in VK)");
    tip(BeaconPeriod7, "CW Ident Ever xx Minutes");
    tip(SendCW, "Send the CW Ident Callsign with PTT");
    for (Control* c : {static_cast<Control*>(&OnHour), static_cast<Control*>(&QuarterHour),
                       static_cast<Control*>(&HalfHour)})
        tip(*c, "Say the Time");
    tip(TheTime, "Say the itme with PTT");
    tip(SpeakInfo, "Speak the above text with PTT");
    tip(Option3, "Select Beacon Set 1");
    tip(Option4, "Select Beacon Set 2");
    tip(Command1, "Test Your Settings");
    tip(RTS, "Use RTS to operate the transmitter PTT");
    tip(DTR, "Use DTR to operate the transmitter PTT");
    tip(FanCTRL, "Use DTR / RTS Control");
    tip(UseDTR, "Use DTR Control");
    tip(UseRTS, "Use RTS Control");
    tip(FanPeriod, "xx Minutes fan will fun after TX");
    tip(DelayCTRL, "Add Delay to start of DTR / RTS use.");
    tip(FanCTRL2, "Use alternate Control. Normally switched on via DTMF ");
    tip(Check4, "DTR / RTS Permanently On if ticked. Controlled by DTMF");
    tip(UseFanMessage, "Select if you wish the text message sent at the Start / End  ");
}
