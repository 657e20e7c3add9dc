#include "echolink/simulated_node.h"

#include <algorithm>

#include "core/event_loop.h"
#include "core/text.h"
#include "core/transcript.h"
#include "echolink/forced_release.h"

namespace {
std::string callKey(const std::string& call) { return ucase(trim(call)); }
const char* onOff(bool b) { return b ? "on" : "off"; }
}  // namespace

// One window's automation object: every call goes to the shared node.
class SimulatedNode::NodeObject final : public EchoLinkApp {
public:
    NodeObject(SimulatedNode& node, std::uint64_t id, std::string window)
        : node_(node), id_(id), window_(std::move(window)), alive_(node.alive_) {
        node_.apps_[id_] = this;
    }
    const std::string& window() const { return window_; }
    ~NodeObject() override {
        if (!alive_.expired()) node_.apps_.erase(id_);
    }

    void CloseProgram() override {
        node_.check("CloseProgram");
        node_.close();
    }
    void Connect(const std::string& call, bool) override {
        node_.check("Connect");
        const std::string c = callKey(call);
        // A station already there or still on its way is connected once.
        if (c.empty() || node_.isConnected(c) || node_.connecting_.count(c)) return;
        node_.connecting_.insert(c);
        node_.record("CONNECT " + c);
        std::weak_ptr<bool> alive = node_.alive_;
        SimulatedNode* node = &node_;
        node_.loop_.post(
            [alive, node, c] {
                if (alive.expired() || !node->connecting_.erase(c) || node->closed_) return;
                node->stationConnects(c);
            },
            node_.connectDelayMs);
    }
    void Disconnect(const std::string& call) override {
        node_.check("Disconnect");
        const std::string c = trim(call);
        if (node_.connecting_.erase(callKey(c))) return;   // called off before it was made
        if (!node_.isConnected(c)) return;
        node_.record("DISCONNECT " + ucase(c));
        node_.stationDisconnects(c);
    }
    void DisconnectAllStations() override {
        node_.check("DisconnectAllStations");
        node_.record("DISCONNECT-ALL");
        node_.connecting_.clear();
        const auto stations = node_.stations_;
        for (const auto& s : stations) node_.stationDisconnects(s.call);
    }
    bool IsConnected(const std::string& call) override {
        node_.check("IsConnected");
        return node_.isConnected(call);
    }
    long ConnectedCount() override {
        node_.check("ConnectedCount");
        return static_cast<long>(node_.stations_.size());
    }
    void KeyTransmitter(bool key) override {
        node_.check("KeyTransmitter");
        node_.setFlag(node_.keyed_, key, "KEY");
    }
    bool TransmitterKeyed() override {
        node_.check("TransmitterKeyed");
        return node_.keyed_;
    }
    bool Activity() override {
        node_.check("Activity");
        return node_.activity_;
    }
    bool ReceivingSignal() override {
        node_.check("ReceivingSignal");
        return node_.receivingSignal_;
    }
    bool CarrierDetected() override {
        node_.check("CarrierDetected");
        return node_.carrier_;
    }
    void SendCWText(int, const std::string& text) override {
        node_.check("SendCWText");
        node_.cw_.add(text);
        node_.record("CW " + quoted(text));
    }
    void SendDTMF(const std::string& digits) override {
        node_.check("SendDTMF");
        node_.dtmf_.add(digits);
        node_.record("DTMF-OUT " + quoted(digits));
    }
    void SendChatText(const std::string& line) override {
        node_.check("SendChatText");
        node_.chat_.add(line);
        node_.record("CHAT " + quoted(line));
    }
    void Profile(const std::string& name) override {
        node_.check("Profile");
        if (name == node_.profile_) return;
        node_.profile_ = name;
        node_.record("PROFILE " + quoted(name));
    }
    void LinkEnabled(bool enabled) override {
        node_.check("LinkEnabled");
        node_.setFlag(node_.linkEnabled_, enabled, "LINK");
    }
    bool Busy() override {
        node_.check("Busy");
        return node_.busy_;
    }
    void Busy(bool busy) override {
        node_.check("Busy");
        node_.setFlag(node_.busy_, busy, "BUSY");
    }
    void ListenOnly(bool on) override {
        node_.check("ListenOnly");
        node_.setFlag(node_.listenOnly_, on, "LISTEN-ONLY");
    }
    void RTSLine(bool on) override {
        node_.check("RTSLine");
        node_.setFlag(node_.rts_, on, "RTS");
    }
    void DTRLine(bool on) override {
        node_.check("DTRLine");
        node_.setFlag(node_.dtr_, on, "DTR");
    }
    EchoLinkNode LocalNode() override {
        node_.check("LocalNode");
        return {node_.callsign_};
    }

private:
    SimulatedNode& node_;
    std::uint64_t id_;
    std::string window_;
    std::weak_ptr<bool> alive_;
};

