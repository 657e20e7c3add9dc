// The simulated node: events reach every window's object through the loop, in no fixed order;
// the unreachable node fails every call; the transcript shows each change of state once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "core/timer.h"
#include "core/transcript.h"
#include "echolink/forced_release.h"
#include "echolink/simulated_node.h"

namespace {

struct Heard {
    int object;
    std::string event;
};

class NodeTest : public ::testing::Test {
protected:
    VirtualClock clock{*parseDateTime("2026-12-10 12:00:00")};
    EventLoop loop{clock};
    Transcript transcript{clock};
    SimulatedNode node{loop, transcript};
    std::vector<std::shared_ptr<EchoLinkApp>> objects;
    std::vector<Heard> heard;

    // A window's object that notes every event it hears.
    void addListeners(int count) {
        for (int i = 0; i < count; ++i) {
            auto a = node.newApp();
            const int n = static_cast<int>(objects.size());
            a->Closing = [this, n] { heard.push_back({n, "Closing"}); };
            a->DTMFString = [this, n](const std::string& d) { heard.push_back({n, "DTMF " + d}); };
            a->CarrierDetect = [this, n](bool on) { heard.push_back({n, std::string("CD ") + (on ? "1" : "0")}); };
            a->RX = [this, n](bool on) { heard.push_back({n, std::string("RX ") + (on ? "1" : "0")}); };
            a->connected = [this, n](const std::string& c, const std::string& name, const std::string& addr) {
                heard.push_back({n, "connected " + c + "|" + name + "|" + addr});
            };
            a->Disconnected = [this, n](const std::string& c) { heard.push_back({n, "Disconnected " + c}); };
            a->ChatTextReceived = [this, n](const std::string& t) { heard.push_back({n, "Chat " + t}); };
            objects.push_back(a);
        }
    }
    void run(std::int64_t ms = 0) { loop.runFor(ms); }
    std::vector<int> receiversOf(const std::string& event) const {
        std::vector<int> out;
        for (const auto& h : heard)
            if (h.event == event) out.push_back(h.object);
        return out;
    }
    EchoLinkApp& el() { return *objects.front(); }
};

TEST_F(NodeTest, EveryEventReachesEveryObjectOnceThroughTheLoop) {
    addListeners(4);
    struct Case {
        std::function<void(SimulatedNode&)> raise;
        std::string event;
    };
    const std::vector<Case> cases = {
        {[](SimulatedNode& n) { n.receiveDtmf("123"); }, "DTMF 123"},
        {[](SimulatedNode& n) { n.stationConnects("W1ABC", "John", "1.2.3.4"); }, "connected W1ABC|John|1.2.3.4"},
        {[](SimulatedNode& n) { n.receiveChat("W1ABC>hello"); }, "Chat W1ABC>hello"},
        {[](SimulatedNode& n) { n.setInternetAudio(true); }, "RX 1"},
        {[](SimulatedNode& n) { n.setCarrier(true); }, "CD 1"},
        {[](SimulatedNode& n) { n.stationDisconnects("W1ABC"); }, "Disconnected W1ABC"},
        {[](SimulatedNode& n) { n.close(); }, "Closing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.event);
        heard.clear();
        c.raise(node);
        EXPECT_TRUE(heard.empty()) << "delivered outside the loop";
        run();
        auto who = receiversOf(c.event);
        std::sort(who.begin(), who.end());
        EXPECT_EQ(who, (std::vector<int>{0, 1, 2, 3}));
        EXPECT_EQ(heard.size(), 4u);
    }
}

TEST_F(NodeTest, ShuffledDeliveryChangesTheOrderButReachesEveryObject) {
    addListeners(6);
    node.receiveDtmf("1");
    run();
    const auto fixedOrder = receiversOf("DTMF 1");
    EXPECT_EQ(fixedOrder, (std::vector<int>{0, 1, 2, 3, 4, 5}));

    node.shuffleEvents(7);
    bool orderChanged = false;
    for (int i = 0; i < 5; ++i) {
        heard.clear();
        node.receiveDtmf("2");
        run();
        auto order = receiversOf("DTMF 2");
        auto sorted = order;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, fixedOrder);
        orderChanged = orderChanged || order != fixedOrder;
    }
    EXPECT_TRUE(orderChanged);
}

TEST_F(NodeTest, AnObjectGoneBeforeDeliveryIsSkipped) {
    addListeners(3);
    node.receiveChat("W1ABC>hi");
    objects[1].reset();
    run();
    EXPECT_EQ(receiversOf("Chat W1ABC>hi"), (std::vector<int>{0, 2}));
    EXPECT_EQ(node.objectCount(), 2);
}

TEST_F(NodeTest, UnreachableNodeFailsEveryCallAndRecoversWhenBack) {
    addListeners(1);
    node.setUnreachable(true);
    const std::vector<std::function<void(EchoLinkApp&)>> calls = {
        [](EchoLinkApp& a) { a.CloseProgram(); },
        [](EchoLinkApp& a) { a.Connect("W1ABC", true); },
        [](EchoLinkApp& a) { a.Disconnect("W1ABC"); },
        [](EchoLinkApp& a) { a.DisconnectAllStations(); },
        [](EchoLinkApp& a) { a.IsConnected("W1ABC"); },
        [](EchoLinkApp& a) { a.ConnectedCount(); },
        [](EchoLinkApp& a) { a.KeyTransmitter(true); },
        [](EchoLinkApp& a) { a.TransmitterKeyed(); },
        [](EchoLinkApp& a) { a.Activity(); },
        [](EchoLinkApp& a) { a.ReceivingSignal(); },
        [](EchoLinkApp& a) { a.CarrierDetected(); },
        [](EchoLinkApp& a) { a.SendCWText(20, "ID"); },
        [](EchoLinkApp& a) { a.SendDTMF("1"); },
        [](EchoLinkApp& a) { a.SendChatText("hi"); },
        [](EchoLinkApp& a) { a.Profile("Net"); },
        [](EchoLinkApp& a) { a.LinkEnabled(false); },
        [](EchoLinkApp& a) { a.Busy(); },
        [](EchoLinkApp& a) { a.Busy(true); },
        [](EchoLinkApp& a) { a.ListenOnly(true); },
        [](EchoLinkApp& a) { a.RTSLine(true); },
        [](EchoLinkApp& a) { a.DTRLine(true); },
        [](EchoLinkApp& a) { a.LocalNode(); },
        [](EchoLinkApp& a) { a.LinkBusy(); },
    };
    for (size_t i = 0; i < calls.size(); ++i) EXPECT_THROW(calls[i](el()), EchoLinkError) << "call " << i;
    run(2000);
    EXPECT_TRUE(transcript.lines().empty());
    EXPECT_FALSE(node.keyed());
    EXPECT_FALSE(node.closed());
    EXPECT_TRUE(heard.empty());

    node.setUnreachable(false);
    el().KeyTransmitter(true);
    EXPECT_TRUE(el().TransmitterKeyed());
    EXPECT_EQ(el().LocalNode().NodeCallsign, "N0CALL-L");
}

TEST_F(NodeTest, ConnectRaisesConnectedAfterItsDelayWithTheTrimmedCall) {
    addListeners(2);
    el().Connect("  w1abc ", true);
    run(node.connectDelayMs - 1);
    EXPECT_TRUE(heard.empty());
    EXPECT_FALSE(el().IsConnected("W1ABC"));
    run(1);
    EXPECT_EQ(receiversOf("connected W1ABC||").size(), 2u);
    EXPECT_TRUE(el().IsConnected(" w1abc "));
    EXPECT_EQ(el().ConnectedCount(), 1);
    EXPECT_EQ(transcript.lines(), (std::vector<std::string>{"CONNECT W1ABC"}));
}

TEST_F(NodeTest, ConnectTwiceOrOfAConnectedStationConnectsOnce) {
    addListeners(1);
    el().Connect("W1ABC", true);
    el().Connect("w1abc", true);   // still on its way
    run(1000);
    el().Connect("W1ABC", true);   // already there
    run(1000);
    EXPECT_EQ(receiversOf("connected W1ABC||").size(), 1u);
    EXPECT_EQ(transcript.count("CONNECT W1ABC"), 1);
    EXPECT_EQ(el().ConnectedCount(), 1);
}

TEST_F(NodeTest, EmptyCallsignIsNeverConnected) {
    addListeners(1);
    el().Connect("   ", true);
    run(1000);
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(transcript.lines().empty());
    EXPECT_FALSE(el().IsConnected(""));
}

TEST_F(NodeTest, DisconnectRaisesDisconnectedOnlyForAConnectedStation) {
    addListeners(2);
    node.stationConnects("W1ABC", "John", "1.2.3.4");
    run();
    heard.clear();
    el().Disconnect("K2XYZ");
    run();
    EXPECT_TRUE(heard.empty());
    el().Disconnect(" w1abc ");
    run();
    EXPECT_EQ(receiversOf("Disconnected W1ABC").size(), 2u);
    EXPECT_FALSE(el().IsConnected("W1ABC"));
    EXPECT_EQ(transcript.lines(), (std::vector<std::string>{"DISCONNECT W1ABC"}));
}

TEST_F(NodeTest, DisconnectAllRaisesDisconnectedForEachStation) {
    addListeners(1);
    node.stationConnects("W1ABC");
    node.stationConnects("K2XYZ");
    run();
    heard.clear();
    el().DisconnectAllStations();
    run();
    EXPECT_EQ(receiversOf("Disconnected W1ABC").size(), 1u);
    EXPECT_EQ(receiversOf("Disconnected K2XYZ").size(), 1u);
    EXPECT_EQ(el().ConnectedCount(), 0);
    EXPECT_EQ(transcript.lines(), (std::vector<std::string>{"DISCONNECT-ALL"}));
}

TEST_F(NodeTest, DisconnectCancelsAConnectStillOnItsWay) {
    addListeners(1);
    el().Connect("W1ABC", true);
    el().Disconnect("W1ABC");
    run(1000);
    EXPECT_TRUE(receiversOf("connected W1ABC||").empty());
    EXPECT_FALSE(el().IsConnected("W1ABC"));
}

TEST_F(NodeTest, CloseProgramRaisesClosingOnceAndStopsPendingConnects) {
    addListeners(3);
    el().Connect("W1ABC", true);
    el().CloseProgram();
    el().CloseProgram();
    run(1000);
    EXPECT_EQ(receiversOf("Closing").size(), 3u);
    EXPECT_TRUE(node.closed());
    EXPECT_TRUE(receiversOf("connected W1ABC||").empty());
}

TEST_F(NodeTest, TranscriptShowsEachStateChangeOnce) {
    addListeners(1);
    struct Case {
        std::function<void(EchoLinkApp&, bool)> write;
        std::string line;   // as recorded when switched on
        bool initially;
    };
    const std::vector<Case> cases = {
        {[](EchoLinkApp& a, bool v) { a.KeyTransmitter(v); }, "KEY", false},
        {[](EchoLinkApp& a, bool v) { a.Busy(v); }, "BUSY", false},
        {[](EchoLinkApp& a, bool v) { a.ListenOnly(v); }, "LISTEN-ONLY", false},
        {[](EchoLinkApp& a, bool v) { a.LinkEnabled(v); }, "LINK", true},
        {[](EchoLinkApp& a, bool v) { a.RTSLine(v); }, "RTS", false},
        {[](EchoLinkApp& a, bool v) { a.DTRLine(v); }, "DTR", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        transcript.clear();
        const bool v = !c.initially;
        c.write(el(), c.initially);   // no change: nothing
        c.write(el(), v);
        c.write(el(), v);
        c.write(el(), v);
        c.write(el(), !v);
        c.write(el(), !v);
        EXPECT_EQ(transcript.lines(), (std::vector<std::string>{c.line + (v ? " on" : " off"),
                                                                c.line + (v ? " off" : " on")}));
    }
    transcript.clear();
    el().Profile("Net");
    el().Profile("Net");
    el().Profile("Home");
    EXPECT_EQ(transcript.lines(), (std::vector<std::string>{"PROFILE \"Net\"", "PROFILE \"Home\""}));
}

TEST_F(NodeTest, EverythingSentIsRecordedEachTimeWithTheClock) {
    addListeners(1);
    clock.advance(1234);
    el().SendCWText(20, "N0CALL");
    el().SendChatText("say \"hi\"");
    el().SendDTMF("*55");
    el().SendDTMF("*55");
    EXPECT_EQ(transcript.lines(), (std::vector<std::string>{"CW \"N0CALL\"", "CHAT \"say \\\"hi\\\"\"",
                                                            "DTMF-OUT \"*55\"", "DTMF-OUT \"*55\""}));
    EXPECT_EQ(transcript.stamped().front(), "12:00:01.234 CW \"N0CALL\"");
    EXPECT_EQ(node.cwSent(), (std::vector<std::string>{"N0CALL"}));
    EXPECT_EQ(node.dtmfSent().size(), 2u);
}

TEST_F(NodeTest, WhatWasSentIsKeptWithinALogBoxBoundNewestLast) {
    addListeners(1);
    transcript.keepLines(false);
    const int sends = 20'000;   // each history would hold about 300 KB without its bound
    for (int k = 0; k < sends; ++k) {
        el().SendCWText(20, "N0CALL ident " + std::to_string(k));
        el().SendChatText("W1ABC> greeting number " + std::to_string(k));
        el().SendDTMF("*55" + std::to_string(k));
    }
    const std::string last = std::to_string(sends - 1);
    const struct {
        const std::vector<std::string>& sent;
        std::string newest;
    } histories[] = {{node.cwSent(), "N0CALL ident " + last},
                     {node.chatSent(), "W1ABC> greeting number " + last},
                     {node.dtmfSent(), "*55" + last}};
    for (const auto& h : histories) {
        size_t chars = 0;
        for (const auto& line : h.sent) chars += line.size() + 2;
        EXPECT_LE(chars, kLogBoxChars) << h.newest;
        EXPECT_GT(chars, kLogBoxChars - 40) << h.newest;
        ASSERT_FALSE(h.sent.empty());
        EXPECT_EQ(h.sent.back(), h.newest);
    }
}

TEST_F(NodeTest, LinkBusyReadsActivitySignalAndCarrier) {
    addListeners(1);
    EXPECT_FALSE(el().LinkBusy());
    for (auto set : std::vector<std::function<void(bool)>>{[&](bool v) { node.setActivity(v); },
                                                           [&](bool v) { node.setReceivingSignal(v); },
                                                           [&](bool v) { node.setCarrier(v); }}) {
        set(true);
        EXPECT_TRUE(el().LinkBusy());
        set(false);
        EXPECT_FALSE(el().LinkBusy());
    }
}

// What a forced end writes on standard output: a release line for each thing the node still
// holds, stamped with the station's clock, and nothing for what it has already let go.
std::string releasedOnStandardOutput() {
    int ends[2];
    if (pipe(ends) != 0) return "(no pipe)";
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(ends[1], STDOUT_FILENO);
    releaseHeldOnAir();
    dup2(saved, STDOUT_FILENO);
    close(saved);
    close(ends[1]);
    std::string out;
    char buf[256];
    for (ssize_t n; (n = read(ends[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
    close(ends[0]);
    return out;
}

TEST_F(NodeTest, AForcedEndReleasesWhatTheNodeStillHolds) {
    auto a = node.newApp();
    clock.advanceTo(*parseDateTime("2026-12-10 13:59:58"));
    a->KeyTransmitter(true);
    a->RTSLine(true);
    a->DTRLine(true);
    a->DTRLine(false);
    const std::string out = releasedOnStandardOutput();
    // The stamp is the station's time at the last change plus the little real time since.
    EXPECT_TRUE(startsWith(out, "13:59:58.0")) << out;
    EXPECT_NE(out.find(" KEY off\n"), std::string::npos) << out;
    EXPECT_NE(out.find(" RTS off\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("DTR"), std::string::npos) << out;
    EXPECT_EQ(releasedOnStandardOutput(), "") << "released once";
    a->KeyTransmitter(false);
    a->RTSLine(false);
    EXPECT_EQ(releasedOnStandardOutput(), "") << "nothing held";
}

}  // namespace

namespace {
// Each operation by the name the failures made to order use.
const std::vector<std::pair<std::string, std::function<void(EchoLinkApp&)>>>& namedCalls() {
    static const std::vector<std::pair<std::string, std::function<void(EchoLinkApp&)>>> calls = {
        {"Connect", [](EchoLinkApp& a) { a.Connect("W1ABC", true); }},
        {"Disconnect", [](EchoLinkApp& a) { a.Disconnect("W1ABC"); }},
        {"DisconnectAllStations", [](EchoLinkApp& a) { a.DisconnectAllStations(); }},
        {"IsConnected", [](EchoLinkApp& a) { a.IsConnected("W1ABC"); }},
        {"ConnectedCount", [](EchoLinkApp& a) { a.ConnectedCount(); }},
        {"KeyTransmitter", [](EchoLinkApp& a) { a.KeyTransmitter(false); }},
        {"TransmitterKeyed", [](EchoLinkApp& a) { a.TransmitterKeyed(); }},
        {"Activity", [](EchoLinkApp& a) { a.Activity(); }},
        {"ReceivingSignal", [](EchoLinkApp& a) { a.ReceivingSignal(); }},
        {"CarrierDetected", [](EchoLinkApp& a) { a.CarrierDetected(); }},
        {"SendCWText", [](EchoLinkApp& a) { a.SendCWText(20, "ID"); }},
        {"SendDTMF", [](EchoLinkApp& a) { a.SendDTMF("1"); }},
        {"SendChatText", [](EchoLinkApp& a) { a.SendChatText("hi"); }},
        {"Profile", [](EchoLinkApp& a) { a.Profile(""); }},
        {"LinkEnabled", [](EchoLinkApp& a) { a.LinkEnabled(true); }},
        {"Busy", [](EchoLinkApp& a) { a.Busy(); }},
        {"ListenOnly", [](EchoLinkApp& a) { a.ListenOnly(false); }},
        {"RTSLine", [](EchoLinkApp& a) { a.RTSLine(false); }},
        {"DTRLine", [](EchoLinkApp& a) { a.DTRLine(false); }},
        {"LocalNode", [](EchoLinkApp& a) { a.LocalNode(); }},
        {"CloseProgram", [](EchoLinkApp& a) { a.CloseProgram(); }},   // last: it closes the node
    };
    return calls;
}
}  // namespace

TEST_F(NodeTest, ANamedOperationFailsAloneForItsNextCallsOrUntilTold) {
    addListeners(1);
    ASSERT_EQ(namedCalls().size(), SimulatedNode::operationNames().size());
    for (const auto& [name, call] : namedCalls()) {
        ASSERT_TRUE(node.failOperation(name, 2)) << name;
        for (const auto& [other, otherCall] : namedCalls()) {
            if (other != name && other != "CloseProgram") {
                EXPECT_NO_THROW(otherCall(el())) << name << " made " << other << " fail";
            }
        }
        EXPECT_THROW(call(el()), EchoLinkError) << name;
        EXPECT_THROW(call(el()), EchoLinkError) << name;
        EXPECT_NO_THROW(call(el())) << name << " failed past its two calls";
    }
    EXPECT_NO_THROW(el().Busy(true)) << "Busy, read and written, is one operation";
    node.failOperation("Busy");
    for (int i = 0; i < 5; ++i) EXPECT_THROW(el().Busy(false), EchoLinkError);
    EXPECT_TRUE(node.busy());
    node.stopFailing("Busy");
    el().Busy(false);
    EXPECT_FALSE(node.busy());

    EXPECT_FALSE(node.failOperation("KeyTransmiter", 1)) << "a name the interface does not have";
    EXPECT_FALSE(node.stopFailing("Nothing"));
    node.failOperation("all", 3);
    EXPECT_THROW(el().KeyTransmitter(true), EchoLinkError);
    EXPECT_THROW(el().SendCWText(0, "K"), EchoLinkError);
    EXPECT_THROW(el().Activity(), EchoLinkError);
    EXPECT_NO_THROW(el().Activity());
    node.failOperation("all");
    node.failOperation("SendDTMF", 1);
    EXPECT_THROW(el().LocalNode(), EchoLinkError);
    node.stopFailing("all");
    EXPECT_NO_THROW(el().SendDTMF("1")) << "all off ends the named failures too";
    EXPECT_NO_THROW(el().LocalNode());
}

TEST_F(NodeTest, CallsAreCountedByTheHandlerThatMadeThem) {
    auto window = node.newApp("Form3");
    window->DTMFString = [&](const std::string&) {
        window->SendCWText(0, "K");
        window->Activity();
    };
    Timer poll(loop, "Timer8", 100, [&] { step([&] { window->CarrierDetected(); }); });
    node.failOperation("SendCWText");
    node.receiveDtmf("1");
    run(250);
    EXPECT_TRUE(transcript.lines().empty());
    node.countCalls(true);
    node.receiveDtmf("1");
    run(100);

    std::vector<std::string> counted;
    for (const auto& c : node.callCounts())
        counted.push_back(c.operation + " " + c.handler + " " + std::to_string(c.calls) + " " + std::to_string(c.failed));
    std::sort(counted.begin(), counted.end());
    EXPECT_EQ(counted, (std::vector<std::string>{"CarrierDetected Timer8 1 0", "SendCWText Form3.DTMFString 1 2"}))
        << "failed calls are counted always, every call only while counting; Activity is never reached";
}
