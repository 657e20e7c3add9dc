#include "platform/html_parse.h"

#include <time.h>

#include <csetjmp>
#include <cstdlib>
#include <unordered_set>

namespace {
// The processor time this thread has used. The parse is charged only for its own work, so a busy
// machine (or a run of tests beside it) never makes a page "too slow" that a quiet one reads.
std::chrono::nanoseconds threadTime() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}
}  // namespace

// Every block the parser allocates is on record, so an abandoned parse leaves nothing behind and a
// finished tree goes in one sweep. The parser is C and keeps no resources but this memory, so
// leaving it by a long jump out of its allocator is safe; nothing with a destructor lies between.
struct BoundedHtmlParse::Arena {
    std::unordered_set<void*> live;
    std::jmp_buf escape{};
    Outcome outcome = Outcome::Parsed;
    std::chrono::nanoseconds deadline{};   // in the parsing thread's own processor time
    std::function<bool()> keepGoing;
    unsigned calls = 0;

    // Why the parse must stop now, or Parsed when it may go on.
    Outcome verdict() {
        if (keepGoing && !keepGoing()) return Outcome::Stopped;
        // The clock is read every few hundred blocks: often enough, as the parser allocates for
        // every tag, and cheap beside the allocation itself.
        if (++calls % 256 == 0 && threadTime() > deadline) return Outcome::TooSlow;
        return Outcome::Parsed;
    }

    ~Arena() {
        for (void* p : live) std::free(p);
    }
};

namespace {

void* allocate(void* userdata, size_t size) {
    auto* arena = static_cast<BoundedHtmlParse::Arena*>(userdata);
    BoundedHtmlParse::Outcome why = arena->verdict();
    void* p = nullptr;
    if (why == BoundedHtmlParse::Outcome::Parsed) {
        p = std::malloc(size == 0 ? 1 : size);
        if (p) {
            try {
                arena->live.insert(p);
            } catch (...) {
                std::free(p);
                p = nullptr;
            }
        }
        if (!p) why = BoundedHtmlParse::Outcome::OutOfMemory;
    }
    if (p) return p;
    arena->outcome = why;
    std::longjmp(arena->escape, 1);
}

void release(void* userdata, void* p) {
    if (!p) return;
    static_cast<BoundedHtmlParse::Arena*>(userdata)->live.erase(p);
    std::free(p);
}

// Apart, so that nothing of the caller's is live across the jump.
GumboOutput* parse(BoundedHtmlParse::Arena& arena, const std::string& utf8) {
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = allocate;
    options.deallocator = release;
    options.userdata = &arena;
    if (setjmp(arena.escape) != 0) return nullptr;
    return gumbo_parse_with_options(&options, utf8.data(), utf8.size());
}

}  // namespace

BoundedHtmlParse::BoundedHtmlParse(const std::string& utf8, std::chrono::milliseconds timeLimit,
                                   std::function<bool()> keepGoing)
    : arena_(std::make_unique<Arena>()) {
    arena_->deadline = threadTime() + timeLimit;
    arena_->keepGoing = std::move(keepGoing);
    output_ = parse(*arena_, utf8);
    if (!output_ && arena_->outcome == Outcome::Parsed) arena_->outcome = Outcome::OutOfMemory;
}

// The arena frees what the tree holds; the parser's own destruction would recurse as deep as the tree.
BoundedHtmlParse::~BoundedHtmlParse() = default;

BoundedHtmlParse::Outcome BoundedHtmlParse::outcome() const { return arena_->outcome; }

const GumboNode* BoundedHtmlParse::root() const { return arena_->outcome == Outcome::Parsed && output_ ? output_->root : nullptr; }