SimulatedNode::SimulatedNode(EventLoop& loop, Transcript& transcript, std::string callsign)
    : loop_(loop), transcript_(transcript), callsign_(std::move(callsign)) {}

SimulatedNode::~SimulatedNode() { *alive_ = false; alive_.reset(); }

std::shared_ptr<EchoLinkApp> SimulatedNode::newApp(const std::string& window) {
    return std::make_shared<NodeObject>(*this, ++nextId_, window);
}

const std::vector<std::string>& SimulatedNode::operationNames() {
    static const std::vector<std::string> names = {
        "CloseProgram",  "Connect",         "Disconnect",      "DisconnectAllStations", "IsConnected",
        "ConnectedCount", "KeyTransmitter", "TransmitterKeyed", "Activity",             "ReceivingSignal",
        "CarrierDetected", "SendCWText",    "SendDTMF",        "SendChatText",          "Profile",
        "LinkEnabled",   "Busy",            "ListenOnly",      "RTSLine",               "DTRLine",
        "LocalNode"};
    return names;
}

bool SimulatedNode::failOperation(const std::string& operation, int calls) {
    const auto& names = operationNames();
    if (operation != "all" && std::find(names.begin(), names.end(), operation) == names.end()) return false;
    failing_[operation] = calls > 0 ? calls : -1;
    return true;
}

bool SimulatedNode::stopFailing(const std::string& operation) {
    if (operation == "all") {
        failing_.clear();
        return true;
    }
    const auto& names = operationNames();
    if (std::find(names.begin(), names.end(), operation) == names.end()) return false;
    failing_.erase(operation);
    return true;
}

// Uses up one of the calls a failure made to order has left.
bool SimulatedNode::failsNow(const std::string& operation) {
    for (const std::string& key : {operation, std::string("all")}) {
        const auto it = failing_.find(key);
        if (it == failing_.end()) continue;
        if (it->second > 0 && --it->second == 0) failing_.erase(it);
        return true;
    }
    return false;
}

void SimulatedNode::check(const char* operation) {
    if (!countCalls_ && !unreachable_ && failing_.empty()) return;
    const bool fails = unreachable_ || (!failing_.empty() && failsNow(operation));
    if (countCalls_ || fails) {
        const std::string handler = loop_.currentHandler();
        CallCount& c = counts_[{operation, handler}];
        if (c.operation.empty()) c = {operation, handler.empty() ? "outside" : handler};
        if (countCalls_) ++c.calls;
        if (fails) ++c.failed;
    }
    if (fails) throw EchoLinkError("EchoLink is not answering");
}

std::vector<SimulatedNode::CallCount> SimulatedNode::callCounts() const {
    std::vector<CallCount> out;
    for (const auto& [key, c] : counts_) out.push_back(c);
    return out;
}

void SimulatedNode::record(const std::string& line) { transcript_.record(line); }

void SimulatedNode::heard(const std::string& line) {
    for (auto& listener : incoming_) listener(line);
}

void SimulatedNode::setFlag(bool& flag, bool value, const char* name) {
    if (flag == value) return;
    flag = value;
    record(std::string(name) + " " + onOff(value));
    publishHeldOnAir((keyed_ ? held_on_air::Key : 0u) | (rts_ ? held_on_air::Rts : 0u) | (dtr_ ? held_on_air::Dtr : 0u),
                     loop_.clock().now());
}

