#include "core/settings.h"
#include "news/news_player_window.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"
#include "speech_support.h"

namespace {
Form22& courtesy(Station& s, bool cw) {
    Form22& c = s.app().form22();
    c.Option1.setValue(cw);
    c.Option2.setValue(!cw);
    return c;
}

// A local over: the carrier rises, stays `seconds`, and falls.
void rfOver(Station& s, double seconds) {
    s.node().setCarrier(true);
    s.advance(seconds);
    s.node().setCarrier(false);
}
}  // namespace

TEST(Courtesy, AnInternetOverGetsTheLetterOrTheToneWhenItEnds) {
    {
        Station s;
        courtesy(s, true);
        s.node().setInternetAudio(true);
        s.advance(3);
        EXPECT_EQ(s.app().form22().PTT1.text(), "IP  TX  ON");
        EXPECT_TRUE(s.node().cwSent().empty());
        s.node().setInternetAudio(false);
        s.advance(0.1);
        EXPECT_EQ(s.node().cwSent(), std::vector<std::string>{"I"});
        EXPECT_EQ(s.app().form22().PTT1.text(), "IP  TX  OFF");
    }
    {
        Station s;
        courtesy(s, false);
        s.node().setInternetAudio(true);
        s.advance(3);
        s.node().setInternetAudio(false);
        s.advance(0.1);
        EXPECT_TRUE(s.node().cwSent().empty());
        EXPECT_EQ(s.app().form1().txtFile.text(), s.dataFile("IP.wav"));
        EXPECT_EQ(s.app().form1().TempVolSet.text(), "-1540");
        EXPECT_EQ(s.app().form1().ferrin, 1);
    }
}

TEST(Courtesy, TheRfCourtesyFollowsTheHangTimeAfterALongEnoughCarrier) {
    Station s;
    Form22& c = courtesy(s, true);
    c.HangTime.setText("2000");
    rfOver(s, 6);
    EXPECT_EQ(c.OK2Kerchunk.caption(), "Yes");
    EXPECT_EQ(c.Kerchunk.text(), "Clear to Send");
    s.advance(0.05);
    EXPECT_TRUE(s.node().cwSent().empty());
    s.advance(2);
    EXPECT_EQ(s.node().cwSent(), std::vector<std::string>{"K"});
    EXPECT_EQ(c.OK2Kerchunk.caption(), "No");
    s.advance(10);
    EXPECT_EQ(s.node().cwSent().size(), 1u);
}

TEST(Courtesy, AKerchunkBelowTheAntiKerchunkerTimeGetsNothing) {
    Station s;
    Form22& c = courtesy(s, false);
    rfOver(s, 2);
    s.advance(10);
    EXPECT_EQ(c.OK2Kerchunk.caption(), "No");
    EXPECT_FALSE(s.transcript().contains("PLAY"));
    // The next real over earns exactly one tone.
    rfOver(s, 6);
    s.advance(2);
    EXPECT_EQ(s.app().form1().txtFile.text(), s.dataFile("RF.wav"));
    EXPECT_EQ(s.transcript().count("PLAY " + ::quoted(s.dataFile("RF.wav"))), 1);
    EXPECT_TRUE(s.node().cwSent().empty());
}

TEST(Courtesy, NoStationNoticeFollowsTheLetterOrReplacesTheTone) {
    for (bool cw : {true, false}) {
        Station s;
        Form22& c = courtesy(s, cw);
        c.NoCon.setValue(1);
        rfOver(s, 6);
        s.advance(2);
        EXPECT_EQ(s.node().cwSent(), cw ? (std::vector<std::string>{"K", "S"}) : std::vector<std::string>{"S"});
        EXPECT_FALSE(s.transcript().contains("PLAY"));
    }
}

TEST(Courtesy, ToneIsSkippedWhileAFileIsOnTheAirButTheLetterStillGoes) {
    Station s;
    courtesy(s, false);
    s.app().form1().Label1.setCaption("12");
    s.node().setInternetAudio(true);
    s.advance(1);
    s.node().setInternetAudio(false);
    rfOver(s, 6);
    s.advance(2);
    EXPECT_FALSE(s.transcript().contains("PLAY"));

    courtesy(s, true);
    s.node().setInternetAudio(true);
    s.advance(1);
    s.node().setInternetAudio(false);
    s.advance(0.1);
    EXPECT_EQ(s.node().cwSent(), std::vector<std::string>{"I"});
}

