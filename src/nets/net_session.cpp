#include "nets/net_session.h"

namespace nets {

NetSession::StayConnected NetSession::started(const std::string& net, StayConnected found) {
    if (running_.empty()) saved_ = found;
    running_[net] = Net{};   // a restart asks for busy and listen-only afresh
    return saved_;
}

void NetSession::askedBusy(const std::string& net) { running_[net].busy = true; }

void NetSession::askedListenOnly(const std::string& net) { running_[net].listenOnly = true; }

NetSession::Ending NetSession::ended(const std::string& net) {
    Ending e;
    e.wasRunning = running_.erase(net) != 0;
    e.last = running_.empty();
    e.restore = saved_;
    for (const auto& [name, other] : running_) {
        e.busyStillWanted = e.busyStillWanted || other.busy;
        e.listenOnlyStillWanted = e.listenOnlyStillWanted || other.listenOnly;
    }
    return e;
}

}  // namespace nets
