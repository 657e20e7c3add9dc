// The announcement-silence scheduler: three weekly schedules that disable the automatic
// announcements (and optionally the link) between an off time and an on time. A schedule acts on
// every tick from second 15 to 18 of its minute, each time with its notices.
#include "core/datetime.h"
#include "core/event_loop.h"
#include "echolink/echolink_app.h"
#include "linkcontrol/idents_link_support.h"

using namespace identslink;

namespace {
void queueNotice(Form3& f, const std::string& text) {
    f.SayTheText = text;
    f.flag2 = 1;
}

// Seconds 15 to 18 of the clock text stand as they are; any other second gives "15".
std::string secondsPartOf(const std::string& clockText) {
    const auto n = toNumber(right(clockText, 2));
    if (!n || *n < 15 || *n > 18) return "15";
    return right(clockText, 2);
}
}  // namespace

// Each second once, a late one with its own clock text: speech run by the pending events cannot
// make a schedule miss its second.
void Form3::Timer5_Timer(LocalMs second) {
    const std::string clockText = timeText(second);
    ShowTime2.setCaption(clockText);
    step([&] { loop().doEvents(); });
    step([&] { Today = weekday(second); });
    std::string seconds = "15";
    step([&] { seconds = secondsPartOf(clockText); });
    scheduleTick({&Sun, &Mon, &Tue, &Wed, &Thur, &Fri, &Sat}, HourOFF1, MinsOFF1, HourON1b, MinsON1b, seconds,
                 clockText);
    scheduleTick({&Sun2, &Mon2, &Tue2, &Wed2, &Thur2, &Fri2, &Sat2}, HourOFF2, MinsOFF2, HourON2b, MinsON2b,
                 seconds, clockText);
    scheduleTick({&Sun3, &Mon3, &Tue3, &Wed3, &Thur3, &Fri3, &Sat3}, HourOFF3, MinsOFF3, HourON3b, MinsON3b,
                 seconds, clockText);
}

// Hours and minutes are compared as typed: "7" never matches the clock's "07", and the designed
// hour "24" never matches at all.
void Form3::scheduleTick(const std::array<CheckBox*, 7>& days, const TextBox& hourOff, const TextBox& minsOff,
                         const TextBox& hourOn, const TextBox& minsOn, const std::string& secondsPart,
                         const std::string& clockText) {
    if (Today < 1 || Today > 7 || !ticked(*days[static_cast<size_t>(Today - 1)])) return;
    const std::string offTarget = hourOff.text() + ":" + minsOff.text() + ":" + secondsPart;
    const std::string onTarget = hourOn.text() + ":" + minsOn.text() + ":" + secondsPart;
    if (clockText == offTarget) {
        orLog("the scheduled silence start", [&] { SilenceOn(); });
        Timer9.enable();
    }
    if (clockText == onTarget) {
        orLog("the scheduled silence end", [&] { SilenceOFF(); });
        Check1.setValue(0);
    }
}

// With the warning, announcements stay enabled until Timer9 ticks, so the warning can be spoken.
void Form3::SilenceOn() {
    const bool warn = ticked(Check2);
    const bool link = ticked(Check7);
    if (warn) {
        Check1.setValue(0);
        queueNotice(*this, link ? "Silence Mode Enabled . Link Disabled " : "Silence Mode Enabled");
        EchoLink().SendChatText(timeNow() + "  <Silence Mode Enabled>");
    }
    if (link) EchoLink().LinkEnabled(false);
}

// The end notice waits in the queue until the caller enables announcements again.
void Form3::SilenceOFF() {
    const bool warn = ticked(Check2);
    const bool link = ticked(Check7);
    if (warn) {
        queueNotice(*this, link ? "Silence Mode Disabled . Link Enabled" : "Silence Mode Disabled");
        EchoLink().SendChatText(timeNow() + "  <Silence Mode Disabled>");
    }
    if (link) EchoLink().LinkEnabled(true);
}

void Form3::Timer9_Timer() {
    Check1.setValue(1);
    Timer9.disable();
}
