// Spoken connect and disconnect notices, the call history and the connect bell of the idents
// window. Conferences are announced by a spoken name; links, repeaters and single stations by
// their callsign spelled letter by letter.
#include <array>
#include <vector>

#include "app/app.h"
#include "chat/greetings_window.h"
#include "core/colours.h"
#include "core/datetime.h"
#include "echolink/echolink_app.h"
#include "linkcontrol/idents_link_support.h"
#include "platform/dialogs.h"
#include "player/player_window.h"

using namespace identslink;

namespace {
struct Conference {
    const char* call;          // compared exactly, asterisks included
    const char* spokenName;
    const char* onConnect;     // follows the name
    const char* onDisconnect;
};

constexpr std::array<Conference, 10> kConferences{{
    {"*IRELAND*", "Ireland", "  conference has connected.", "  conference has disconnected."},
    {"*ULSTER*", "Ulster", "  conference has connected.", "  conference has disconnected."},
    {"*DODROPIN*", "Do Drop In", "  Conference has connected.", "  conference has disconnected."},
    {"*ENGLAND*", "England", "  Conference has connected.", "  conference has disconnected."},
    {"*UKLOTA*", "U Kay Ladies On The Air", "  Conference Has Connected.", "  Conference Has disconnected."},
    {"*NASA*", "Nassa", "  Conference Has Connected.", "  Conference Has disconnected."},
    {"*JOTA-E*", "Jamboree on the air : English", "  Conference Has Connected.", "  Conference Has disconnected."},
    {"*AUSSIE*", "Australian", "  Conference Has Connected. GuDay from Down Under", "  Conference Has disconnected."},
    {"*CANADIAN*", "Canadian", "  Conference Has Connected.", "  Conference Has disconnected."},
    {"*ECHOTEST*", "Echo Link", " Test Server has connected.", "  Test Server Has disconnected."},
}};

constexpr const char* kBellFilter = "*.wav, *.mp2, *.mp3, *.mid|*.wav;*.mp2;*.mp3;*.mid";
using namespace colours;

// " h:mm AM -- ": the hour 1 to 12 without a leading zero.
std::string historyTime(LocalMs t) {
    const int h = hourOf(t);
    const int m = minuteOf(t);
    const std::string mm = (m < 10 ? "0" : "") + std::to_string(m);
    return " " + std::to_string(h % 12 == 0 ? 12 : h % 12) + ":" + mm + (h < 12 ? " AM" : " PM") + " -- ";
}

// A name or address from the network stays on its own history line.
std::string oneLine(const std::string& text) { return replaceAll(replaceAll(text, "\r", " "), "\n", " "); }
}  // namespace

// Every character of TempCall followed by one blank, the last one included.
void Form3::SplitCall() {
    std::string spelled;
    for (char c : TempCall) {
        spelled += c;
        spelled += ' ';
    }
    TempCall = spelled;
}

void Form3::Echolink_connected(const std::string& sCallConnected, const std::string& sName,
                               const std::string& sAddr) {
    TempCall = sCallConnected;
    appendToCallHistory(historyTime(now()) + sCallConnected + " -- " + oneLine(sName) + " -- " + oneLine(sAddr) +
                        "\r\n");
    if (ticked(ConDisc))
        orLog("the connect notice of " + sCallConnected, [&] { announceStation(sCallConnected, true); });
    // The notice has already been spoken (speech is synchronous), so the bell follows it.
    if (ticked(ConnectBellCheck)) sendBell();
}

void Form3::Echolink_Disconnected(const std::string& sCall) {
    if (ConnectStationx.text() == sCall) RearmTimedConnection();
    if (ticked(ConDisc))
        orLog("the disconnect notice of " + sCall, [&] { announceStation(sCall, false); });
}

// One notice: a conference of the table, another conference, a link, a repeater or a single
// station. A callsign with a "-" that is neither a link nor a repeater gets no notice.
void Form3::announceStation(const std::string& call, bool connecting) {
    const long p = instr(call, "-");
    if (endsWith(call, "*")) {
        for (const Conference& c : kConferences) {
            if (call != c.call) continue;
            if (connecting && call == "*IRELAND*") app().form10().Option10.setValue(true);
            speakNotice(std::string("The ") + c.spokenName + (connecting ? c.onConnect : c.onDisconnect));
            return;
        }
        TempCall = call;
        SplitCall();
        speakNotice("The " + TempCall + (connecting ? "  conference has connected." : "  conference has disconnected."));
        return;
    }
    if (right(call, 2) == "-L") {
        TempCall = left(call, p);
        SplitCall();
        speakNotice(TempCall + (connecting ? " : Link Connected." : " : Link Disconnected."));
        return;
    }
    if (right(call, 2) == "-R") {
        TempCall = left(call, p);
        SplitCall();
        speakNotice(TempCall + (connecting ? " : Repeater Connected." : " : Repeater Disconnected."));
        return;
    }
    if (p != 0) return;
    TempCall = call;
    SplitCall();
    speakNotice(TempCall + (connecting ? " , Connected" : " , Disconnected"));
}

// Spoken at once with the transmitter keyed; the time phrase, when asked for, is queued after it.
void Form3::speakNotice(const std::string& notice) {
    SayTheText = notice;
    SpeakTheText();
    if (ticked(AddTime)) TheTimeBit();
}

// The newest line at the end; the oldest lines go once the history holds its limit.
void Form3::appendToCallHistory(const std::string& line) {
    std::vector<std::string> lines;
    const std::string all = CallHistory.text() + line;
    size_t from = 0;
    while (from < all.size()) {
        size_t end = all.find("\r\n", from);
        end = end == std::string::npos ? all.size() : end + 2;
        lines.push_back(all.substr(from, end - from));
        from = end;
    }
    const size_t keep = static_cast<size_t>(kCallHistoryLines);
    std::string kept;
    for (size_t k = lines.size() > keep ? lines.size() - keep : 0; k < lines.size(); ++k) kept += lines[k];
    CallHistory.setText(kept);
}

// The bell goes out through the player at the idents window's transmit volume, with a tail delay.
void Form3::sendBell() {
    Form1& player = app().form1();
    step([&] { player.txtFile.setText(Text2.text()); });
    player.ferrin = 1;
    step([&] { player.TempVolSet.setText(VolSet.text()); });
    orLog("the connect bell", [&] { player.TXFile(); });
}

void Form3::chooseBellFile() {
    const std::string name = pickedFileName(app().dialogs(), "Open", kBellFilter, Text2.text());
    if (!name.empty()) {
        Text2.setText(name);
        return;
    }
    PTT.setBackColor(kButtonFace);
    PTT.setCaption("PTT OFF");
    step([&] { EchoLink().KeyTransmitter(false); });
    app().dialogs().messageBox("Error No File selected", " You must select an audio file", MsgButtons::Ok,
                               MsgIcon::Information);
}
