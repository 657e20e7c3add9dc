// The writer between the loop and whoever reads standard output: it never makes the loop wait.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "core/transcript_writer.h"

namespace {
// A reader that takes nothing until it is let go, then records what it gets.
struct GatedReader {
    std::mutex mutex;
    std::condition_variable opened, stalled;
    bool open = false;
    bool holding = false;   // the writer is inside the sink, held at the gate
    bool gone = false;      // answers as a reader that went away
    std::string got;

    TranscriptWriter::Sink sink() {
        return [this](const std::string& chunk) {
            std::unique_lock<std::mutex> lock(mutex);
            holding = true;
            stalled.notify_all();
            opened.wait(lock, [&] { return open; });
            if (gone) return false;
            got += chunk;
            return true;
        };
    }
    // Until the writer has handed over its first chunk and is held there.
    void waitUntilStalled() {
        std::unique_lock<std::mutex> lock(mutex);
        stalled.wait(lock, [&] { return holding; });
    }
    void letGo() {
        std::lock_guard<std::mutex> lock(mutex);
        open = true;
        opened.notify_all();
    }
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        out.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return out;
}

std::string stamped(int i) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "12:%02d:%02d.000", i / 60, i % 60);
    return std::string(stamp) + " CHAT \"" + std::to_string(i) + "\"";
}

TEST(TranscriptWriter, AStalledReaderGetsTheNewestLinesAndHowManyWereDropped) {
    GatedReader reader;
    const int pushed = 100;
    const size_t capacity = 10;
    {
        TranscriptWriter writer(reader.sink(), capacity);
        writer.push(stamped(0));
        // The reader stalls on the first line it was handed; the writer has taken nothing else.
        reader.waitUntilStalled();
        for (int i = 1; i < pushed; ++i) writer.push(stamped(i));   // returns although nobody reads
        reader.letGo();
        writer.finish(std::chrono::seconds(30));
    }
    // What the writer had taken before the stall, then the count of the dropped, stamped like the
    // line after the gap, then the newest.
    const int newest = pushed - static_cast<int>(capacity);
    std::vector<std::string> expected = {stamped(0), stamped(newest).substr(0, 13) + "DROPPED " +
                                                         std::to_string(newest - 1)};
    for (int i = newest; i < pushed; ++i) expected.push_back(stamped(i));
    EXPECT_EQ(linesOf(reader.got), expected);
}

TEST(TranscriptWriter, AReaderThatWentAwayEndsTheWritingNotTheProgram) {
    GatedReader reader;
    reader.gone = true;
    TranscriptWriter writer(reader.sink(), 4);
    writer.push("first");
    reader.letGo();
    writer.finish(std::chrono::seconds(30));
    for (int i = 0; i < 1000; ++i) writer.push("after the reader left");
    EXPECT_EQ(reader.got, "");
}

TEST(TranscriptWriter, TheDroppedNoteTakesTheStampOfTheLineAfterTheGap) {
    struct Case {
        std::string next;
        std::string note;
    } cases[] = {
        {"09:05:07.250 KEY on", "09:05:07.250 DROPPED 3"},
        {"= Hide", "DROPPED 3"},
        {"", "DROPPED 3"},
    };
    for (const auto& c : cases) EXPECT_EQ(TranscriptWriter::droppedLine(3, c.next), c.note) << c.next;
}

TEST(TranscriptWriter, LinesPrintedThroughTheStreamArriveWhole) {
    std::string got;
    std::mutex mutex;
    {
        TranscriptWriter writer([&](const std::string& chunk) {
            std::lock_guard<std::mutex> lock(mutex);
            got += chunk;
            return true;
        });
        LineToWriterBuffer buffer(writer);
        std::ostream out(&buffer);
        out << "12:00:00.000 KEY" << ' ' << "on\n= " << 42 << '\n' << "unfinished";
        writer.finish(std::chrono::seconds(30));
    }
    EXPECT_EQ(got, "12:00:00.000 KEY on\n= 42\n");
}
}  // namespace
