#include <gtest/gtest.h>

#include "core/settings.h"
#include "player_test_support.h"
#include "shell/error_log_window.h"

namespace {
Form1& reopenPlayer(Station& s) {
    s.app().form1().unload();
    return s.app().form1();
}
}  // namespace

TEST(PlayerSettings, WithoutAFileTheWindowStartsAtItsDefaults) {
    Station s;
    Form1& p = s.app().form1();
    EXPECT_EQ(p.caption(), "MVSmall    N0CALL-L   v1.0.0   Player Utils");
    EXPECT_TRUE(p.Option2.value());
    EXPECT_EQ(p.SpeechWavFormat(), (AudioFormat{16000, 16, 1}));
    EXPECT_EQ(p.Check1.value(), 1);
    EXPECT_EQ(p.Text4.text(), "-1500");
    EXPECT_EQ(p.VolSet.text(), "-1540");
    EXPECT_EQ(p.V1.value(), -1540);
    EXPECT_EQ(p.TempVolSet.text(), "-1540");
    EXPECT_EQ(p.SpeedSet.text(), "100");
    EXPECT_EQ(p.V2.value(), 100);
    EXPECT_EQ(p.txtFile.text(), "100");
    EXPECT_EQ(p.BeaconPeriod8.text(), "5");
    EXPECT_EQ(p.Text6.text(), "100");
    EXPECT_EQ(p.StopClock8.value(), 0);
    EXPECT_EQ(p.AddDelay.value(), 1);
    EXPECT_EQ(p.PTT.caption(), "PTT OFF");
    EXPECT_EQ(p.Label1.caption(), "0");
    EXPECT_FALSE(p.Beacon8.enabled());
    EXPECT_FALSE(p.Timer5.enabled());
    EXPECT_FALSE(p.Timer4.enabled());
    EXPECT_FALSE(s.app().exists("Form120"));   // nothing to complain about
}

TEST(PlayerSettings, EveryKeyRoundTrips) {
    Station s;
    Form1& p = s.app().form1();
    p.Option9.setValue(true);
    p.Check1.setValue(0);
    p.Text4.setText("-2100");
    p.V1.setValue(-1200);
    p.V2.setValue(150);
    p.txtFile.setText(" /music/with blanks.mp3 ");
    p.BeaconPeriod8.setText("7");
    p.Text6.setText("250");
    p.StopClock8.setValue(1);
    s.click("Form1.Command11");

    const SettingsFile ini(s.settingsFile("MP3_PlayerABC.ini"));
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(ini.read("OPTION" + std::to_string(i), "?"), i == 9 ? "True" : "False");
    EXPECT_EQ(ini.read("CHECK1", "?"), "0");
    EXPECT_EQ(ini.read("TEXT4", "?"), "-2100");
    EXPECT_EQ(ini.read("VOLSET", "?"), "-1200");
    EXPECT_EQ(ini.read("SPEEDSET", "?"), "150");
    EXPECT_EQ(ini.read("TXTFILE", "?"), " /music/with blanks.mp3 ");
    EXPECT_EQ(ini.read("BEACONPERIOD8", "?"), "7");
    EXPECT_EQ(ini.read("TEXT6", "?"), "250");
    EXPECT_EQ(ini.read("STOPCLOCK8", "?"), "1");

    Form1& again = reopenPlayer(s);
    EXPECT_TRUE(again.Option9.value());
    EXPECT_FALSE(again.Option2.value());
    EXPECT_EQ(again.SpeechWavFormat(), (AudioFormat{11025, 16, 2}));
    EXPECT_EQ(again.Check1.value(), 0);
    EXPECT_EQ(again.Text4.text(), "-2100");
    EXPECT_EQ(again.VolSet.text(), "-1200");
    EXPECT_EQ(again.V1.value(), -1200);
    EXPECT_EQ(again.SpeedSet.text(), "150");
    EXPECT_EQ(again.V2.value(), 150);
    EXPECT_EQ(again.txtFile.text(), " /music/with blanks.mp3 ");
    EXPECT_EQ(again.BeaconPeriod8.text(), "7");
    EXPECT_EQ(again.Text6.text(), "250");
    EXPECT_EQ(again.StopClock8.value(), 1);
}

