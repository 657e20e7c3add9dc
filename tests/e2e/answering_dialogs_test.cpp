// The console's dialogs: each dialog takes the next answer given; unanswered ones change nothing.
#include <gtest/gtest.h>

#include "app/headless/answering_dialogs.h"

namespace {
TEST(AnsweringDialogs, EachBoxTakesTheNextAnswerWhenItOffersIt) {
    struct Case {
        const char* given;   // nullptr: nothing given
        MsgButtons buttons;
        MsgAnswer expected;
    };
    const Case cases[] = {
        {"yes", MsgButtons::YesNo, MsgAnswer::Yes},
        {"NO", MsgButtons::YesNoCancel, MsgAnswer::No},
        {"cancel", MsgButtons::YesNoCancel, MsgAnswer::Cancel},
        {"ok", MsgButtons::OkCancel, MsgAnswer::Ok},
        {"yes", MsgButtons::Ok, MsgAnswer::Ok},           // not offered: the box's default
        {"/tmp/a.wav", MsgButtons::YesNo, MsgAnswer::No},  // a path is no answer to a question
        {nullptr, MsgButtons::Ok, MsgAnswer::Ok},
        {nullptr, MsgButtons::OkCancel, MsgAnswer::Cancel},
        {nullptr, MsgButtons::YesNo, MsgAnswer::No},
        {nullptr, MsgButtons::YesNoCancel, MsgAnswer::Cancel},
    };
    for (const auto& c : cases) {
        AnsweringDialogs d;
        if (c.given) d.answer(c.given);
        EXPECT_EQ(d.messageBox("T", "X", c.buttons, MsgIcon::None), c.expected) << (c.given ? c.given : "-");
        EXPECT_EQ(d.pending(), 0u);
    }
}

TEST(AnsweringDialogs, FileDialogTakesAPathAndIsCancelledOtherwise) {
    AnsweringDialogs d;
    d.answer("/home/op/a b.wav");
    d.answer("cancel");
    EXPECT_EQ(d.openFile("Open", "*.wav", ""), std::optional<std::string>("/home/op/a b.wav"));
    EXPECT_EQ(d.openFile("Open", "*.wav", ""), std::nullopt);
    EXPECT_EQ(d.openFile("Open", "*.wav", ""), std::nullopt);
}

TEST(AnsweringDialogs, AnswersAreTakenInOrderAcrossDialogKinds) {
    AnsweringDialogs d;
    d.answer("yes");
    d.answer("/x.mp3");
    EXPECT_EQ(d.messageBox("Q", "?", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::Yes);
    EXPECT_EQ(d.openFile("Open", "", ""), std::optional<std::string>("/x.mp3"));
}
}  // namespace
