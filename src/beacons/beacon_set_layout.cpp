// How a beacon-set window looks: the twenty slot rows, each ending in the option that picks it for
// the static beacon and its number, beside the extra beacon, the beacon type and the timed
// beacons; the five buttons along the bottom.
#include "beacons/beacon_set_window.h"

void BeaconSetWindow::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;

    l.rows({{tall(Frame1, 3), Frame2}, {Frame3}, {Frame4}});
    l.row({Command11, Command5, Command3, Command1, Command2});

    std::vector<std::vector<LayoutItem>> slotRows;
    Label* numbers[] = {&SlotNumber1,  &SlotNumber2,  &SlotNumber3,  &SlotNumber4,  &SlotNumber5,
                        &SlotNumber6,  &SlotNumber7,  &SlotNumber8,  &SlotNumber9,  &SlotNumber10,
                        &SlotNumber11, &SlotNumber12, &SlotNumber13, &SlotNumber14, &SlotNumber15,
                        &SlotNumber16, &SlotNumber17, &SlotNumber18, &SlotNumber19, &SlotNumber20};
    for (int k = 1; k <= 20; ++k) {
        slotRows.push_back({slot(k), pickerButton(k), testButton(k), slotOption(k), labelFor(*numbers[k - 1], slotOption(k))});
        l.widthInChars(slot(k), 36);
    }
    l.rows(std::move(slotRows));

    l.row({Text21, Command16, Command4});
    l.widthInChars(Text21, 30);

    l.rows({{StopClock2},
            {Serial, labelFor(Label3, Text22), Text22, labelFor(Label4, Text23), Text23},
            {StopClock0, MaxRand},
            {Label7, StartNo, Label8, NextNo, Command13, Command14},
            {Command15}});
    for (TextBox* t : {&Text22, &Text23, &MaxRand}) l.widthInChars(*t, 3);

    l.rows({{StopClock1, BeaconPeriod1, BeaconSeconds1}, {Check1}, {InfoHourly, InfoQuarter, InfoHalf}});
    l.widthInChars(BeaconPeriod1, 4);

    l.outsideView({&Label5, &Label6, &Text24});
}
