// The plain text of a page's body: markup, scripts and styles gone, entities decoded, and
// whatever character set the page came in turned into UTF-8.
#include <gtest/gtest.h>
#include <pthread.h>

#include <chrono>
#include <thread>

#include "local_servers.h"
#include "page_pieces.h"
#include "platform/html_text.h"
#include "platform/linux_services.h"

namespace {

struct PageCase {
    const char* what;
    std::string html;
    std::string contentType;
    std::string text;
};

TEST(HtmlBodyTextTest, GivesThePlainTextOfTheBody) {
    const PageCase cases[] = {
        {"scripts, styles and the head are left out",
         "<html><head><title>T</title><style>p{}</style></head><body><script>x=1</script><p>Hello</p>"
         "<noscript>Turn on scripts</noscript><style>.a{}</style></body></html>",
         "", "Hello"},
        {"entities are decoded", "<p>Fish &amp; chips &lt;b&gt; &eacute;t&eacute; &#8364;5&nbsp;now</p>", "",
         "Fish & chips <b> \xC3\xA9t\xC3\xA9 \xE2\x82\xAC" "5\xC2\xA0now"},
        {"blanks collapse and blocks make lines",
         "<body>  One\n\n  two <b>three</b><div>Four</div><ul><li>a</li><li>b</li></ul>x<br>y</body>", "",
         "One two three\nFour\na\nb\nx\ny"},
        {"preformatted text keeps its lines", "<pre>a  b\nc</pre>", "", "a  b\nc"},
        {"table cells stay apart", "<table><tr><td>Temp</td><td>12C</td></tr><tr><td>Wind</td></tr></table>", "",
         "Temp 12C\nWind"},
        {"comments are not text", "<p>a<!-- hidden -->b</p>", "", "ab"},
        {"Latin-1 named by the header", "<p>Caf\xE9</p>", "text/html; charset=ISO-8859-1", "Caf\xC3\xA9"},
        {"Latin-1 named by the page",
         "<head><meta charset=\"iso-8859-1\"></head><p>Gr\xFC\xDF" "e</p>", "text/html", "Gr\xC3\xBC\xC3\x9F" "e"},
        {"the header wins over the page", "<meta charset=\"utf-8\"><p>\xE9</p>", "text/html;charset=windows-1252",
         "\xC3\xA9"},
        {"undeclared bytes that are not UTF-8 read as Windows-1252", "<p>\x93quoted\x94</p>", "",
         "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
        {"a byte-order mark names UTF-8", "\xEF\xBB\xBF<p>\xC3\xA9</p>", "text/html; charset=iso-8859-1", "\xC3\xA9"},
        {"an unknown character set falls back", "<p>ok\xE9</p>", "text/html; charset=x-nonsense", "ok\xC3\xA9"},
        {"nothing at all", "", "", ""},
        {"unclosed markup", "<p>Half <b>open", "", "Half open"},
    };
    for (const auto& c : cases) EXPECT_EQ(htmlBodyText(c.html, c.contentType), c.text) << c.what;
}

TEST(HtmlBodyTextTest, InvalidUtf8BecomesReplacementCharacters) {
    const std::string text = htmlBodyText("<p>a\xC3(b</p>", "text/html; charset=utf-8");
    EXPECT_EQ(text, "a\xEF\xBF\xBD(b");
}

TEST(HtmlBodyTextTest, CharacterReferencesPastAnyCodePointComeOutAsReplacementCharacters) {
    const std::string r = "\xEF\xBF\xBD";
    for (const char* page : {"<p>&#55555555555555555582</p>", "<p>a&#5555555555582 b</p>", "<p>&#4294967296;</p>",
                             "<p>&#x110000000;</p>"}) {
        const std::string text = htmlBodyText(page, "text/html");
        EXPECT_NE(text.find(r), std::string::npos) << page;
        EXPECT_EQ(text.find('\xFE'), std::string::npos) << page;
    }
}

TEST(HtmlBodyTextTest, MalformedSequencesOfAUtf8PageComeOutAsReplacementCharacters) {
    const std::string r = "\xEF\xBF\xBD";
    struct Case {
        const char* what;
        std::string page, utf8;
    };
    const Case cases[] = {
        {"an old five-byte form", "\xEF\xBB\xBF" "a\xFB\x8B\x93\x9A\x87z", "a" + r + r + r + r + r + "z"},
        {"an overlong slash", "a\xC0\xAFz", "a" + r + r + "z"},
        {"a surrogate", "a\xED\xA0\x80z", "a" + r + r + r + "z"},
        {"past U+10FFFF", "a\xF4\x90\x80\x80z", "a" + r + r + r + r + "z"},
        {"well formed stays", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xBB", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xBB"},
    };
    for (const auto& c : cases) EXPECT_EQ(htmlToUtf8(c.page, "text/html; charset=utf-8"), c.utf8) << c.what;
}

class WebPageTextTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.started()) << server.problem(); }
    std::string url(const std::string& path) { return "http://127.0.0.1:" + std::to_string(server.port()) + path; }
    LocalServer server{httpServerScript(), {}};
    std::unique_ptr<WebPageText> pages = makeWebPageText();
};