TEST(Courtesy, TheFirstRxOfANewsBulletinIsSwallowed) {
    Station s;
    courtesy(s, true);
    s.app().form24().ferrin = 1;
    s.node().setInternetAudio(true);
    s.advance(1);
    EXPECT_EQ(s.app().form22().PTT1.text(), "IP  TX  OFF");
    EXPECT_EQ(s.app().form24().ferrin, 0);
}

TEST(Courtesy, RepeaterModeKeysThePttLineWhileRfIsReceived) {
    Station s;
    Form3& idents = s.app().form3();
    Form22& c = s.app().form22();
    c.Option6.setValue(true);
    s.advance(0.2);
    s.node().setCarrier(true);
    s.advance(0.5);
    EXPECT_EQ(c.RFUser.text(), "Receiving  RF");
    EXPECT_EQ(c.PTT.caption(), "PTT ON");
    EXPECT_TRUE(s.node().rts());
    EXPECT_EQ(idents.PTT.caption(), "PTT OFF");
    EXPECT_EQ(s.app().form1().PTT.caption(), "PTT OFF");
    s.node().setCarrier(false);
    s.advance(0.5);
    EXPECT_EQ(c.RFUser.text(), "RX  Standby");
    EXPECT_FALSE(s.node().rts());

    // As a link the node does not key on local RF.
    c.Option7.setValue(true);
    s.node().setCarrier(true);
    s.advance(0.5);
    EXPECT_FALSE(s.node().rts());
}

TEST(Courtesy, DuplexKeyingFollowsTheRfAndTheChosenLine) {
    Station s;
    Form3& idents = s.app().form3();
    idents.DTR.setValue(true);
    idents.Check5.setValue(1);
    s.advance(0.2);
    EXPECT_TRUE(s.app().form22().UseDTR.value());
    EXPECT_TRUE(idents.UseRTS.value());
    s.node().setCarrier(true);
    s.advance(0.5);
    EXPECT_EQ(idents.Label43.caption(), "Repeater ON");
    EXPECT_TRUE(s.node().dtr());
    s.node().setCarrier(false);
    s.advance(0.5);
    EXPECT_EQ(idents.Label43.caption(), "");
    EXPECT_FALSE(s.node().dtr());
}

TEST(ControlLines, TheFanStartsAfterItsDelayAndRunsOnForItsPeriod) {
    Station s;
    Form3& f = s.app().form3();
    f.FanPeriod.setText("1");
    f.DelayPeriod.setText("3");
    f.FanCTRL.setValue(1);
    f.DelayCTRL.setValue(1);

    putLongFileOnAir(s);   // a short transmission never starts the fan
    s.advance(2);
    ASSERT_TRUE(s.node().keyed());
    stopFileOnAir(s);
    s.advance(5);
    EXPECT_FALSE(s.node().dtr());

    putLongFileOnAir(s);
    s.advance(6);
    EXPECT_TRUE(s.node().dtr());
    EXPECT_EQ(f.FanOnOff.caption(), "Fan ON");
    stopFileOnAir(s);
    ASSERT_FALSE(s.node().keyed());
    s.advance(50);
    EXPECT_TRUE(s.node().dtr());
    s.advance(15);
    EXPECT_FALSE(s.node().dtr());
    EXPECT_EQ(f.FanOnOff.caption(), "Fan OFF");
}

TEST(ControlLines, FanAndAlternateControlExcludeEachOther) {
    Station s;
    Form3& f = s.app().form3();
    f.FanCTRL2.setValue(1);
    f.DelayCTRL.setValue(1);
    s.advance(1.1);
    EXPECT_EQ(f.DelayCTRL.value(), 0);
    EXPECT_FALSE(f.FanCTRL.enabled());
    f.Check4.setValue(1);
    s.advance(3);
    EXPECT_TRUE(s.node().dtr());   // permanent on holds the control line
}

