#pragma once
// A node that stands where EchoLink would: it keeps the node's state, answers every window's
// automation object, raises events through the event loop, and records what it does.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/log_lines.h"
#include "echolink/echolink_app.h"

class EventLoop;
class Transcript;

struct ConnectedStation {
    std::string call, name, address;
};

class SimulatedNode {
public:
    SimulatedNode(EventLoop& loop, Transcript& transcript, std::string callsign = "N0CALL-L");
    ~SimulatedNode();

    // One per window; `window` names the window in what the node tells of its calls.
    std::shared_ptr<EchoLinkApp> newApp(const std::string& window = "");

    // ---- what the outside world does (the simulator panel, the console, tests)
    void receiveDtmf(const std::string& digits);
    void stationConnects(const std::string& call, const std::string& name = "", const std::string& address = "");
    void stationDisconnects(const std::string& call);
    void receiveChat(const std::string& line);         // "CALL>text"
    void setInternetAudio(bool on);                    // RX
    void setCarrier(bool on);                          // CarrierDetect
    void setReceivingSignal(bool on);
    void setActivity(bool on);
    void close();                                      // EchoLink closes
    void setUnreachable(bool on) { unreachable_ = on; }
    // One operation of the automation interface fails to order, as if EchoLink did not answer
    // that call alone: `operation` is its name ("KeyTransmitter", "Busy" for reading and writing
    // it, ...) or "all"; it fails for its next `calls` calls, or until stopFailing when `calls` is
    // 0. False, and nothing changes, for a name the interface does not have.
    bool failOperation(const std::string& operation, int calls = 0);
    bool stopFailing(const std::string& operation);   // "all" ends every failure made to order
    static const std::vector<std::string>& operationNames();
    // Who calls: each call counted by operation and by the handler that made it (the window's
    // timer, event or control on the loop's stack), while counting is on; failed calls (made to
    // order or while unreachable) are counted always.
    void countCalls(bool on) { countCalls_ = on; }
    struct CallCount {
        std::string operation, handler;
        long calls = 0;    // while counting was on
        long failed = 0;
    };
    std::vector<CallCount> callCounts() const;
    // Deliver each event to the objects in a random order (seeded), as EchoLink does not promise one.
    void shuffleEvents(std::uint32_t seed);
    void setCallsign(std::string c) { callsign_ = std::move(c); }
    int connectDelayMs = 500;                          // how long a Connect takes to raise `connected`
    // Hears each event that comes in from outside as it is raised, as a line: `DTMF "123"`,
    // `CHAT "W1ABC>hi"`, `CONNECTED W1ABC "John"`, `DISCONNECTED W1ABC`, `RX on`, `CARRIER on`,
    // `SIGNAL on`, `ACTIVITY on`, `CLOSING`. Not the transcript: that is what the station did.
    void onIncoming(std::function<void(const std::string& line)> listener) { incoming_.push_back(std::move(listener)); }

    // ---- state, as a test or the panel reads it
    const std::string& callsign() const { return callsign_; }
    bool keyed() const { return keyed_; }
    bool busy() const { return busy_; }
    bool listenOnly() const { return listenOnly_; }
    bool linkEnabled() const { return linkEnabled_; }
    bool rts() const { return rts_; }
    bool dtr() const { return dtr_; }
    bool carrier() const { return carrier_; }
    bool receivingSignal() const { return receivingSignal_; }
    bool activity() const { return activity_; }
    bool internetAudio() const { return rx_; }
    bool unreachable() const { return unreachable_; }
    bool closed() const { return closed_; }
    const std::string& profile() const { return profile_; }
    const std::vector<ConnectedStation>& stations() const { return stations_; }
    bool isConnected(const std::string& call) const;
    // The newest of what the station has sent, each history bounded as a log box is.
    const std::vector<std::string>& cwSent() const { return cw_.lines(); }
    const std::vector<std::string>& chatSent() const { return chat_.lines(); }
    const std::vector<std::string>& dtmfSent() const { return dtmf_.lines(); }
    int objectCount() const { return static_cast<int>(apps_.size()); }

private:
    class NodeObject;
    friend class NodeObject;
    // Before every call: counts it and throws EchoLinkError when it is to fail.
    void check(const char* operation);
    bool failsNow(const std::string& operation);
    template <class Fire>
    void raise(const char* event, Fire fire);   // queue one delivery per live object
    void record(const std::string& line);
    void heard(const std::string& line);   // to the incoming listeners
    void changeActivity(bool on);
    void setFlag(bool& flag, bool value, const char* name);

    EventLoop& loop_;
    Transcript& transcript_;
    std::string callsign_;
    std::map<std::uint64_t, NodeObject*> apps_;
    std::uint64_t nextId_ = 0;
    bool keyed_ = false, busy_ = false, listenOnly_ = false, linkEnabled_ = true;
    bool rts_ = false, dtr_ = false, carrier_ = false, receivingSignal_ = false, activity_ = false, rx_ = false;
    bool unreachable_ = false, closed_ = false;
    // Failures made to order: calls left to fail by operation ("all" for every one), -1 until told.
    std::map<std::string, long> failing_;
    bool countCalls_ = false;
    std::map<std::pair<std::string, std::string>, CallCount> counts_;
    bool shuffle_ = false;
    std::mt19937 rng_;
    std::string profile_;
    std::vector<ConnectedStation> stations_;
    std::set<std::string> connecting_;   // Connect called, `connected` not yet raised (upper-cased)
    LogLines cw_, chat_, dtmf_;
    std::vector<std::function<void(const std::string&)>> incoming_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