TEST_F(WebPageTextTest, FetchesAPageAndGivesItsText) {
    std::string text;
    auto r = pages->pageText(url("/page.html"), text);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(text, "Net news\nFish & chips <tonight> \xC3\xA9t\xC3\xA9 \xE2\x82\xAC" "5\nSecond line here");

    r = pages->pageText(url("/latin1.html"), text);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(text, "Caf\xC3\xA9 ouvert \xC3\xA0 midi");

    r = pages->pageText(url("/latin1-meta.html"), text);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(text, "Gr\xC3\xBC\xC3\x9F" "e aus M\xC3\xBCnchen");
}

TEST_F(WebPageTextTest, AMissingOrSlowPageIsAFailureWithNoText) {
    std::string text = "stale";
    auto r = pages->pageText(url("/missing"), text);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 404);
    EXPECT_EQ(text, "");
    r = pages->pageText(url("/slow"), text, 1);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(text, "");
}

// Only pages served as HTML or plain text are read: an audio file is a failed fetch, never
// binary read out as speech.
TEST_F(WebPageTextTest, OnlyHtmlAndPlainTextAreRead) {
    struct Case {
        const char* path;
        bool ok;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"/notes.txt", true, "Net tonight at 8\nCaf\xC3\xA9 <open>"},
        {"/tune.mp3", false, ""},
        {"/file.bin", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::string text = "stale";
        const auto r = pages->pageText(url(c.path), text);
        EXPECT_EQ(r.ok, c.ok) << r.error;
        EXPECT_EQ(text, c.text);
        if (!c.ok) {
            EXPECT_NE(r.error.find("not a web page"), std::string::npos) << r.error;
        }
    }
}

}  // namespace