TEST(CourtesySettings, EveryKeyRoundTripsAndAFirstStartTakesTheDefaults) {
    {
        Station s;
        Form22& c = s.app().form22();
        EXPECT_EQ(c.CourtesyID.text(), "K");
        EXPECT_EQ(c.KerchunkWait.text(), "5000");
        EXPECT_EQ(c.Kerchunker.interval(), 5000);
        EXPECT_EQ(c.KickBackCheck.interval(), 500);
        EXPECT_TRUE(c.Option2.value());
        EXPECT_TRUE(c.Option5.value());
        EXPECT_TRUE(c.Option7.value());
        EXPECT_TRUE(c.Option9.value());
        EXPECT_EQ(c.V1.value(), -1540);
        EXPECT_EQ(s.app().form1().V1.value(), -1540);
        EXPECT_EQ(c.caption(), "MVSmall    N0CALL-L   v1.0.0   MaroCurtesy");
        c.KerchunkWait.setText("");
        EXPECT_EQ(c.KerchunkWait.text(), "3000");
        EXPECT_EQ(c.Kerchunker.interval(), 3000);
    }
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"COURTESYID", "T"}, {"IPCOURTESY", "E"}, {"HANGTIME", "750"}, {"KERCHUNKWAIT", "2500"},
        {"RFTONE", "/srv/rf.mp3"}, {"INETTONE", "/srv/ip.mp3"}, {"VOLSET", "-800"}, {"OPTION1", "True"},
        {"OPTION2", "False"}, {"CHECK1", "0"}, {"NOSTATIONCON", "Nobody is here"}, {"NOCON", "1"},
        {"OPTION3", "False"}, {"OPTION4", "True"}, {"OPTION5", "False"}, {"OPTION6", "True"},
        {"OPTION7", "False"}, {"OPTION8", "True"}, {"OPTION9", "False"}, {"TEXT11", "N"}, {"LEFT", "450"},
        {"TOP", "600"}};
    Station s;
    std::string text = "[SETTINGS]\n";
    for (const auto& [k, v] : keys) text += k + "=" + v + "\n";
    s.writeSettings("mvcourtesy.ini", text);
    Form22& c = s.app().form22();
    EXPECT_EQ(c.KickBackCheck.interval(), 750);
    std::remove(s.settingsFile("mvcourtesy.ini").c_str());
    c.Command13.click();
    const SettingsFile saved(s.settingsFile("mvcourtesy.ini"));
    for (const auto& [k, v] : keys) EXPECT_EQ(saved.read(k, "<missing>"), v) << k;
}

TEST(CourtesyWindow, ClosingTheFrameEndsTheProgramWithTheLinesReleased) {
    Station s;
    Form22& c = s.app().form22();
    s.app().act([&] { c.EchoLink().KeyTransmitter(true); });
    s.app().act([&] { c.closeRequest(); });
    EXPECT_TRUE(s.app().ended());
    EXPECT_FALSE(s.node().keyed());
    EXPECT_EQ(s.readSettings("mvcourtesy.ini"), "");
}

TEST(CourtesyWindow, EchoLinkClosingSavesTheSettings) {
    Station s;
    s.app().form22().CourtesyID.setText("Q");
    s.node().close();
    s.advance(1);
    EXPECT_TRUE(s.app().ended());
    EXPECT_NE(s.readSettings("mvcourtesy.ini").find("COURTESYID=Q"), std::string::npos);
}

TEST(CourtesyWindow, EmptyToneChoiceIsReportedAndKeepsTheOldFile) {
    Station s;
    Form22& c = s.app().form22();
    const std::string before = c.RFTone.text();
    c.Command1.click();   // cancelled: the dialog leaves the name it opened with
    EXPECT_EQ(c.RFTone.text(), before);
    EXPECT_TRUE(s.dialogs->shown.empty());
    c.RFTone.setText("");
    c.Command1.click();   // cancelled with no name to keep
    EXPECT_EQ(c.RFTone.text(), "");
    ASSERT_EQ(s.dialogs->shown.size(), 1u);
    EXPECT_EQ(s.dialogs->shown[0].title, "Error No File selected");
    s.dialogs->answerFile("/srv/new.wav");
    c.Command1.click();
    EXPECT_EQ(c.RFTone.text(), "/srv/new.wav");
}

TEST(Courtesy, ConnectedCountIsPublishedAsText) {
    Station s;
    Form22& c = s.app().form22();
    EXPECT_EQ(c.HowManyConnected.caption(), "0");
    s.node().stationConnects("W1ABC");
    s.node().stationConnects("W2ABC-L");
    s.advance(0.3);
    EXPECT_EQ(c.HowManyConnected.caption(), "2");
}

TEST(ControlLines, AnAlternateControlRunEndsOnceWithItsMessage) {
    Station s;
    Form3& f = s.app().form3();
    f.FanPeriod.setText("1");
    f.FanOffMessage.setText("Fan off");
    f.FanCTRL2.setValue(1);
    s.node().setReceivingSignal(true);
    s.advance(1.5);
    s.node().setReceivingSignal(false);
    s.advance(2);
    EXPECT_TRUE(s.node().dtr());
    s.advance(60);
    EXPECT_FALSE(s.node().dtr());
    EXPECT_EQ(f.FanCTRL2.value(), 0);
    EXPECT_EQ(s.speech->spoken, std::vector<std::string>{"Fan off"});
}
