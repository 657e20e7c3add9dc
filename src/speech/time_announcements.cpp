// The spoken time: on the hour, quarter and half hour, on demand, and as a tail after a notice.
#include <cstdio>

#include "core/datetime.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "speech/idents_window.h"

namespace {
std::string twoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}
}  // namespace

Form3::TimeParts Form3::takeTimeParts() const {
    const LocalMs t = now();
    const int h = hourOf(t);
    const std::string hh = twoDigits(h % 12 == 0 ? 12 : h % 12);
    return {hh[0] == '0' ? hh.substr(1) : hh, twoDigits(minuteOf(t)), h < 12 ? "A M" : "P M"};
}

std::string Form3::TimePhrase(const TimeParts& parts) const {
    std::string preamble = "The Time Is";
    if (Check3.value() != 0) {
        const int h = hourOf(now());
        if (h < 12)
            preamble = "Good Morning, The Time Is";
        else if (h < 18)
            preamble = "Good Afternoon, The Time Is";
        else
            preamble = "Good Evening, The Time Is";
    }
    if (Option1.value()) {
        if (parts.minutes == "00") return preamble + parts.hour12 + " " + parts.designator;
        return preamble + parts.hour12 + " " + parts.minutes + " " + parts.designator;
    }
    const LocalMs t = now();
    if (parts.minutes == "00") return preamble + twoDigits(hourOf(t)) + " Hundred Hours";
    return preamble + twoDigits(hourOf(t)) + " " + twoDigits(minuteOf(t));
}

void Form3::TheTimeBit() {
    const TimeParts parts = takeTimeParts();
    if (Option1.value()) {
        SayTheText = "at" + parts.hour12 + " " + parts.minutes + "  " + parts.designator;
    } else {
        const LocalMs t = now();
        SayTheText = "at" + twoDigits(hourOf(t)) + " " + twoDigits(minuteOf(t));
    }
    flagtime = 1;
    flag2 = 1;
}

void Form3::announceTime(const TimeParts& parts, const std::string& clockText) {
    if (InUse == 1) return;
    if (EchoLink().CarrierDetected() || PTT2.caption() == kReceiving) return;
    const auto lastFive = [&] { return right(clockText, 5); };
    if (lastFive() == "00:00" && OnHour.value() == 1) {
        SayTheText = TimePhrase(parts);
        SpeakTheText();
    }
    if ((lastFive() == "15:00" || lastFive() == "45:00") && QuarterHour.value() == 1) {
        SayTheText = TimePhrase(parts);
        SpeakTheText();
    }
    if (lastFive() == "30:00" && HalfHour.value() == 1) {
        SayTheText = TimePhrase(parts);
        SpeakTheText();
    }
}

void Form3::wireAnnouncements() {
    TheTime.onClick([this] {
        SayTheText = TimePhrase(takeTimeParts());
        flag2 = 1;
    });
    BeaconPeriod1.numberOnly = true;
    PlusSeconds.numberOnly = true;
    BeaconPeriod1.onChange([this] { BeaconPeriod1_Change(); });
    PlusSeconds.onChange([this] { PlusSeconds.numberOnly = true; });
    SpeakInfo.onClick([this] { SpeakInfo_Click(); });
}
