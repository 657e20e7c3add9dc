// The idents window's own DTMF codes.
#include <functional>

#include "idents_support.h"

using V = std::vector<std::string>;

namespace {
// The codes that have no default get their own digits here.
const char* kCodes = "TOGGLETEXT=41\nTEXT8=51\nANNOUNCEOFF=61\nANNOUNCEON=71\nDTMF=81\n";

struct Digits {
    Station& s;
    void operator()(const std::string& digits) {
        s.node().receiveDtmf(digits);
        s.advance(0.01);
    }
};

struct CodeCase {
    const char* name;
    std::function<void(Form3&)> before;
    const char* digits;
    std::function<bool(Form3&)> switched;
    const char* reply;   // empty: none queued
};
}  // namespace

TEST(IdentsDtmf, EachCodeSwitchesItsFeatureAndQueuesItsReply) {
    const auto none = [](Form3&) {};
    const CodeCase cases[] = {
        {"permanent on", none, "###3", [](Form3& f) { return f.Check4.value() == 1; }, "Always On Enabled"},
        {"permanent off", [](Form3& f) { f.Check4.setValue(1); f.FanCTRL2.setValue(1); }, "###3",
         [](Form3& f) { return f.Check4.value() == 0 && f.FanCTRL2.value() == 0; }, "Always On Disabled"},
        {"alternate on", none, "###1", [](Form3& f) { return f.FanCTRL2.value() == 1; }, "Enabled"},
        {"alternate on, no message", [](Form3& f) { f.UseFanMessage.setValue(0); }, "###1",
         [](Form3& f) { return f.FanCTRL2.value() == 1; }, ""},
        {"alternate off", [](Form3& f) { f.FanCTRL2.setValue(1); }, "###0",
         [](Form3& f) { return f.FanCTRL2.value() == 0; }, "Disabled"},
        {"chat speech on", none, "41", [](Form3& f) { return f.SayText.value() == 1; }, "Text Message Enabled"},
        {"chat speech off", [](Form3& f) { f.SayText.setValue(1); }, "41",
         [](Form3& f) { return f.SayText.value() == 0; }, "Text Message Disabled"},
        {"timed connect on", none, "51", [](Form3& f) { return f.StopClockx.value() == 1; },
         "Auto Timed Connect Enabled"},
        {"timed connect off", [](Form3& f) { f.StopClockx.setValue(1); }, "51",
         [](Form3& f) { return f.StopClockx.value() == 0; }, "Auto Timed Connect Disabled"},
        {"silence on, warned", [](Form3& f) { f.Check2.setValue(1); }, "61",
         [](Form3& f) { return f.Timer9.enabled() && f.Check1.value() == 0; }, "Silence Mode Enabled"},
        {"silence on, silent", none, "61", [](Form3& f) { return f.Timer9.enabled(); }, ""},
        {"silence off, warned, link", [](Form3& f) { f.Check1.setValue(1); f.Check2.setValue(1); f.Check7.setValue(1); },
         "71", [](Form3& f) { return f.Check1.value() == 0; }, "Silence Mode Disabled . Link Enabled"},
        {"time", [](Form3& f) { f.UseDTMF.setValue(1); f.Check3.setValue(0); }, "81",
         [](Form3&) { return true; }, "The Time Is1 05 P M"},
        {"time not in use", none, "81", [](Form3&) { return true; }, ""},
        {"stay con 1 on", none, "*1*", [](Form3& f) { return f.StayCon1.value() == 1; }, "Auto Connect 1 Enabled"},
        {"stay con 1 off", [](Form3& f) { f.StayCon1.setValue(1); }, "*1*",
         [](Form3& f) { return f.StayCon1.value() == 0; }, "Auto Connect 1 Disabled"},
        {"stay con 2 on", none, "*0*", [](Form3& f) { return f.StayCon2.value() == 1; }, "Auto Connect 2 Enabled"},
        {"stay con 2 off", [](Form3& f) { f.StayCon2.setValue(1); }, "*0*",
         [](Form3& f) { return f.StayCon2.value() == 0; }, "Auto Connect 2 Disabled"},
    };
    for (const CodeCase& c : cases) {
        Station s({"2026-12-10 13:05:00"});
        Form3& f = openIdents(s, kCodes);
        c.before(f);
        f.SayTheText = "untouched";
        f.Timer1.disable();   // the speech queue's clock: the reply stays in the queue to be read
        Digits{s}(c.digits);
        EXPECT_TRUE(c.switched(f)) << c.name;
        if (*c.reply) {
            EXPECT_EQ(f.SayTheText, c.reply) << c.name;
            EXPECT_EQ(f.flag2, 1) << c.name;
        } else {
            EXPECT_EQ(f.SayTheText, "untouched") << c.name;
            EXPECT_EQ(f.flag2, 0) << c.name;
        }
    }
}

