#include "nets/net_session.h"

namespace nets {

NetSession::StayConnected NetSession::started(const std::string& net, StayConnected found) {
    if (running_.empty()) saved_ = found;
    running_[net] = Net{};   // a restart asks for busy and listen-only afresh
    return saved_;
}

void NetSession::askedBusy(const std::string& net) { running_[net].busy = true; }

void NetSession::askedListenOnly(const std::string& net) { running_[net].listenOnly = true; }

NetSession::Ending NetSession::ending(const std::string& net) const {
    Ending e;
    e.wasRunning = running_.count(net) != 0;
    e.restore = saved_;
    e.last = true;
    for (const auto& [name, other] : running_) {
        if (name == net) continue;
        e.last = false;
        e.busyStillWanted = e.busyStillWanted || other.busy;
        e.listenOnlyStillWanted = e.listenOnlyStillWanted || other.listenOnly;
    }
    return e;
}

NetSession::Ending NetSession::ended(const std::string& net) {
    const Ending e = ending(net);
    running_.erase(net);
    return e;
}

void NetSession::holdEnd(const std::string& net) {
    if (auto it = running_.find(net); it != running_.end()) it->second.endHeld = true;
}

bool NetSession::endHeld(const std::string& net) const {
    const auto it = running_.find(net);
    return it != running_.end() && it->second.endHeld;
}

std::optional<NetSession::StayConnected> NetSession::sysopStayConnected() const {
    if (running_.empty()) return std::nullopt;
    return saved_;
}

}  // namespace nets