void SimulatedNode::shuffleEvents(std::uint32_t seed) {
    shuffle_ = true;
    rng_.seed(seed);
}

template <class Fire>
void SimulatedNode::raise(const char* event, Fire fire) {
    std::vector<std::uint64_t> ids;
    for (const auto& [id, app] : apps_) ids.push_back(id);
    if (shuffle_) std::shuffle(ids.begin(), ids.end(), rng_);
    std::weak_ptr<bool> alive = alive_;
    for (std::uint64_t id : ids) {
        loop_.post([this, alive, id, event, fire] {
            if (alive.expired()) return;
            auto it = apps_.find(id);
            if (it == apps_.end()) return;
            const std::string& window = it->second->window();
            EventLoop::NamedHandler named(loop_, (window.empty() ? "EchoLink" : window) + "." + event);
            fire(*it->second);
        });
    }
}

bool SimulatedNode::isConnected(const std::string& call) const {
    const std::string key = callKey(call);
    if (key.empty()) return false;
    return std::any_of(stations_.begin(), stations_.end(),
                       [&](const ConnectedStation& s) { return callKey(s.call) == key; });
}

void SimulatedNode::receiveDtmf(const std::string& digits) {
    heard("DTMF " + quoted(digits));
    raise("DTMFString", [digits](EchoLinkApp& a) {
        if (a.DTMFString) a.DTMFString(digits);
    });
}

void SimulatedNode::stationConnects(const std::string& call, const std::string& name, const std::string& address) {
    const std::string c = trim(call);
    if (c.empty() || isConnected(c)) return;
    stations_.push_back({c, name, address});
    heard("CONNECTED " + c + (name.empty() ? "" : " " + quoted(name)));
    raise("connected", [c, name, address](EchoLinkApp& a) {
        if (a.connected) a.connected(c, name, address);
    });
}

void SimulatedNode::stationDisconnects(const std::string& call) {
    const std::string key = callKey(call);
    auto it = std::find_if(stations_.begin(), stations_.end(),
                           [&](const ConnectedStation& s) { return callKey(s.call) == key; });
    if (it == stations_.end()) return;
    const std::string c = it->call;
    stations_.erase(it);
    heard("DISCONNECTED " + c);
    raise("Disconnected", [c](EchoLinkApp& a) {
        if (a.Disconnected) a.Disconnected(c);
    });
}

void SimulatedNode::receiveChat(const std::string& line) {
    heard("CHAT " + quoted(line));
    raise("ChatTextReceived", [line](EchoLinkApp& a) {
        if (a.ChatTextReceived) a.ChatTextReceived(line);
    });
}

void SimulatedNode::setInternetAudio(bool on) {
    rx_ = on;
    heard(std::string("RX ") + onOff(on));
    changeActivity(on);   // an Internet station talking is node activity
    raise("RX", [on](EchoLinkApp& a) {
        if (a.RX) a.RX(on);
    });
}

void SimulatedNode::setCarrier(bool on) {
    carrier_ = on;
    heard(std::string("CARRIER ") + onOff(on));
    raise("CarrierDetect", [on](EchoLinkApp& a) {
        if (a.CarrierDetect) a.CarrierDetect(on);
    });
}

void SimulatedNode::setReceivingSignal(bool on) {
    receivingSignal_ = on;
    heard(std::string("SIGNAL ") + onOff(on));
}

void SimulatedNode::setActivity(bool on) { changeActivity(on); }

// Whatever turns the activity on or off, the change is heard once.
void SimulatedNode::changeActivity(bool on) {
    if (activity_ == on) return;
    activity_ = on;
    heard(std::string("ACTIVITY ") + onOff(on));
}

void SimulatedNode::close() {
    if (closed_) return;
    heard("CLOSING");
    raise("Closing", [](EchoLinkApp& a) {
        if (a.Closing) a.Closing();
    });
    closed_ = true;
}