TEST(PlayerSettings, EachFormatOptionGivesItsSampleFormat) {
    Station s;
    Form1& p = s.app().form1();
    const std::pair<OptionButton*, AudioFormat> table[] = {
        {&p.Option1, {8000, 8, 1}},   {&p.Option2, {16000, 16, 1}}, {&p.Option3, {22050, 16, 1}},
        {&p.Option4, {32000, 16, 1}}, {&p.Option5, {48000, 8, 1}},  {&p.Option6, {48000, 16, 1}},
        {&p.Option7, {16000, 16, 2}}, {&p.Option8, {11025, 16, 1}}, {&p.Option9, {11025, 16, 2}},
    };
    for (const auto& [option, format] : table) {
        SCOPED_TRACE(option->caption());
        option->setValue(true);
        EXPECT_EQ(p.SpeechWavFormat(), format);
    }
}

TEST(PlayerSettings, AllOptionsFalseLeavesNoneChosenAndTheDefaultFormat) {
    Station s;
    std::string content = "[SETTINGS]\n";
    for (int i = 1; i <= 9; ++i) content += "OPTION" + std::to_string(i) + "=False\n";
    s.writeSettings("MP3_PlayerABC.ini", content);
    Form1& p = s.app().form1();
    for (OptionButton* o : {&p.Option1, &p.Option2, &p.Option9}) EXPECT_FALSE(o->value());
    EXPECT_EQ(p.SpeechWavFormat(), AudioFormat{});
}

TEST(PlayerSettings, BadStoredValuesKeepTheDesignedValueAndAreLogged) {
    Station s;
    s.writeSettings("MP3_PlayerABC.ini",
                    "[SETTINGS]\nVOLSET=loud\nSPEEDSET=500\nCHECK1=yes\nOPTION3=maybe\nTXTFILE=C:\\Program Files\\Marovane\\News1.mp3\n");
    Form1& p = s.app().form1();
    EXPECT_EQ(p.V1.value(), 0);
    EXPECT_EQ(p.V2.value(), 100);
    EXPECT_EQ(p.Check1.value(), 1);
    EXPECT_TRUE(p.Option2.value());
    EXPECT_EQ(p.txtFile.text(), s.app().dataPath("News1.mp3"));
    const std::string log = s.app().form120().Text1.text();
    for (const char* key : {"VOLSET", "SPEEDSET", "CHECK1", "OPTION3"}) EXPECT_NE(log.find(key), std::string::npos) << key;
}

TEST(PlayerSettings, ClosingTheFrameSavesThisWindowAndEndsTheProgram) {
    Station s;
    Form1& p = s.app().form1();
    p.Text4.setText("-999");
    s.app().act([&] { p.closeRequest(); });
    EXPECT_TRUE(s.app().ended());
    EXPECT_EQ(SettingsFile(s.settingsFile("MP3_PlayerABC.ini")).read("TEXT4", "?"), "-999");
}

TEST(PlayerSettings, SliderChangesUpdateTheBoxesWithOrWithoutAFile) {
    Station s;
    Form1& p = s.app().form1();
    s.set("Form1.V1", "-600");
    EXPECT_EQ(p.VolSet.text(), "-600");
    EXPECT_EQ(p.TempVolSet.text(), "-600");

    const std::string file = audioFile(s, "long.wav", 100);
    transmit(s, file);
    s.set("Form1.V2", "200");
    EXPECT_EQ(p.SpeedSet.text(), "200");
    s.advance(10);
    EXPECT_NEAR(p.graph().position(), 20, 0.1);   // twice the speed
    s.set("Form1.H1", "50");                      // the operator drags the thumb
    EXPECT_NEAR(p.graph().position(), 50, 0.1);
    transmit(s, file);                            // a new player plays at normal speed
    s.advance(5);
    EXPECT_NEAR(p.graph().position(), 5, 0.1);
    EXPECT_EQ(p.V2.value(), 200);
}
