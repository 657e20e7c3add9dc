#pragma once
// What the running nets of both sets share: the idents window's first two stay-connected boxes,
// the node's busy listing and its listen-only mode are single states. Nets may overlap (two sets,
// two slots in one second, a slot that comes due again while it still runs), so the values the
// stay-connected boxes held before the first running net are kept here and given back only when
// the last one ends, and busy or listen-only is lifted only when no other running net asked for it.
#include <map>
#include <optional>
#include <string>

namespace nets {

class NetSession {
public:
    struct StayConnected {
        int con1 = 0;
        int con2 = 0;
    };

    // A net starts (or starts again while it runs). `found` is what the boxes hold now; the result
    // is what they held before the first of the running nets, which the net's set keeps as its
    // saved pair.
    StayConnected started(const std::string& net, StayConnected found);
    // The start listed the node busy / put it into listen-only for this net.
    void askedBusy(const std::string& net);
    void askedListenOnly(const std::string& net);

    struct Ending {
        bool wasRunning = false;         // the net was known to run
        bool last = false;               // no other net runs now: the boxes go back
        StayConnected restore;           // what they go back to
        bool busyStillWanted = false;    // another running net listed the node busy
        bool listenOnlyStillWanted = false;
    };
    // What the end of `net` would undo, asked before its EchoLink steps; nothing changes yet.
    Ending ending(const std::string& net) const;
    // The end got through: the net no longer runs.
    Ending ended(const std::string& net);
    // EchoLink did not answer the end: the net runs on until a later try gets through.
    void holdEnd(const std::string& net);
    bool endHeld(const std::string& net) const;

    bool running(const std::string& net) const { return running_.count(net) != 0; }
    bool anyRunning() const { return !running_.empty(); }
    // The sysop's own stay-connected choice while nets hold the boxes clear; none while no net runs.
    std::optional<StayConnected> sysopStayConnected() const;

private:
    struct Net {
        bool busy = false;
        bool listenOnly = false;
        bool endHeld = false;
    };
    std::map<std::string, Net> running_;
    StayConnected saved_;
};

}  // namespace nets
