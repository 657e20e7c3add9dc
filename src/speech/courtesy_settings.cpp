// The courtesy window's settings file mvcourtesy.ini, its input handlers and its buttons.
#include <algorithm>

#include "app/app.h"
#include "core/colours.h"
#include "core/settings.h"
#include "core/settings_binding.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "platform/dialogs.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"

namespace {
constexpr const char* kToneFilter = "*.wav, *.mp2, *.mp3, *.mid|*.wav;*.mp2;*.mp3;*.mid";
using namespace colours;
}  // namespace

// A timer period from a milliseconds box: 0 to 65535, 0 never ticks. A box that is not a number
// leaves the period as it was.
void Form22::setPeriod(Form22& f, Timer& timer, const TextBox& box) {
    const auto ms = toNumber(box.text());
    if (!ms) {
        f.LogError(std::string(kSettingsFile) + " <-- " + box.name() + " \"" + box.text() +
                   "\" is not a time in milliseconds; the period stays " + std::to_string(timer.interval()) + " ms ");
        return;
    }
    const int period = static_cast<int>(std::clamp(*ms, 0.0, 65535.0));
    if (period != timer.interval()) timer.setInterval(period);
}

void Form22::wireSettings() {
    HangTime.numberOnly = true;
    KerchunkWait.numberOnly = true;
    HangTime.onChange([this] {
        step([&] { HangTime.numberOnly = true; });
        step([&] {
            if (HangTime.text().empty()) HangTime.setText("500");
        });
        step([&] { setPeriod(*this, KickBackCheck, HangTime); });
    });
    KerchunkWait.onChange([this] {
        step([&] { KerchunkWait.numberOnly = true; });
        step([&] {
            if (KerchunkWait.text().empty()) KerchunkWait.setText("3000");
        });
        step([&] { setPeriod(*this, Kerchunker, KerchunkWait); });
    });
    V1.onChange([this] {
        step([&] { app().form1().V1.setValue(V1.value()); });
        step([&] { VolSet.setText(std::to_string(V1.value())); });
    });
}

void Form22::loadSettings() {
    const SettingsFile ini(app().settingsPath(kSettingsFile));
    loadText(*this, ini, "COURTESYID", CourtesyID, "K");
    loadText(*this, ini, "IPCOURTESY", IPCourtesy, "I");
    loadText(*this, ini, "HANGTIME", HangTime, "500");
    loadText(*this, ini, "KERCHUNKWAIT", KerchunkWait, "5000");
    storedRFTone_ = loadPath(*this, ini, "RFTONE", RFTone, "C:\\Program Files\\Marovane\\RF.wav");
    storedInetTone_ = loadPath(*this, ini, "INETTONE", InetTone, "C:\\Program Files\\Marovane\\IP.wav");
    loadText(*this, ini, "VOLSET", VolSet, "-1540");
    loadOption(*this, ini, "OPTION1", Option1, "0");
    loadOption(*this, ini, "OPTION2", Option2, "1");
    loadCheck(*this, ini, "Check1", Check1, "1");
    loadText(*this, ini, "NOSTATIONCON", NoStationCon, "There are no stations currently connected");
    loadCheck(*this, ini, "NOCON", NoCon, "0");
    loadOption(*this, ini, "OPTION3", Option3, "1");
    loadOption(*this, ini, "OPTION4", Option4, "0");
    loadOption(*this, ini, "OPTION5", Option5, "1");
    loadOption(*this, ini, "OPTION6", Option6, "0");
    loadOption(*this, ini, "OPTION7", Option7, "1");
    loadOption(*this, ini, "OPTION8", Option8, "0");
    loadOption(*this, ini, "OPTION9", Option9, "1");
    loadText(*this, ini, "TEXT11", Text11, "S");
    loadPosition(*this, ini);
    sliderFromText(*this, kSettingsFile, "VOLSET", VolSet, V1);
}

void Form22::SaveData() {
    SettingsFile ini(app().settingsPath(kSettingsFile));
    saveText(ini, "COURTESYID", CourtesyID);
    saveText(ini, "IPCOURTESY", IPCourtesy);
    saveText(ini, "HANGTIME", HangTime);
    saveText(ini, "KERCHUNKWAIT", KerchunkWait);
    savePath(ini, "RFTONE", RFTone, storedRFTone_);
    savePath(ini, "INETTONE", InetTone, storedInetTone_);
    saveText(ini, "VOLSET", VolSet);
    saveOption(ini, "OPTION1", Option1);
    saveOption(ini, "OPTION2", Option2);
    saveCheck(ini, "CHECK1", Check1);
    saveText(ini, "NOSTATIONCON", NoStationCon);
    saveCheck(ini, "NOCON", NoCon);
    saveOption(ini, "OPTION3", Option3);
    saveOption(ini, "OPTION4", Option4);
    saveOption(ini, "OPTION5", Option5);
    saveOption(ini, "OPTION6", Option6);
    saveOption(ini, "OPTION7", Option7);
    saveOption(ini, "OPTION8", Option8);
    saveOption(ini, "OPTION9", Option9);
    saveText(ini, "TEXT11", Text11);
    savePosition(ini, *this);
    saveOrLog(*this, ini);
}

void Form22::chooseTone(TextBox& box, bool paintPTT) {
    const std::string name = pickedFileName(app().dialogs(), "Open", kToneFilter, box.text());
    if (!name.empty()) {
        box.setText(name);
        return;
    }
    if (paintPTT) {
        PTT.setBackColor(kButtonFace);
        PTT.setCaption("PTT OFF");
    }
    EchoLink().KeyTransmitter(false);
    app().dialogs().messageBox("Error No File selected", " You must select an audio file", MsgButtons::Ok,
                               MsgIcon::Information);
}

// The spoken test texts go out as a speech file at the idents window's speech volume.
void Form22::speakTest(const std::string& text) {
    Form3& idents = app().form3();
    idents.TextField.setText(text);
    step([&] { idents.SaveToWav(); });
    step([&] { app().form1().txtFile.setText(idents.wavfile.text()); });
    step([&] { app().form1().TXFile(); });
    step([&] { app().form1().V1.setValue(toInt(idents.VolSet.text())); });
}

void Form22::wireButtons() {
    Command1.onClick([this] { chooseTone(RFTone, true); });
    Command6.onClick([this] { chooseTone(InetTone, false); });
    Command7.onClick([this] {
        if (Check1.value() == 1) transmitTone(RFTone.text());
    });
    Command8.onClick([this] {
        if (Check1.value() == 1) transmitTone(InetTone.text());
    });
    Command10.onClick([this] {
        if (Check1.value() == 1) EchoLink().SendCWText(0, CourtesyID.text());
    });
    Command11.onClick([this] {
        if (Check1.value() == 1) EchoLink().SendCWText(0, IPCourtesy.text());
    });
    Command14.onClick([this] { speakTest(ParrotEnabled.text()); });
    Command15.onClick([this] { speakTest(NoStationCon.text()); });
    Command13.onClick([this] { SaveData(); });
    Command9.onClick([this] { Hide(); });
}
