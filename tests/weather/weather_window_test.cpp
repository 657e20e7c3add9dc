#include <sstream>

#include "weather/full_warning_window.h"
#include "weather/forecast_parser_window.h"
#include "weather_test_support.h"

using weathertest::WeatherStation;

TEST(WeatherWindow, DefaultsWithoutASettingsFile) {
    WeatherStation ws;
    Form114& w = ws.w();
    EXPECT_EQ(w.DTMFCon.text(), "**1");
    EXPECT_EQ(w.PlayTemp.text(), "55*");
    EXPECT_EQ(w.DTMFFor.text(), "**2");
    EXPECT_EQ(w.DTMFWarn.text(), "**3");
    EXPECT_EQ(w.DTMFLongWarn.text(), "**5");
    EXPECT_EQ(w.DTMFSum.text(), "**4");
    for (const TextBox* p : {&w.BeaconPeriod1, &w.BeaconPeriod2, &w.BeaconPeriod3}) EXPECT_EQ(p->text(), "15");
    EXPECT_EQ(w.BeaconPeriod4.text(), "5");
    EXPECT_EQ(w.BeaconSeconds1.caption(), "900");
    for (const CheckBox* c : {&w.StopClock1, &w.StopClock2, &w.StopClock3, &w.StopClock4}) EXPECT_EQ(c->value(), 0);
    EXPECT_TRUE(w.Option1.value());
    EXPECT_TRUE(w.Option6.value());
    EXPECT_TRUE(w.F.value());
    EXPECT_TRUE(w.mph.value());
    EXPECT_TRUE(w.inHg.value());
    EXPECT_EQ(w.Left, 300);
    EXPECT_EQ(w.Top, 300);
    EXPECT_EQ(w.Width, 5785);
    EXPECT_EQ(w.WhereIsFile.text(), ws.wxex("csv/data.csv"));
    EXPECT_EQ(w.WhereIsFile3.text(), ws.wxex("data/warning.txt"));
    EXPECT_EQ(w.TextRep[0]->text(), "T-Storms");
    EXPECT_EQ(w.TextRepB[0]->text(), "Thunder Storms");
    EXPECT_EQ(w.caption(), ws.s.app().windowCaption("      Weather"));
}

TEST(WeatherWindow, SettingsFileRoundTripsEveryKey) {
    std::string saved;
    {
        WeatherStation ws;
        Form114& w = ws.w();
        w.Check3.setValue(1);
        w.Option3.setValue(true);
        w.Option4.setValue(true);
        w.Check6.setValue(1);
        w.Text9.setText("  Info with blanks  ");
        w.DTMFCon.setText("*11");
        w.DTMFFor.setText("*12");
        w.DTMFWarn.setText("*13");
        w.DTMFLongWarn.setText("*15");
        w.PlayTemp.setText("*16");
        w.DTMFSum.setText("*14");
        w.BeaconPeriod1.setText("20");
        w.BeaconPeriod2.setText("30");
        w.BeaconPeriod3.setText("0");
        w.BeaconPeriod4.setText(".1");
        w.StopClock1.setValue(1);
        w.StopClock2.setValue(2);
        w.StopClock3.setValue(1);
        w.StopClock4.setValue(1);
        w.Check1.setValue(1);
        w.StartMessage.setText("Conditions at the club ");
        w.EndMessage.setText("\"quoted\"");
        w.StartMessage2.setText("Forecast ");
        w.EndMessage2.setText("end two");
        w.StartMessage3.setText("Warning ");
        w.EndMessage3.setText("end three ");
        w.WhereIsFile.setText("/srv/wx/data.csv");
        w.WhereIsFile2.setText("/srv/wx/metar.txt");
        w.WhereIsFile3.setText("/srv/wx/warning.txt");
        w.Cels.setValue(true);
        w.km_hr.setValue(true);
        w.hPa.setValue(true);
        w.Check2.setValue(1);
        for (int k = 0; k < 10; ++k) {
            w.TextRep[static_cast<size_t>(k)]->setText("abbr" + std::to_string(k));
            w.TextRepB[static_cast<size_t>(k)]->setText("word " + std::to_string(k) + " ");
        }
        w.Move(1234, 567);
        ws.s.click("Form114.Command1");
        saved = ws.s.readSettings("abcweather.ini");

        WeatherStation again;
        again.s.writeSettings("abcweather.ini", saved);
        Form114& r = again.w();
        for (Control* c : w.controls()) {
            if (c->kind() == ControlKind::Label || c->kind() == ControlKind::CommandButton) continue;
            const std::string name = c->name();
            if (name == "Text1" || name == "Text3" || name == "Text4" || name == "Text5" || name == "Text6" ||
                name == "Check4" || name.rfind("edit", 0) == 0 || name == "lstParse")
                continue;
            EXPECT_EQ(r.findControl(name)->valueText(), c->valueText()) << name;
        }
        EXPECT_EQ(r.Left, 1234);
        EXPECT_EQ(r.Top, 567);
        EXPECT_FALSE(r.Beacon3.enabled());
        EXPECT_EQ(r.BeaconSeconds4.caption(), "6");
    }
    // 64 keys, PLAYTEMP right after DTMFCON.
    int keys = 0;
    std::istringstream lines(saved);
    for (std::string line; std::getline(lines, line);)
        if (line.find('=') != std::string::npos) ++keys;
    EXPECT_EQ(keys, 64);
    EXPECT_LT(saved.find("DTMFCON="), saved.find("PLAYTEMP="));
    EXPECT_LT(saved.find("PLAYTEMP="), saved.find("DTMFFOR="));
}

