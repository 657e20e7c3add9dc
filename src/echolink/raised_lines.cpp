#include "echolink/raised_lines.h"

#include "core/step.h"
#include "echolink/echolink_app.h"

void RaisedLines::write(EchoLinkApp& link, SerialLine line, bool on) {
    if (line == SerialLine::RTS)
        link.RTSLine(on);
    else
        link.DTRLine(on);
}

bool RaisedLines::heldByOther(SerialLine line, LineReason except) const {
    for (std::size_t i = 0; i < kReasons; ++i)
        if (i != index(except) && held_[i] == line) return true;
    return false;
}

bool RaisedLines::isHeld(SerialLine line) const {
    for (const auto& h : held_)
        if (h == line) return true;
    return false;
}

void RaisedLines::raise(EchoLinkApp& link, LineReason reason, SerialLine line) {
    auto& mine = held_[index(reason)];
    if (mine && *mine != line && !heldByOther(*mine, reason)) {
        write(link, *mine, false);   // a failure leaves the old line on record for the next try
        mine.reset();
    }
    // On record before the write: should the write fail, the line may be up, and the next
    // lowering must still try it.
    mine = line;
    loweringFailed_[index(reason)] = false;
    write(link, line, true);
}

void RaisedLines::lower(EchoLinkApp& link, LineReason reason) {
    auto& mine = held_[index(reason)];
    if (!mine) return;
    loweringFailed_[index(reason)] = true;   // until the write gets through
    if (!heldByOther(*mine, reason)) write(link, *mine, false);
    mine.reset();
    loweringFailed_[index(reason)] = false;
}

void RaisedLines::lowerAll(EchoLinkApp& link) {
    held_.fill(std::nullopt);
    loweringFailed_.fill(false);
    step([&] { write(link, SerialLine::RTS, false); });
    step([&] { write(link, SerialLine::DTR, false); });
}
