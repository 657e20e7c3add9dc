// The beacon-set windows' buttons.
#include "beacon_test_support.h"
#include "support/test_wav.h"

namespace {
std::vector<BeaconSetWindow*> bothSets(Station& s) { return {&s.app().form111(), &s.app().form110()}; }
}  // namespace

TEST(BeaconCommands, EachTestButtonPlaysItsOwnRow) {
    const std::vector<std::pair<int, std::string>> rows = {
        {1, "Command61"},  {2, "Command59"},  {3, "Command57"},  {4, "Command55"},  {5, "Command53"},
        {6, "Command51"},  {7, "Command23"},  {8, "Command21"},  {9, "Command29"},  {10, "Command28"},
        {11, "Command27"}, {12, "Command26"}, {13, "Command25"}, {14, "Command24"}, {15, "Command7"},
        {16, "Command8"},  {17, "Command9"},  {18, "Command10"}, {19, "Command6"},  {20, "Command12"},
        {21, "Command4"}};
    Station s;
    s.app().form3().Check1.setValue(1);
    for (BeaconSetWindow* set : bothSets(s)) {
        nameSlots(*set);
        set->Text21.setText("extra");
        for (const auto& [k, button] : rows) {
            SCOPED_TRACE(set->name() + "." + button);
            set->TempText = "-";
            s.click(set->name() + "." + button);
            EXPECT_EQ(set->TempText, k == 21 ? "extra" : "slot " + std::to_string(k));
        }
    }
}

TEST(BeaconCommands, ATestPutsAnAudioSlotOnTheAirEvenWhileBusy) {
    Station s;
    s.node().setCarrier(true);
    s.app().form3().Check1.setValue(1);
    Form110& set = s.app().form110();
    const std::string club = writeTestWav(s.dataFile("club.mp3"));
    set.Text14.setText(club);
    s.click("Form110.Command24");
    EXPECT_EQ(s.app().form1().txtFile.text(), club);
}

TEST(BeaconCommands, APickerFillsItsBoxOrSaysNothingWasChosen) {
    Station s;
    Form111& set = s.app().form111();
    set.Text1.setText("old text");
    s.dialogs->answerFile("/sounds/id.wav");
    s.click("Form111.Command30");
    EXPECT_EQ(set.Text1.text(), "/sounds/id.wav");
    EXPECT_TRUE(s.dialogs->shown.empty());

    s.dialogs->answerFile(std::nullopt);
    s.click("Form111.Command49");
    EXPECT_EQ(set.Text20.text(), "");
    ASSERT_EQ(s.dialogs->shown.size(), 1u);
    EXPECT_EQ(s.dialogs->shown[0].title, "Error No File selected");
    EXPECT_EQ(s.dialogs->shown[0].text, " No file Selected");

    s.dialogs->answerFile("/sounds/extra.txt");
    s.click("Form111.Command16");
    EXPECT_EQ(set.Text21.text(), "/sounds/extra.txt");
}

TEST(BeaconCommands, StepNextAndReSetMoveTheCounterByTheRangeCopies) {
    Station s;
    Form111& set = s.app().form111();
    set.Text22.operatorType("3");
    set.Text23.operatorType("5");
    s.advance(2.5);
    set.NextNo.setCaption("6");
    s.click("Form111.Command13");
    EXPECT_EQ(set.StartNo.caption(), "3");
    EXPECT_EQ(set.NextNo.caption(), "4");
    s.click("Form111.Command13");
    EXPECT_EQ(set.NextNo.caption(), "5");
    s.click("Form111.Command13");
    s.click("Form111.Command13");
    EXPECT_EQ(set.NextNo.caption(), "4") << "Next = To + 1 wraps to From and steps past it";

    set.Text22.operatorType("8");   // the copies still hold 3 until the next tick
    s.click("Form111.Command14");
    EXPECT_EQ(set.NextNo.caption(), "3");
    s.advance(1);
    s.click("Form111.Command14");
    EXPECT_EQ(set.StartNo.caption(), "8");
    EXPECT_EQ(set.NextNo.caption(), "8");

    set.NextNo.setCaption("?");
    s.click("Form111.Command13");
    EXPECT_EQ(set.NextNo.caption(), "9") << "a counter that is not a number starts again at From";
}

TEST(BeaconCommands, TestBeaconsSendsOneBeaconAndNothingWhileBusy) {
    Station s;
    s.app().form3().Check1.setValue(1);
    Form110& set = s.app().form110();
    nameSlots(set);
    set.Option9.setValue(true);
    s.click("Form110.Command15");
    EXPECT_EQ(set.TempText, "slot 9");
    set.TempText = "-";
    s.app().form3().PTT.setCaption("PTT ON");
    s.click("Form110.Command15");
    EXPECT_EQ(set.TempText, "-");
}

TEST(BeaconCommands, StopClearsTheBusyListingAndTheWindowButtonsShowAndHide) {
    Station s;
    Form111& set1 = s.app().form111();
    set1.EchoLink().Busy(true);
    s.click("Form111.Command5");
    EXPECT_FALSE(s.node().busy());

    set1.Show();
    s.click("Form111.Command11");
    EXPECT_TRUE(s.app().form110().visible());
    s.click("Form110.Command11");
    EXPECT_TRUE(set1.visible());
    s.click("Form111.Command3");
    EXPECT_TRUE(s.app().form3().visible());
    s.click("Form111.Command2");
    EXPECT_FALSE(set1.visible());
    EXPECT_TRUE(set1.Beacon1.enabled()) << "a hidden window goes on sending";

    s.app().form110().closeRequest();
    s.click("Form111.Command11");
    EXPECT_TRUE(s.app().form110().visible()) << "a closed window is created anew";

    set1.Text9.setText("saved by the button");
    s.click("Form111.Command1");
    EXPECT_NE(s.readSettings("beaconabc.ini").find("saved by the button"), std::string::npos);
}