TEST(IdentsDtmf, TheReplyIsSpokenByTheSpeechQueue) {
    Station s({"2026-12-10 13:05:00"});
    openIdents(s);
    Digits{s}("*1*");
    s.advance(2);
    EXPECT_EQ(s.speech->spoken, V{"Auto Connect 1 Enabled"});
    Digits{s}("*1*");
    s.advance(2);
    EXPECT_EQ(s.speech->spoken, (V{"Auto Connect 1 Enabled", "Auto Connect 1 Disabled"}));
}

TEST(IdentsDtmf, AWrongOrEmptyCodeDoesNothing) {
    Station s({"2026-12-10 13:05:00"});
    Form3& f = openIdents(s);   // the codes without a default are empty boxes
    f.Timer1.disable();
    for (const char* digits : {"", "123", "###", " *1*", "*1* ", "###3#"}) Digits{s}(digits);
    EXPECT_EQ(f.flag2, 0);
    EXPECT_EQ(f.Check4.value(), 0);
    EXPECT_EQ(f.SayText.value(), 0);
    EXPECT_EQ(f.StopClockx.value(), 0);
    EXPECT_EQ(f.StayCon1.value(), 0);
    EXPECT_FALSE(f.Timer9.enabled());
    EXPECT_TRUE(chatLines(s).empty());
}

TEST(IdentsDtmf, TwoBoxesWithOneCodeBothActAndTheLaterReplyIsQueued) {
    Station s({"2026-12-10 13:05:00"});
    Form3& f = openIdents(s, "TEXT8=*1*\n");
    f.Timer1.disable();
    Digits{s}("*1*");
    EXPECT_EQ(f.StopClockx.value(), 1);
    EXPECT_EQ(f.StayCon1.value(), 1);
    EXPECT_EQ(f.SayTheText, "Auto Connect 1 Enabled");
}

TEST(IdentsDtmf, SilenceByDtmfSendsTheChatNoticeSwitchesTheLinkAndSilencesFiveSecondsLater) {
    Station s({"2026-12-10 13:05:00"});
    Form3& f = openIdents(s, std::string(kCodes) + "CHECK2=1\nCHECK7=1\n");
    Digits{s}("61");
    EXPECT_FALSE(s.node().linkEnabled());
    EXPECT_EQ(chatLines(s), V{"CHAT \"13:05:00  <Silence Mode Enabled>\""});
    s.advance(3);
    EXPECT_EQ(s.speech->spoken, V{"Silence Mode Enabled . Link Disabled "}) << "warned before the silence";
    EXPECT_EQ(f.Check1.value(), 0);
    s.advance(2.5);
    EXPECT_EQ(f.Check1.value(), 1);

    Digits{s}("71");
    EXPECT_EQ(f.Check1.value(), 0);
    EXPECT_TRUE(s.node().linkEnabled());
    EXPECT_TRUE(endsWith(chatLines(s).back(), "  <Silence Mode Disabled>\"")) << chatLines(s).back();
    s.advance(2);
    EXPECT_EQ(s.speech->spoken.back(), "Silence Mode Disabled . Link Enabled");
}

TEST(IdentsDtmf, AFailingSilenceStepIsLoggedAndTheSilenceStillBegins) {
    Station s({"2026-12-10 13:05:00"});
    Form3& f = openIdents(s, std::string(kCodes) + "CHECK2=1\n");
    s.node().setUnreachable(true);
    Digits{s}("61");
    s.node().setUnreachable(false);
    EXPECT_TRUE(s.transcript().contains("LOG \"Idents: the DTMF silence start failed"));
    s.advance(6);
    EXPECT_EQ(f.Check1.value(), 1);
}
