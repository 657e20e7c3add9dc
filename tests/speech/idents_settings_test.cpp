#include <utility>
#include <vector>

#include "core/settings.h"
#include "player/player_window.h"
#include "platform/dialogs.h"
#include "speech/idents_window.h"
#include "speech_support.h"

namespace {
// Every key of identabc.ini with a value other than its default.
const std::vector<std::pair<std::string, std::string>> kEveryKey = {
    {"Option3", "False"}, {"Option4", "True"}, {"DTR", "True"}, {"RTS", "False"},
    {"FanOnMessage", "Fan is on"}, {"FanOffMessage", "Fan is off"}, {"FanCTRL2", "1"}, {"TEXT3", "#11"},
    {"TEXT4", "#10"}, {"TEXT5", "#13"}, {"TEXT6", "Always on now"}, {"TEXT7", "Always off now"},
    {"TEXT8", "#18"}, {"CHECK4", "1"}, {"CHECK5", "1"}, {"CHECK6", "0"}, {"CHECK7", "1"},
    {"TEXT2", "/srv/sounds/bell.wav"}, {"CONNECTBELLCHECK", "1"}, {"PLUSSECONDS", "07"},
    {"CONNECTSTATION1", "W1ABC-L"}, {"CONNECTSTATION2", "W2ABC-R"}, {"CONNECTSTATION3", "W3ABC"},
    {"CONNECTSTATION4", "*IRELAND*"}, {"STAYCON1", "1"}, {"STAYCON2", "1"}, {"STAYCON3", "1"}, {"STAYCON4", "1"},
    {"DTMF", "#99"}, {"USEDTMF", "1"}, {"BEACONPERIOD7", "20"}, {"BEACONPERIOD1", "45"}, {"USELONGCHECK", "1"},
    {"STOPCLOCK1", "1"}, {"STOPCLOCK7", "1"}, {"LONGID", "4"}, {"CWCALLSIGN", "N0CALL"},
    {"CWCALLSIGNLONG", "N0CALL JO01"}, {"VOLLEV", "55"}, {"VOICESPEED", "-2"}, {"SUN", "1"}, {"MON", "1"},
    {"TUE", "1"}, {"WED", "1"}, {"THUR", "1"}, {"FRI", "1"}, {"SAT", "1"}, {"HOUROFF1", "22"},
    {"MINSOFF1", "30"}, {"HOURON1B", "06"}, {"MINSON1B", "15"}, {"SUN2", "1"}, {"MON2", "1"}, {"TUE2", "1"},
    {"WED2", "1"}, {"THUR2", "1"}, {"FRI2", "1"}, {"SAT2", "1"}, {"HOUROFF2", "21"}, {"MINSOFF2", "31"},
    {"HOURON2B", "07"}, {"MINSON2B", "16"}, {"SUN3", "1"}, {"MON3", "1"}, {"TUE3", "1"}, {"WED3", "1"},
    {"THUR3", "1"}, {"FRI3", "1"}, {"SAT3", "1"}, {"HOUROFF3", "20"}, {"MINSOFF3", "32"}, {"HOURON3B", "08"},
    {"MINSON3B", "17"}, {"ANNOUNCEOFF", "#71"}, {"ANNOUNCEON", "#70"}, {"CHECK1", "1"}, {"CHECK2", "1"},
    {"OPTION1", "False"}, {"OPTION2", "True"}, {"SAYTEXT", "1"}, {"IDCHECK", "1"}, {"VOICEPERIOD", "12"},
    {"ONHOUR", "0"}, {"QUARTERHOUR", "0"}, {"HALFHOUR", "0"}, {"INFOHOURLY", "1"}, {"INFOQUATER", "1"},
    {"INFOHALF", "1"}, {"STOPCLOCK6", "1"}, {"BEACONPERIOD6", "25"}, {"CALLSIGN", "N0CALL link"},
    {"CONDISC", "0"}, {"ADDTIME", "1"}, {"FANPERIOD", "3"}, {"FANCTRL", "1"}, {"TTSPERIOD", "2"},
    {"TOGGLETEXT", "#55"}, {"TTSCTRL", "1"}, {"USEDTR", "False"}, {"USERTS", "True"}, {"DELAYPERIOD", "4"},
    {"DELAYCTRL", "1"}, {"CHECK3", "0"}, {"VOLSET", "-1200"}, {"TTSVOLSET", "66"},
    {"ConnectStationx", "W9XYZ"}, {"BeaconPeriodx", "8"}, {"StopClockx", "1"},
    {"ENABLEAUTOCONNECT", "*11*"}, {"DISABLEAUTOCONNECT", "*10*"}, {"LEFT", "1200"}, {"TOP", "900"}};

std::string iniText(const std::vector<std::pair<std::string, std::string>>& keys) {
    std::string text = "[SETTINGS]\n";
    for (const auto& [k, v] : keys) text += k + "=" + v + "\n";
    return text;
}
}  // namespace

