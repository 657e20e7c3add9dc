// How the profile window looks: the heading and the clock, the four profile entries each in its
// frame (name, days, two times, beacon set, DTMF code, apply button), then the beacon setup choice
// and the two buttons; the window keeps the place its settings file stores.
#include "beacons/profile_window.h"

void Form123::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Stored;
    l.bold(Label1);
    l.rows({{Label1, ShowTime}, {Frame1}, {Frame2}, {Frame3}, {Frame4}});
    l.row({Frame5, Command2, Command1});
    l.row({Option10, Option9, SpeakInfo});

    struct Look {
        Label &profileLabel, &at, &dtmfLabel;
        Frame &first, &second, &beacons;
    };
    const Look looks[] = {
        {ProfileLabel1, AtLabel1, DtmfLabel1, TimeFrame1, TimeFrame1x, BeaconsFrame1},
        {ProfileLabel2, AtLabel2, DtmfLabel2, TimeFrame2, TimeFrame2x, BeaconsFrame2},
        {ProfileLabel3, AtLabel3, DtmfLabel3, TimeFrame3, TimeFrame3x, BeaconsFrame3},
        {ProfileLabel4, AtLabel4, DtmfLabel4, TimeFrame4, TimeFrame4x, BeaconsFrame4},
    };
    for (int k = 1; k <= 4; ++k) {
        const Entry& e = entry(k);
        const Look& look = looks[k - 1];
        std::vector<LayoutItem> days;
        for (CheckBox* d : e.days) days.emplace_back(*d);
        l.rows({{labelFor(look.profileLabel, *e.profile), *e.profile, look.at, look.first, look.second, look.beacons,
                 labelFor(look.dtmfLabel, *e.code), *e.code, *e.applyNow},
                days});
        l.row({*e.hour, ":", *e.mins});
        l.row({*e.hourx, ":", *e.minsx});
        l.row({*e.set1, *e.set2});
        l.widthInChars(*e.profile, 12);
        l.widthInChars(*e.code, 6);
        for (TextBox* t : {e.hour, e.mins, e.hourx, e.minsx}) l.widthInChars(*t, 2);
    }
}
