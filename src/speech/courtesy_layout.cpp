// How the courtesy window looks: the link type and the status boxes above a tabbed panel whose
// page "Curtesy  ID's" holds the RF timings, the tone files, the CW letters, the volume, the
// courtesy choice and the no-station notice; the window keeps the place its settings file stores.
#include "speech/courtesy_window.h"

void Form22::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Stored;

    Frame& linkType = l.group("FrameLinkType", "Link Type");
    Frame& status = l.group("FrameStatus", "");
    TabStrip& tabs = l.tabStrip("SSTab1");
    TabPage& page = l.tabPage(tabs, "TabCourtesy", "Curtesy  ID's");
    l.rows({{linkType, status}});
    l.row({labelFor("Parrot Enabled Message", ParrotEnabled), ParrotEnabled, Command14});
    l.row({tabs});
    l.rowsIn(linkType, {{Option6, Option7}});
    l.rowsIn(status, {{PTT1, RFUser, Kerchunk, PTT}});

    Frame& pttLine = l.group("FramePTTSelected", "PTT Selected", &page);
    Frame& timings = l.group("FrameRFTimings", "RF Timings ", &page);
    Frame& noStation = l.group("FrameNoConnects", "Announce When No Connects", &page);
    Frame& volume = l.group("FrameVolume", "Volume (Curtesy)", &page);
    Frame& courtesy = l.group("FrameCourtesyID", "Curtesy ID", &page);
    Frame& tail = l.group("FrameDelayAfterID", "Delay after Audio ID", &page);
    l.rowsIn(page, {{tall(timings, 3), pttLine}, {courtesy}, {tail}, {noStation, volume}});
    l.rowsIn(page, {{HowManyConnected, Command13, Command9}});
    l.rowsIn(pttLine, {{UseRTS}, {UseDTR}});
    l.rowsIn(timings, {{"", "", "CW ID"},
                       {labelFor("RF CW ID", CourtesyID), CourtesyID, Command10, labelFor("Internet CW ID", IPCourtesy),
                        IPCourtesy, Command11},
                       {"Use \" : \" for None"},
                       {labelFor("Anti-Kerchunker", KerchunkWait), KerchunkWait, "ms", OK2Kerchunk},
                       {labelFor("HangTime Before ID ", HangTime), HangTime, "ms"},
                       {labelFor("RF Audio ID", RFTone), RFTone, Command1, Command7},
                       {labelFor("Internet Audio ID", InetTone), InetTone, Command6, Command8}});
    l.rowsIn(noStation, {{NoCon, Option8, Option9},
                         {labelFor("No Station Connected TTS", NoStationCon), NoStationCon, Text11, Command15}});
    l.rowsIn(volume, {{"0%", V1, "100%", VolSet}, {"", "50%"}});
    l.rowsIn(courtesy, {{Check1, Option1, Option2}});
    l.rowsIn(tail, {{Option3, Option4, Option5}});
    for (TextBox* t : {&CourtesyID, &IPCourtesy, &Text11}) l.widthInChars(*t, 2);
    for (TextBox* t : {&KerchunkWait, &HangTime, &VolSet}) l.widthInChars(*t, 6);
    for (TextBox* t : {&RFTone, &InetTone}) l.widthInChars(*t, 40);

    NoCon.setToolTip("Announce when RF user using the link that there is no connections");
    NoStationCon.setToolTip("Path and file name of NoStationConnected Audio Tone");
    IPCourtesy.setToolTip("Internet CW Ident Letter");
    CourtesyID.setToolTip("RF CW Ident Letter");
    Command10.setToolTip("Test RF CW ID");
    Command11.setToolTip("Test IP CW ID");
    KerchunkWait.setToolTip("Anti-Kerchunker time in Milliseconds");
    HangTime.setToolTip("Hang Time Before ID in xx Milliseconds");
    RFTone.setToolTip("Path and file name to RF Audio Tone");
    InetTone.setToolTip("Path and file name to Internet Audio Tone");
    Option1.setToolTip("Use CW Idents");
    Option2.setToolTip("Use Audio Idents");
}
