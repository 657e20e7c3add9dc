#pragma once
// What the soak saw: the transcript's lines that tell what went on the air, and the states
// the soak itself put the outside world in (a station talking, Internet audio, EchoLink away,
// a stop asked for, the station off between its Save / Exit and its restart). Both are only
// what an observer outside the program knows; the expectation model asks its questions here.
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/clock.h"

namespace soak {

constexpr LocalMs kOpen = std::numeric_limits<LocalMs>::max();

// A state over time: spans in which it held.
class StateSpans {
public:
    void set(bool on, LocalMs at);
    bool at(LocalMs t) const;
    // Whether it held at any moment of [from, to].
    bool during(LocalMs from, LocalMs to) const;
    // The span holding `t`, if any (its start; kOpen when none).
    LocalMs since(LocalMs t) const;
    // The first moment at or after `from` from which it does not hold for `quietMs` on end.
    LocalMs freeFor(LocalMs from, LocalMs quietMs) const;
    struct Span {
        LocalMs from, to;
    };
    const std::vector<Span>& spans() const { return spans_; }

private:
    std::vector<Span> spans_;
};

enum class Outside { Carrier, Signal, Activity, InternetAudio, EchoLinkAway, StationOff, Count };

struct Aired {
    LocalMs at;
    std::string verb;   // the transcript's word: WAV, SPEAK, CW, CHAT, PLAY, CONNECT, ...
    std::string text;   // its text: the spoken text, the file, the callsign, the chat line
    bool used = false;  // taken by an expected item
};

class OnAirRecord {
public:
    // A transcript line, its stamp cut off.
    void line(LocalMs at, const std::string& line);
    void outside(Outside what, bool on, LocalMs at) { outside_[static_cast<int>(what)].set(on, at); }
    void stopAsked(LocalMs at) { stops_.push_back(at); }
    void dtmf(LocalMs at, const std::string& digits) { dtmf_.push_back({at, "DTMF", digits, false}); }
    // The transmitter's key as the transcript shows it.
    const StateSpans& keyed() const { return keyed_; }
    const StateSpans& outside(Outside what) const { return outside_[static_cast<int>(what)]; }
    // The station's own transmission: keyed spans joined across the breaks of a file (a gap
    // after which the same file plays on).
    const StateSpans& ownTransmission() const { return own_; }
    // The breaks of a file: from its key off to the moment the same file plays on.
    const StateSpans& breaks() const { return breaks_; }
    bool stopBetween(LocalMs from, LocalMs to) const;
    const std::vector<LocalMs>& stops() const { return stops_; }
    const std::vector<Aired>& dtmfSent() const { return dtmf_; }
    std::vector<Aired>& aired() { return aired_; }
    const std::vector<Aired>& aired() const { return aired_; }
    // A call connected to the node at `t`, as far as the transcript and the soak's own
    // connects and drops tell.
    bool connectedAt(const std::string& call, LocalMs t) const;
    // Whether any station was connected at some moment of [from, to].
    bool anyConnectedDuring(LocalMs from, LocalMs to) const;
    void stationLeft(const std::string& call, LocalMs at) { connections_.push_back({at, "-", call}); }
    void stationCame(const std::string& call, LocalMs at) { connections_.push_back({at, "+", call}); }
    void stationsGone(LocalMs at) { connections_.push_back({at, "*", ""}); }

private:
    void keyLine(bool on, LocalMs at);
    StateSpans keyed_, own_, breaks_;
    StateSpans outside_[static_cast<int>(Outside::Count)];
    std::vector<LocalMs> stops_;
    std::vector<Aired> aired_, dtmf_;
    std::vector<Aired> connections_;   // verb "+", "-" or "*" (all gone), text the call
    std::string lastPlayed_;
    LocalMs keyOffAt_ = -1;
    std::string playedBeforeOff_;
};

}  // namespace soak
