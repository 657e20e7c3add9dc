#include "soak/on_air_record.h"

#include <algorithm>
#include <set>

namespace soak {
namespace {

// A break is at most the longest break length the soak draws (400 ticks of 16 ms) and the
// driver's tick; a gap longer than that ends the transmission.
constexpr LocalMs kLongestBreak = 8000;

// The n-th double-quoted text of a transcript line, as written (escapes kept).
std::string quotedText(const std::string& line, int n) {
    std::size_t open = line.find('"');
    for (int k = 0; k < n && open != std::string::npos; ++k) {
        std::size_t close = open + 1;
        while (close < line.size() && line[close] != '"') close += line[close] == '\\' ? 2 : 1;
        open = line.find('"', close + 1);
    }
    if (open == std::string::npos) return "";
    std::size_t close = open + 1;
    while (close < line.size() && line[close] != '"') close += line[close] == '\\' ? 2 : 1;
    return line.substr(open + 1, close - open - 1);
}

}  // namespace

void StateSpans::set(bool on, LocalMs at) {
    const bool now = !spans_.empty() && spans_.back().to == kOpen;
    if (on == now) return;
    if (on) spans_.push_back({at, kOpen});
    else spans_.back().to = at;
}

bool StateSpans::at(LocalMs t) const { return during(t, t); }

bool StateSpans::during(LocalMs from, LocalMs to) const {
    // Spans are in order; the last one starting at or before `to` is the only candidate besides
    // earlier ones that reach into the interval.
    auto it = std::upper_bound(spans_.begin(), spans_.end(), to, [](LocalMs t, const Span& s) { return t < s.from; });
    while (it != spans_.begin()) {
        --it;
        if (it->to >= from) return true;
        if (it->to < from) return false;
    }
    return false;
}

LocalMs StateSpans::since(LocalMs t) const {
    auto it = std::upper_bound(spans_.begin(), spans_.end(), t, [](LocalMs v, const Span& s) { return v < s.from; });
    if (it == spans_.begin()) return kOpen;
    --it;
    return it->to >= t ? it->from : kOpen;
}

LocalMs StateSpans::freeFor(LocalMs from, LocalMs quietMs) const {
    LocalMs t = from;
    auto it = std::upper_bound(spans_.begin(), spans_.end(), t, [](LocalMs v, const Span& s) { return v < s.from; });
    if (it != spans_.begin() && std::prev(it)->to > t) t = std::prev(it)->to;
    for (; it != spans_.end(); ++it) {
        if (it->from - t >= quietMs) return t;
        t = std::max(t, it->to);
        if (t == kOpen) return kOpen;
    }
    return t;
}

void OnAirRecord::keyLine(bool on, LocalMs at) {
    keyed_.set(on, at);
    if (on) {
        own_.set(true, at);
    } else {
        own_.set(false, at);
        // A file's key off may be a break; speech in the break (its own key on and off, no
        // file played) leaves the break as it is.
        if (!lastPlayed_.empty()) {
            keyOffAt_ = at;
            playedBeforeOff_ = lastPlayed_;
        }
        lastPlayed_.clear();
    }
}

void OnAirRecord::line(LocalMs at, const std::string& line) {
    const std::string verb = line.substr(0, line.find(' '));
    if (verb == "KEY") {
        keyLine(line == "KEY on", at);
        return;
    }
    std::string text;
    if (verb == "WAV") text = quotedText(line, 1);
    else if (verb == "SPEAK" || verb == "CW" || verb == "CHAT" || verb == "PLAY" || verb == "PROFILE" || verb == "DOWNLOAD")
        text = quotedText(line, 0);
    else if (verb == "CONNECT" || verb == "DISCONNECT" || verb == "BUSY")
        text = line.substr(line.find(' ') + 1);
    else if (verb == "DISCONNECT-ALL" || verb == "EXIT")
        text = "";
    else
        return;
    if (verb == "PLAY") {
        // A file that plays on after a break: the same transmission. It plays on before its key
        // comes up again; a new transmission keys first.
        const bool keyedNow = !keyed_.spans().empty() && keyed_.spans().back().to == kOpen;
        const bool resumed = !keyedNow && keyOffAt_ >= 0 && at - keyOffAt_ <= kLongestBreak && text == playedBeforeOff_;
        if (resumed) {
            own_.set(true, at);
            breaks_.set(true, keyOffAt_);
            breaks_.set(false, at);
        }
        keyOffAt_ = -1;
        lastPlayed_ = text;
    } else if (verb == "WAV") {
        lastPlayed_.clear();
    } else if (verb == "DOWNLOAD") {
        text += line.size() > 2 && line.compare(line.size() - 2, 2, "ok") == 0 ? " ok" : " failed";
    } else if (verb == "CONNECT") {
        stationCame(text, at);
    } else if (verb == "DISCONNECT") {
        stationLeft(text, at);
    } else if (verb == "DISCONNECT-ALL" || verb == "EXIT") {
        stationsGone(at);
    }
    aired_.push_back({at, verb, text, false});
}

bool OnAirRecord::stopBetween(LocalMs from, LocalMs to) const {
    return std::any_of(stops_.begin(), stops_.end(), [&](LocalMs t) { return t >= from && t <= to; });
}

bool OnAirRecord::connectedAt(const std::string& call, LocalMs t) const {
    bool in = false;
    for (const Aired& c : connections_) {
        if (c.at > t) break;
        if (c.verb == "*") in = false;
        else if (c.text == call) in = c.verb == "+";
    }
    return in;
}

bool OnAirRecord::anyConnectedDuring(LocalMs from, LocalMs to) const {
    std::set<std::string> in;
    for (const Aired& c : connections_) {
        if (c.at > to) break;
        if (c.at > from && !in.empty()) return true;
        if (c.verb == "*") in.clear();
        else if (c.verb == "+") in.insert(c.text);
        else in.erase(c.text);
    }
    return !in.empty();
}

}  // namespace soak
