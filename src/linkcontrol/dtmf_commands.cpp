// DTMF remote control: every command whose code equals the received digits acts, in a fixed order.
#include "app/app.h"
#include "echolink/echolink_app.h"
#include "linkcontrol/connect_control_window.h"
#include "linkcontrol/countdowns_and_calls.h"
#include "player/player_window.h"
#include "speech/idents_window.h"

using namespace linkcontrol;

// A code is the whole text of its box, exact and case-sensitive; an empty box never matches.
bool Form4::codeMatches(const TextBox& code, const std::string& digits) const {
    return !code.text().empty() && code.text() == digits;
}

// With the delay in use, station commands wait until the delay has run out.
bool Form4::stationGateOpen() const {
    if (UseDTMFDelay.value() == 0) return true;
    if (!ticked(UseDTMFDelay)) return false;
    return runOut(DTMFDelayPeriod);
}

void Form4::EchoLink_DTMFString(const std::string& sDigits) {
    const std::string digits = sDigits;
    if (digits.empty()) return;   // nothing was keyed: no command may act on it

    if (codeMatches(StopPlayer, digits)) stopPlayerCommand();
    if ((codeMatches(Text2x, digits) || digits == kFixedTimedConnectCode) && !callOf(Text1x).empty())
        startTimedConnectionCommand();
    if (codeMatches(Text3x, digits) && !callOf(Text1x).empty()) stopTimedConnectionCommand();
    if (codeMatches(ReStart, digits)) restartCommand();
    if (codeMatches(CloseDown, digits)) closeDownCommand();
    if (codeMatches(Text222, digits)) step([&] { Check1.setValue(1); });
    if (codeMatches(Text333, digits)) step([&] { Check1.setValue(0); });
    if (codeMatches(Text1111, digits)) step([&] { UseDTMFDelay.setValue(1); });
    if (codeMatches(Text2222, digits)) step([&] { UseDTMFDelay.setValue(0); });

    // Connect and disconnect commands: held back while the DTMF delay runs.
    if (!stationGateOpen()) return;
    if (codeMatches(Text555, digits) && ticked(Check1)) disconnectLastCommand();
    if (codeMatches(Text111, digits) && ticked(Check1)) step([&] { EchoLink().DisconnectAllStations(); });
    const std::array<std::pair<TextBox*, TextBox*>, 8> singles{{{&DTMF1, &Call1},
                                                                {&DTMF2, &Call2},
                                                                {&DTMF3, &Call3},
                                                                {&DTMF4, &Call4},
                                                                {&DTMF5, &Call5},
                                                                {&DTMF6, &Call6},
                                                                {&DTMF7, &Call7},
                                                                {&DTMF8, &Call8}}};
    for (const auto& [code, call] : singles)
        if (codeMatches(*code, digits) && !callOf(*call).empty()) toggleStationByDtmf(*call);
    const std::array<TextBox*, 3> group1{&GroupCall1, &GroupCall2, &GroupCall3};
    const std::array<TextBox*, 3> group2{&GroupCall4, &GroupCall5, &GroupCall6};
    if (codeMatches(DTMFGroup1Disc, digits)) groupDisconnectByDtmf(group1);
    if (codeMatches(DTMFGroup1Connect, digits)) groupConnectByDtmf(group1);
    if (codeMatches(DTMFGroup2Disc, digits)) groupDisconnectByDtmf(group2);
    if (codeMatches(DTMFGroup2Connect, digits)) groupConnectByDtmf(group2);
}

// Stops the player (duplex repeaters) and says so at once.
void Form4::stopPlayerCommand() {
    Form1& player = app().form1();
    step([&] { player.StopOnRequest(); });
    step([&] { EchoLink().Busy(false); });
    step([&] {
        Form3& idents = app().form3();
        idents.SayTheText = "Player stopped. System Ready";
        idents.SpeakTheText();
    });
}

// The connect itself comes one second later (Timer12), the busy listing two seconds later (Timer11).
void Form4::startTimedConnectionCommand() {
    step([&] {
        if (ticked(Check10)) EchoLink().DisconnectAllStations();
    });
    step([&] {
        if (ucase(Text1x.text()) == kTestStation) EchoLink().DisconnectAllStations();
    });
    step([&] {
        Timer12.setInterval(1000);
        Timer12.enable();
    });
    step([&] {
        if (ticked(Check12)) {
            Timer11.setInterval(2000);
            Timer11.enable();
        }
    });
}

void Form4::stopTimedConnectionCommand() {
    step([&] {
        if (ticked(Check10)) EchoLink().DisconnectAllStations();
    });
    step([&] {
        if (firstBranchOnFailure([&] { return EchoLink().IsConnected(callOf(Text1x)); }))
            EchoLink().Disconnect(upperCallOf(Text1x));
    });
    cancelTimedConnection();
    ListBusy = "0";
    step([&] { EchoLink().Busy(false); });
    reconnectStayConnectedStations();
}

void Form4::restartCommand() {
    step([&] {
        if (!app().shell().restartComputer()) LogError("Form4 restart command <-- the restart could not be started ");
    });
}

// The announcement is queued; five seconds later EchoLink is asked to close (Timer16).
void Form4::closeDownCommand() {
    step([&] {
        Form3& idents = app().form3();
        idents.SayTheText = "This Link is now closing down";
        idents.flag2 = 1;
    });
    step([&] { Timer16.enable(); });
}

void Form4::disconnectLastCommand() {
    step([&] {
        const std::string last = callOf(LastConnected);
        if (last.empty()) return;
        if (firstBranchOnFailure([&] { return EchoLink().IsConnected(last); })) EchoLink().Disconnect(last);
    });
}

// A station that cannot be asked about counts as connected and is disconnected.
void Form4::toggleStationByDtmf(const TextBox& callBox) {
    step([&] {
        if (firstBranchOnFailure([&] { return EchoLink().IsConnected(callOf(callBox)); }))
            EchoLink().Disconnect(upperCallOf(callBox));
        else
            EchoLink().Connect(upperCallOf(callBox), true);
    });
}

void Form4::groupDisconnectByDtmf(const std::array<TextBox*, 3>& group) {
    for (TextBox* box : group) {
        if (callOf(*box).empty()) continue;
        step([&] {
            if (firstBranchOnFailure([&] { return EchoLink().IsConnected(callOf(*box)); }))
                EchoLink().Disconnect(upperCallOf(*box));
        });
    }
}

void Form4::groupConnectByDtmf(const std::array<TextBox*, 3>& group) {
    for (TextBox* box : group) {
        if (callOf(*box).empty()) continue;
        step([&] {
            if (!firstBranchOnFailure([&] { return EchoLink().IsConnected(callOf(*box)); }))
                EchoLink().Connect(upperCallOf(*box), true);
        });
    }
}