// The boxes show a stored Windows path as this machine names it, but the file keeps the stored
// form (never today's home folder) unless the operator changed the box.
TEST(WeatherWindow, FileBoxesSaveWhatWasStoredUnlessChanged) {
    WeatherStation ws;
    ws.s.writeSettings("abcweather.ini", "[SETTINGS]\nWHEREISFILE=c:\\wxex\\csv\\data.csv\nWHEREISFILE2=/srv/wx/metar.txt\n");
    Form114& w = ws.w();
    EXPECT_EQ(w.WhereIsFile.text(), ws.wxex("csv/data.csv"));
    EXPECT_EQ(w.WhereIsFile3.text(), ws.wxex("data/warning.txt"));
    w.WhereIsFile2.setText("/srv/wx/other.txt");
    ws.s.click("Form114.Command1");
    const std::string saved = ws.s.readSettings("abcweather.ini");
    EXPECT_NE(saved.find("WHEREISFILE=c:\\wxex\\csv\\data.csv\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("WHEREISFILE2=/srv/wx/other.txt\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("WHEREISFILE3=C:\\wxex\\data\\warning.txt\n"), std::string::npos) << saved;
    EXPECT_EQ(saved.find(ws.s.app().folders().home), std::string::npos) << saved;
}

TEST(WeatherWindow, LaterTrueOptionOfAGroupWinsAndBadValuesAreLogged) {
    WeatherStation ws;
    ws.s.writeSettings("abcweather.ini", "[SETTINGS]\r\nF=True\r\nC=True\r\nCHECK3=yes\r\n");
    Form114& w = ws.w();
    EXPECT_TRUE(w.C.value());
    EXPECT_FALSE(w.F.value());
    EXPECT_EQ(w.Check3.value(), 0);
    EXPECT_TRUE(ws.s.transcript().contains("LOG "));
}

TEST(WeatherWindow, ChangerButtonsToggleEachOnItsOwn) {
    WeatherStation ws;
    Form114& w = ws.w();
    ws.s.click("Form114.Command14");
    EXPECT_EQ(w.Command14.caption(), "Hide Changer");
    EXPECT_EQ(w.Width, 8440);
    EXPECT_EQ(w.Command17.caption(), "Text Changer");
    ws.s.click("Form114.Command14");
    EXPECT_EQ(w.Command14.caption(), "Text Changer");
    EXPECT_EQ(w.Width, 5785);
}

TEST(WeatherWindow, FilePickersAndShowForm122) {
    WeatherStation ws;
    Form114& w = ws.w();
    ws.s.dialogs->answerFile(std::string("/srv/wx/metar.txt"));
    ws.s.click("Form114.Command5");
    EXPECT_EQ(w.WhereIsFile2.text(), "/srv/wx/metar.txt");
    EXPECT_EQ(ws.s.app().form115().WhereIsFile2.text(), "/srv/wx/metar.txt");

    ws.s.click("Form114.GetcsvFile");   // cancelled: the dialog leaves the name it opened with
    EXPECT_TRUE(ws.s.dialogs->shown.empty());
    EXPECT_EQ(w.WhereIsFile.text(), ws.wxex("csv/data.csv"));
    ws.s.set("Form114.WhereIsFile", "");
    ws.s.click("Form114.GetcsvFile");   // cancelled with no name to keep
    ASSERT_EQ(ws.s.dialogs->shown.size(), 1u);
    EXPECT_EQ(ws.s.dialogs->shown[0].title, "Error No File selected");
    EXPECT_EQ(ws.s.dialogs->shown[0].text, " You must select an csv file");
    EXPECT_EQ(w.WhereIsFile.text(), "");

    ws.s.click("Form114.Command13");
    EXPECT_TRUE(ws.s.app().form122().visible());
}

TEST(WeatherWindow, StopMessageListsTheNodeNotBusy) {
    WeatherStation ws;
    ws.w();
    for (const char* button : {"Form114.Command7", "Form114.Command15", "Form114.Command16"}) {
        ws.s.app().act([&] { ws.w().EchoLink().Busy(true); });
        ASSERT_TRUE(ws.s.node().busy());
        ws.s.click(button);
        EXPECT_FALSE(ws.s.node().busy()) << button;
    }
    ws.s.node().setUnreachable(true);
    ws.s.click("Form114.Command7");
    EXPECT_TRUE(ws.s.transcript().contains("LOG "));
}
