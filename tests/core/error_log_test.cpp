#include "shell/error_log_window.h"

#include "support/station_fixture.h"

TEST(ErrorLog, AppendsStampedLinesInOrderAndShowsTheWindow) {
    Station s({"2026-12-10 09:05:07"});
    s.app().LogError("/a.wav <-- Audio File not found Please Check ");
    s.advance(2);
    s.app().LogError("/b.wav <-- Audio File not found Please Check ");
    Form120& log = s.app().form120();
    EXPECT_TRUE(log.visible());
    EXPECT_EQ(log.caption(), "Error Messages");
    EXPECT_EQ(log.Text1.text(),
              "10/12/2026 09:05:07 --> /a.wav <-- Audio File not found Please Check \r\n"
              "10/12/2026 09:05:09 --> /b.wav <-- Audio File not found Please Check \r\n");
    EXPECT_EQ(s.transcript().count("LOG "), 2);
}

TEST(ErrorLog, HideKeepsEntriesAndClosingTheFrameDiscardsThem) {
    Station s;
    s.app().LogError("first");
    s.app().form120().Command1.click();
    EXPECT_FALSE(s.app().form120().visible());
    s.app().form120().Text1.operatorType(s.app().form120().Text1.text() + "typed by the operator\r\n");
    s.app().LogError("second");
    const std::string kept = s.app().form120().Text1.text();
    EXPECT_NE(kept.find("first"), std::string::npos);
    EXPECT_NE(kept.find("typed by the operator\r\n"), std::string::npos);
    EXPECT_LT(kept.find("typed by the operator"), kept.find("second"));
    EXPECT_TRUE(s.app().form120().visible());

    s.app().form120().closeRequest();
    s.app().LogError("third");
    const std::string fresh = s.app().form120().Text1.text();
    EXPECT_EQ(fresh.find("first"), std::string::npos);
    EXPECT_NE(fresh.find("third"), std::string::npos);
}
