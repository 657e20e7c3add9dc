// Reading web pages aloud. A play says "Stand By" at once; the reader then takes three one-shot
// steps: after the sysop's delay it asks for the page, which is fetched off the loop (the station
// goes on meanwhile: the key comes off after "Stand By", DTMF and schedules are served); two
// seconds after the page has arrived it moves on, and two seconds after that it speaks the page's
// text through the word-replacement table, or the apology for a page that could not be read. One reading at a time: a new web-page play starts the
// reading afresh for its own page, and a page still arriving for an earlier reading is dropped.
#include <cmath>
#include <exception>
#include <memory>

#include "app/app.h"
#include "core/step.h"
#include "core/text.h"
#include "dtmfplayer/dtmf_player_window.h"

namespace {
constexpr int kPageTimeoutSeconds = 15;

// A step that fails says why.
template <class F>
bool succeeds(F&& f, std::string& why) {
    return stepOr(std::forward<F>(f), [&](const std::string& reason) { why = reason; });
}
}  // namespace

int Form23::webDelayMs(const std::string& box) {
    const auto seconds = toNumber(box);
    if (!seconds || *seconds < 1 || *seconds > 20) return 1000;
    return static_cast<int>(std::nearbyint(*seconds * 1000));   // halves to even
}

bool Form23::looksLikeErrorPage(const std::string& text) {
    const std::string u = ucase(text);
    // Two of the phrases count only further into the text: a page may well start with them.
    return instr(u, ucase("The address is not valid")) > 1 || instr(u, ucase("webpage cannot be found")) > 0 ||
           instr(u, ucase("cannot display the web page")) > 1;
}

void Form23::playWebPage(int k, const std::string& address, Request from) {
    setText1("Stand By");
    std::string why;
    if (!succeeds([&] { speak(Text1.text()); }, why)) LogError("\"Stand By\" not spoken (" + why + ") ");
    // Slot 20's own button leaves the status box empty until the page has been read.
    if (k == kSlots && from == Request::Operator) setText1("");
    Timer3.disable();
    Timer4.disable();
    readerAddress_ = address;
    readerPage_.reset();
    readerUnreadable_ = false;
    ++reading_;
    Timer1.disable();
    Timer1.setInterval(webDelayMs(Text2.text()));
    Timer1.enable();
}

// Step 1: the page that was asked for is fetched; its text is shown when it arrives.
void Form23::readerStep1() {
    Timer1.disable();
    struct Page {
        TransferResult result;
        std::string text;
    };
    auto page = std::make_shared<Page>();
    const int reading = reading_;
    const std::string address = readerAddress_;
    WebPageText& reader = app().webText();
    pageFetch_.start(
        [page, address, &reader](const std::atomic<bool>& stopping) {
            // A program that ends while the page is awaited does not wait for its time-out.
            const TransferProgress untilEnding = [&](std::int64_t, std::int64_t) { return !stopping; };
            std::string why;
            if (!succeeds([&] { page->result = reader.pageText(address, page->text, kPageTimeoutSeconds, untilEnding); },
                          why))
                page->result.error = why;
        },
        [this, page, reading] {
            if (reading == reading_) pageArrived(page->result, page->text);
        },
        [page](const std::string& why) { page->result.error = why; });
}

void Form23::pageArrived(TransferResult r, const std::string& text) {
    readerUnreadable_ = !r.ok;
    if (!r.ok) {
        if (r.error.empty()) r.error = "HTTP status " + std::to_string(r.status);
        // Where a browser would show its own error page, the listener hears the apology in its place.
        LogError(readerAddress_ + " <-- Web page could not be read (" + r.error + "); the apology is spoken ");
        readerPage_ = kApology;
    } else {
        readerPage_ = text;
        setText1(text);
    }
    Timer3.enable();
}

// Step 2: the page is held; a pause before it is spoken.
void Form23::readerStep2() {
    Timer3.disable();
    if (readerPage_) Timer4.enable();
}

// Step 3: the page's text, through the table, is spoken; a browser's error page becomes the
// apology, and a page that could not be read is the apology as it stands.
void Form23::readerStep3() {
    Timer4.disable();
    if (!readerPage_) return;
    const std::string page = *readerPage_;
    readerPage_.reset();
    setText1(page);
    std::string why;
    if (!readerUnreadable_) {
        if (!succeeds([&] { Convtxt(); }, why)) {
            endReading(readerAddress_ + " <-- Web page text could not be prepared (" + why + "); nothing is spoken ");
            return;
        }
        if (looksLikeErrorPage(Text1.text())) setText1(kApology);
        if (trimWhitespace(Text1.text()).empty()) {
            endReading(readerAddress_ + " <-- Web page has no text to read; nothing is spoken ");
            return;
        }
    }
    if (!succeeds([&] { speak(Text1.text()); }, why))
        LogError(readerAddress_ + " <-- Web page text not spoken (" + why + ") ");
}

void Form23::endReading(const std::string& why) {
    Timer3.disable();
    Timer4.disable();
    readerPage_.reset();
    LogError(why);
}

// Once, four seconds after the window's creation.
void Form23::clearStatusOnce() {
    setText1("");
    Timer2.disable();
}