TEST(IdentsSettings, EveryKeyRoundTrips) {
    ASSERT_EQ(kEveryKey.size(), 112u);
    Station s;
    s.writeSettings("identabc.ini", iniText(kEveryKey));
    Form3& f = s.app().form3();
    EXPECT_EQ(f.VolLev.value(), 55);
    EXPECT_EQ(f.V1.value(), -1200);
    EXPECT_TRUE(f.Option4.value());
    EXPECT_FALSE(f.Option1.value());
    EXPECT_EQ(f.BeaconSeconds6.caption(), "1500");

    std::remove(s.settingsFile("identabc.ini").c_str());
    f.SaveData();
    const SettingsFile saved(s.settingsFile("identabc.ini"));
    for (const auto& [key, value] : kEveryKey) EXPECT_EQ(saved.read(key, "<missing>"), value) << key;
    EXPECT_EQ(s.readSettings("identabc.ini").find("HOURON1b"), std::string::npos);
    int lines = 0;
    for (char c : s.readSettings("identabc.ini")) lines += c == '=';
    EXPECT_EQ(lines, 112);
}

TEST(IdentsSettings, AFirstStartTakesTheDefaults) {
    Station s;
    Form3& f = s.app().form3();
    EXPECT_TRUE(f.Option3.value());
    EXPECT_TRUE(f.RTS.value());
    EXPECT_TRUE(f.UseDTR.value());
    EXPECT_TRUE(f.Option1.value());
    EXPECT_EQ(f.OnHour.value() + f.QuarterHour.value() + f.HalfHour.value() + f.Check3.value(), 4);
    EXPECT_EQ(f.ConDisc.value(), 1);
    EXPECT_EQ(f.HourOFF2.text(), "24");
    EXPECT_EQ(f.MinsON3b.text(), "00");
    EXPECT_EQ(f.CWCallsign.text(), "Your Call");
    EXPECT_EQ(f.Callsign.text(), "");
    EXPECT_EQ(f.VolLev.value(), 90);
    EXPECT_EQ(f.TTSVolSet.text(), "50");
    EXPECT_EQ(f.Text2.text(), s.dataFile("RF.wav"));
    EXPECT_EQ(f.wavfile.text(), s.settingsFile("Text_To_Wav.wav"));
    EXPECT_EQ(f.BeaconSeconds7.caption(), "900");
    EXPECT_EQ(f.FanPeriod.text(), "1");   // a zero run-on never stays zero
    EXPECT_EQ(f.caption(), "MVSmall    N0CALL-L   v1.0.0       Idents");
}

TEST(IdentsSettings, OddValuesKeepTheDesignAndAreLogged) {
    Station s;
    s.writeSettings("identabc.ini",
                    "[SETTINGS]\nCHECK1=yes\nVOLLEV=loud\nCALLSIGN=\nOPTION1=True\nOPTION2=True\nVOLSET=x\n");
    Form3& f = s.app().form3();
    EXPECT_EQ(f.Check1.value(), 0);
    EXPECT_EQ(f.Callsign.text(), "");      // present but empty: not the default
    EXPECT_TRUE(f.Option2.value());        // of two "True" the one read second wins
    EXPECT_FALSE(f.Option1.value());
    EXPECT_EQ(f.V1.value(), 0);
    EXPECT_GE(s.transcript().count("LOG "), 3);
}

TEST(IdentsWindow, QuitPromptNoKeepsRunningAndYesEndsWithoutSaving) {
    Station s;
    Form3& f = s.app().form3();
    s.node().setCarrier(false);
    s.dialogs->answer(MsgAnswer::No);
    s.app().act([&] { f.closeRequest(); });
    ASSERT_EQ(s.dialogs->shown.size(), 1u);
    EXPECT_EQ(s.dialogs->shown[0].title, "Exit Program");
    EXPECT_EQ(s.dialogs->shown[0].text, "Quit MaroTTS - Are You Sure ? Remember To Save Any Changes  ");
    EXPECT_FALSE(s.app().ended());

    s.app().act([&] { s.app().form3().EchoLink().RTSLine(true); });
    s.dialogs->answer(MsgAnswer::Yes);
    s.app().act([&] { f.closeRequest(); });
    EXPECT_TRUE(s.app().ended());
    EXPECT_FALSE(s.node().rts());
    EXPECT_TRUE(s.transcript().contains("EXIT"));
    EXPECT_EQ(s.readSettings("identabc.ini"), "");
}

TEST(IdentsWindow, EchoLinkClosingReleasesAndEnds) {
    Station s;
    s.app().form3();
    s.node().close();
    s.advance(1);
    EXPECT_TRUE(s.app().ended());
    EXPECT_FALSE(s.node().keyed());
}

TEST(IdentsWindow, VolumeSliderDrivesThePlayerAndTheSpeechFileVolume) {
    Station s;
    Form3& f = s.app().form3();
    f.V1.setValue(-900);
    EXPECT_EQ(f.VolSet.text(), "-900");
    EXPECT_EQ(f.Label29.caption(), "-900");
    EXPECT_EQ(s.app().form1().V1.value(), -900);
    f.VolLev.setValue(70);
    EXPECT_EQ(f.TTSVolSet.text(), "70");
}
