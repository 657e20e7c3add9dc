// The idents window's own DTMF codes: every code whose box equals the received digits switches
// its feature and queues a short reply, in a fixed order; a later reply replaces an earlier one.
#include "core/event_loop.h"
#include "linkcontrol/idents_link_support.h"

using namespace identslink;

namespace {
void queueReply(Form3& f, const std::string& reply) {
    f.SayTheText = reply;
    f.flag2 = 1;
}
}  // namespace

void Form3::toggleWithReply(CheckBox& box, const std::string& enabled, const std::string& disabled) {
    if (box.value() != 1) {
        box.setValue(1);
        queueReply(*this, enabled);
    } else {
        box.setValue(0);
        queueReply(*this, disabled);
    }
}

void Form3::EchoLink_DTMFString(const std::string& sDigits) {
    step([&] { loop().doEvents(); });
    const std::string digits = sDigits;
    if (digits.empty()) return;   // nothing was keyed: no code may act on it

    if (codeMatches(Text5, digits))
        orLog("the DTMF code for \"Permanent On\"", [&] {
            if (Check4.value() != 1) {
                Check4.setValue(1);
                queueReply(*this, Text6.text());
            } else {
                Check4.setValue(0);
                FanCTRL2.setValue(0);
                queueReply(*this, Text7.text());
            }
        });
    if (codeMatches(Text3, digits))
        orLog("the DTMF code for alternate control on", [&] {
            FanCTRL2.setValue(1);
            if (ticked(UseFanMessage)) queueReply(*this, FanOnMessage.text());
        });
    if (codeMatches(Text4, digits))
        orLog("the DTMF code for alternate control off", [&] {
            FanCTRL2.setValue(0);
            if (ticked(UseFanMessage)) queueReply(*this, FanOffMessage.text());
        });
    if (codeMatches(ToggleText, digits))
        toggleWithReply(SayText, "Text Message Enabled", "Text Message Disabled");
    if (codeMatches(Text8, digits))
        toggleWithReply(StopClockx, "Auto Timed Connect Enabled", "Auto Timed Connect Disabled");
    // Silence begins five seconds later (Timer9), so its warning can still be spoken.
    if (codeMatches(AnnounceOff, digits)) {
        orLog("the DTMF silence start", [&] { SilenceOn(); });
        Timer9.enable();
    }
    if (codeMatches(AnnounceOn, digits)) {
        Check1.setValue(0);
        orLog("the DTMF silence end", [&] { SilenceOFF(); });
    }
    if (codeMatches(DTMF, digits) && ticked(UseDTMF)) TheTime.click();
    if (codeMatches(EnableAutoConnect, digits))
        toggleWithReply(StayCon1, "Auto Connect 1 Enabled", "Auto Connect 1 Disabled");
    if (codeMatches(DisableAutoConnect, digits))
        toggleWithReply(StayCon2, "Auto Connect 2 Enabled", "Auto Connect 2 Disabled");
}
