// Courtesy letters and tones after each over, the anti-kerchunker and hang time, the node's
// receive state captions and repeater keying.
#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "core/colours.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "news/news_player_window.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"

namespace {
using namespace colours;
constexpr std::int64_t kOrange = 0x80C0FF;

void show(TextBox& box, const char* text, std::int64_t back) {
    box.backColor = back;
    box.setText(text);
}

// A file has time left on the air: a tone now would cut it short.
bool playerOnAir(App& app) {
    const auto left = toNumber(app.form1().Label1.caption());
    return !left || *left > 0;
}
}  // namespace

void Form22::transmitTone(const std::string& path) {
    Form1& player = app().form1();
    player.txtFile.setText(path);
    player.ferrin = 1;
    player.TempVolSet.setText(VolSet.text());
    player.TXFile();
}

void Form22::EchoLink_RX(bool bRX) {
    Form24& news = app().form24();
    if (news.ferrin == 1) {
        news.ferrin = 0;
        return;
    }
    // A courtesy that cannot go out is logged; the Internet state below still follows the over,
    // or every later file would play ducked until the next over.
    endsOnFailure("Form22 Internet courtesy", [&] {
        if (bRX || Check1.value() != 1) return;
        if (Option1.value())
            EchoLink().SendCWText(0, IPCourtesy.text());
        else if (app().form3().StopTTS != 1 && !playerOnAir(app()))
            transmitTone(InetTone.text());
    });
    if (bRX) {
        PTT1.backColor = kRed;
        PTT1.setText(kInternetOn);
    } else {
        PTT1.backColor = kButtonFace;
        PTT1.setText(kInternetOff);
    }
}

void Form22::EchoLink_CarrierDetect(bool bCD) {
    if (bCD)
        Kerchunker.enable();
    else
        KickBackCheck.enable();
}

void Form22::Kerchunker_Timer() {
    step([&] { Kerchunker.disable(); });
    // The test is "no carrier now: a kerchunk", so a carrier that cannot be read earns nothing.
    if (firstBranchOnFailure([&] { return !EchoLink().CarrierDetected(); })) return;
    step([&] { OK2Kerchunk.setCaption("Yes"); });
    step([&] { KickBackCheck.enable(); });
}

void Form22::KickBackCheck_Timer() {
    if (firstBranchOnFailure([&] { return app().form3().StopTTS == 1; })) return;
    if (firstBranchOnFailure([&] { return EchoLink().CarrierDetected(); })) return;
    if (firstBranchOnFailure([&] { return OK2Kerchunk.caption() != "Yes"; })) return;
    step([&] { KickBackCheck.disable(); });
    if (firstBranchOnFailure([&] { return Check1.value() == 1; })) step([&] { sendRFCourtesy(); });
    step([&] { OK2Kerchunk.setCaption("No"); });
}

void Form22::sendRFCourtesy() {
    const bool noStation = NoCon.value() == 1 && HowManyConnected.caption() == "0";
    if (Option1.value()) {
        step([&] { EchoLink().SendCWText(0, CourtesyID.text()); });
        if (noStation) step([&] { sendNoStationNotice(); });
    } else if (noStation) {
        step([&] { sendNoStationNotice(); });
    } else if (!playerOnAir(app())) {
        step([&] { transmitTone(RFTone.text()); });
    }
}

void Form22::sendNoStationNotice() {
    if (Option8.value()) {
        app().form111().TempText = NoStationCon.text();
        app().form111().TestTTW();
    } else {
        EchoLink().SendCWText(0, Text11.text());
    }
}

void Form22::Timer2_Timer() {
    step([&] { HowManyConnected.setCaption(std::to_string(EchoLink().ConnectedCount())); });
}

void Form22::Timer3_Timer() {
    if (firstBranchOnFailure([&] { return EchoLink().CarrierDetected(); }))
        step([&] { show(RFUser, kReceivingRF, kOrange); });
    else
        step([&] { show(RFUser, kStandby, kButtonFace); });
}

void Form22::showKerchunk() {
    if (firstBranchOnFailure([&] { return OK2Kerchunk.caption() == "No"; }))
        step([&] { show(Kerchunk, "Kerchunker Set", kButtonFace); });
    else
        step([&] { show(Kerchunk, "Clear to Send", kLightGreen); });
}

void Form22::Timer6_Timer() {
    const bool rf = RFUser.text() == kReceivingRF;
    RaisedLines& lines = app().raisedLines();
    if (Option6.value() && rf) {
        step([&] {
            PTT.setBackColor(kRed);
            PTT.setCaption("PTT ON");
        });
        step([&] {
            lines.raise(EchoLink(), LineReason::RepeaterKeying, UseRTS.value() ? SerialLine::RTS : SerialLine::DTR);
        });
        return;
    }
    // The line raised for repeater keying drops once the RF has ended or the link type changed,
    // unless this program is transmitting.
    if (lines.lineOf(LineReason::RepeaterKeying)) {
        step([&] {
            if (EchoLink().TransmitterKeyed()) return;
            lines.lower(EchoLink(), LineReason::RepeaterKeying);
        });
    }
}