namespace {

// Pages from outside can be anything: broken markup and stray bytes give some text, never a crash.
TEST(HtmlBodyTextTest, ArbitraryBytesNeverBreakIt) {
    const std::string pieces[] = {"<p>", "</p>", "<script>", "</script>", "<style>", "&amp", "&#x", "&#99999999;",
                                  "<meta charset=", "\"utf-16\"", ">", "<", "\xFF", "\xC3", "\x00", "text ", "<!--",
                                  "<pre>", "<table><td>", "<br/>", "<body>", "\xEF\xBB\xBF"};
    unsigned seed = 12345;
    for (int round = 0; round < 300; ++round) {
        std::string page;
        for (int i = 0; i < 40; ++i) {
            seed = seed * 1103515245u + 12345u;
            page += pieces[(seed >> 16) % std::size(pieces)];
        }
        const std::string text = htmlBodyText(page, round % 3 ? "" : "text/html; charset=utf-16le");
        EXPECT_EQ(text.find('\0'), std::string::npos);
    }
}

// A page nested past any real page's depth is refused before the parser sees it; pages that are
// merely long or sloppy (unclosed paragraphs, items, rows and cells, drawings of many parts, a
// script full of markup) are read as they always were.
TEST(HtmlBodyTextTest, OnlyPagesNestedPastAnyRealPagesDepthAreRefused) {
    struct Case {
        const char* what;
        std::string page;
        bool ok;
    };
    const Case cases[] = {
        {"100,000 nested spans", "<body>" + times("<span>", 100000) + "deep text" + times("</span>", 100000), false},
        {"a million nested divs", "<body>" + times("<div>", 1000000) + "deep text", false},
        {"513 nested divs", times("<div>", 513) + "deep text", false},
        {"400 nested divs", times("<div>", 400) + "deep text" + times("</div>", 400), true},
        {"unclosed paragraphs and items", times("<p>para <b>bold</b> <img src=x>", 5000) + "<ul>" +
                                              times("<li>item <a href='a>b'>link</a>", 5000) + "</ul>deep text",
         true},
        {"a table with unclosed rows and cells", "<table>" + times("<tr><td>a<td>b<th>c", 5000) + "</table>deep text",
         true},
        {"a drawing of many parts", "<svg>" + times("<path d='M0 0'/><g><rect/></g>", 5000) + "</svg>deep text",
         true},
        {"a script full of markup", "<script>var s = '" + times("<div>", 5000) + "';</script>deep text", true},
        {"comments full of markup", times("<!-- <div><div> -->", 5000) + "deep text", true},
    };
    for (const auto& c : cases) {
        const PageText read = readHtmlBody(c.page, "text/html");
        EXPECT_EQ(read.ok, c.ok) << c.what << ": " << read.why;
        if (c.ok) EXPECT_NE(read.text.find("deep text"), std::string::npos) << c.what;
        else EXPECT_NE(read.why.find("nests its elements more than 512 deep"), std::string::npos) << c.what;
    }
}

// Reading a tree and freeing it take no stack of the thread's, however deep the page nests: here
// ten thousand levels on a thread of 128 KiB. Neither depth nor time is bounded here, so the test
// asks nothing of how fast the machine is.
TEST(HtmlBodyTextTest, ADeepTreeIsReadWithoutRecursion) {
    PageTextLimits unbounded;
    unbounded.nesting = 1000000;
    unbounded.parseTime = std::chrono::hours(1);
    const std::string page = times("<span>", 10000) + "deep text";
    PageText read;
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 128 * 1024);
    struct Job {
        const std::string& page;
        const PageTextLimits& limits;
        PageText& read;
    } job{page, unbounded, read};
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr,
                             [](void* p) -> void* {
                                 auto& j = *static_cast<Job*>(p);
                                 j.read = readHtmlBody(j.page, "text/html", {}, j.limits);
                                 return nullptr;
                             },
                             &job),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    EXPECT_TRUE(read.ok) << read.why;
    EXPECT_EQ(read.text, "deep text");
}

// The time a page may take is the parser's own processor time, not the clock's: a parse whose
// thread is held up beside it (here by its caller, for longer than the whole limit, as a loaded
// machine holds a thread off) still reads the page, on a busy machine as on a quiet one.
TEST(HtmlBodyTextTest, AParseIsChargedOnlyForItsOwnProcessorTime) {
    const std::string page = times("<p>word</p>", 2000) + "<p>tail</p>";
    PageTextLimits limits;
    limits.parseTime = std::chrono::milliseconds(200);
    int asked = 0;
    const auto heldUp = [&] {
        if (asked++ < 5) std::this_thread::sleep_for(std::chrono::milliseconds(60));
        return true;
    };
    const PageText read = readHtmlBody(page, "text/html", heldUp, limits);
    EXPECT_TRUE(read.ok) << read.why;
    EXPECT_EQ(read.text.substr(read.text.size() - 4), "tail");
}

// A parse told to stop, or one past its time, is abandoned with a reason; only the head of a
// longer page is read.
TEST(HtmlBodyTextTest, AParseStopsWhenToldOrPastItsTimeAndALongPageIsReadFromItsHead) {
    const std::string page = times("<p>word</p>", 20000) + "<p>tail</p>";
    const PageText stopped = readHtmlBody(page, "text/html", [] { return false; });
    EXPECT_FALSE(stopped.ok);
    EXPECT_EQ(stopped.why, "stopped as the program ends");

    PageTextLimits noTime;
    noTime.parseTime = std::chrono::milliseconds(-1);
    const PageText late = readHtmlBody(page, "text/html", {}, noTime);
    EXPECT_FALSE(late.ok);
    EXPECT_EQ(late.why, "the page took too long to read");

    PageTextLimits shortHead;
    shortHead.parsedBytes = 110;
    const PageText head = readHtmlBody(page, "text/html", {}, shortHead);
    EXPECT_TRUE(head.ok);
    EXPECT_EQ(head.text, times("word\n", 9) + "word");
}

}  // namespace
