// Text-file slots and the word-replacement table.
#include "dtmf_player_support.h"

namespace {
struct TextSlot : ::testing::Test {
    PlayerStation p;
    Form23& w = p.w;
    std::string file(const std::string& content) {
        p.s.dataFolder().write("bulletin.txt", content);
        return p.s.dataFile("bulletin.txt");
    }
};
}  // namespace

TEST_F(TextSlot, ATextFileIsSpokenByItsCodeAfterTheTable) {
    p.slot(6, "66", file("T-Storms likely\r\nlater t-storms\r\n"));
    p.dtmf("66");
    EXPECT_EQ(w.WhereIsFile, w.location(6).text());
    EXPECT_EQ(w.Text1.text(), "Thunder Storms likely later t-storms");
    EXPECT_EQ(p.spoken(), std::vector<std::string>{"Thunder Storms likely later t-storms"});
    EXPECT_EQ(p.s.app().form111().TempText, "Thunder Storms likely later t-storms");
}

TEST_F(TextSlot, LinesAreJoinedWithABlank) {
    const struct {
        const char* content;
        const char* text;
    } cases[] = {
        {"Hello\r\nWorld\r\n", "Hello World"},
        {"Hello\rWorld", "Hello World"},
        {"Hello\nWorld\n", "Hello World"},
        {"Hello\r\n\r\n\r\nWorld", "Hello World"},   // empty lines add nothing
        {"", ""},
        {"Caf\xE9 \x93open\x94", "Caf\xC3\xA9 \xE2\x80\x9Copen\xE2\x80\x9D"},   // old code page read as such
    };
    w.word(1).setText("");
    for (const auto& c : cases) {
        w.location(2).setText(file(c.content));
        p.s.click("Form23.Command28");
        EXPECT_EQ(w.Text1.text(), c.text) << c.content;
    }
}

TEST_F(TextSlot, OnlyTheFirstTwoThousandCharactersAreKeptAndSpoken) {
    std::string line(1500, 'a');
    w.location(1).setText(file(line + "\r\n" + line + "\r\n"));
    p.s.click("Form23.Command29");
    EXPECT_EQ(w.Text1.text(), line + " " + std::string(499, 'a'));
    ASSERT_EQ(p.spoken().size(), 1u);
    EXPECT_EQ(p.spoken()[0].size(), 2000u);
}

TEST_F(TextSlot, AMissingFileAsksTheSysopButIsOnlyLoggedForAListener) {
    const std::string missing = p.s.dataFile("gone.txt");
    p.slot(1, "1", missing);
    w.Text1.setText("old");
    p.s.click("Form23.Command29");
    ASSERT_EQ(p.s.dialogs->shown.size(), 1u);
    EXPECT_EQ(p.s.dialogs->shown[0].text, "File Not Found. Please check and try again");
    EXPECT_EQ(w.Text1.text(), "");
    EXPECT_EQ(p.logLines(), 0);

    p.dtmf("1");
    EXPECT_EQ(p.s.dialogs->shown.size(), 1u);
    EXPECT_TRUE(p.s.transcript().contains("LOG \"" + missing + " <-- File Not Found. Please check and try again"));
    EXPECT_TRUE(p.spoken().empty());
}

TEST(WordTable, RowsApplyInOrderWithCaseAndNoOverlap) {
    using Rows = std::vector<std::pair<std::string, std::string>>;
    const struct {
        const char* what;
        Rows rows;
        const char* in;
        const char* out;
    } cases[] = {
        {"as delivered", {{"T-Storms", "Thunder Storms"}}, "T-Storms likely", "Thunder Storms likely"},
        {"case counts", {{"T-Storms", "Thunder Storms"}}, "t-storms likely", "t-storms likely"},
        {"a later row works on an earlier row's result", {{"WX", "weather"}, {"weather", "conditions"}}, "WX now",
         "conditions now"},
        {"the inserted text is not scanned again", {{"A", "AA"}}, "A", "AA"},
        {"inside longer words too", {{"mph", " miles an hour"}}, "10mph, mphs", "10 miles an hour,  miles an hours"},
        {"no overlap", {{"aa", "b"}}, "aaa", "ba"},
        {"an empty word changes nothing", {{"", "x"}}, "abc", "abc"},
        {"an empty replacement removes the word", {{"um ", ""}}, "um so um ok", "so ok"},
    };
    for (const auto& c : cases) EXPECT_EQ(Form23::replaceWords(c.in, c.rows), c.out) << c.what;
}

TEST_F(TextSlot, TheTableIsReadWhenItRunsSavedOrNot) {
    w.word(2).setText("WX");
    w.replacement(2).setText("weather");
    w.word(3).setText("weather");
    w.replacement(3).setText("conditions");
    w.Text1.setText("WX and T-Storms");
    w.Convtxt();
    EXPECT_EQ(w.Text1.text(), "conditions and Thunder Storms");
    w.Text1.setText(std::string(1999, 'x') + "A");
    w.word(4).setText("A");
    w.replacement(4).setText("BBB");
    w.Convtxt();
    EXPECT_EQ(w.Text1.text(), std::string(1999, 'x') + "B");   // cut to the box again
}
