#pragma once
// The EchoLink automation object: the operations and events the station uses, nothing more.
// Every window holds its own object; every event is delivered to every object.
#include <functional>
#include <string>

#include "core/step.h"

// Any failing EchoLink call (EchoLink gone, not answering).
class EchoLinkError : public CallFailed {
public:
    explicit EchoLinkError(const std::string& what) : CallFailed(what) {}
};

struct EchoLinkNode {
    std::string NodeCallsign;
};

class EchoLinkApp {
public:
    virtual ~EchoLinkApp() = default;

    virtual void CloseProgram() = 0;
    virtual void Connect(const std::string& call, bool permanent = true) = 0;
    virtual void Disconnect(const std::string& call) = 0;
    virtual void DisconnectAllStations() = 0;
    virtual bool IsConnected(const std::string& call) = 0;
    virtual long ConnectedCount() = 0;
    virtual void KeyTransmitter(bool key) = 0;
    virtual bool TransmitterKeyed() = 0;
    virtual bool Activity() = 0;
    virtual bool ReceivingSignal() = 0;
    virtual bool CarrierDetected() = 0;
    virtual void SendCWText(int speed, const std::string& text) = 0;
    virtual void SendDTMF(const std::string& digits) = 0;
    virtual void SendChatText(const std::string& line) = 0;
    virtual void Profile(const std::string& name) = 0;
    virtual void LinkEnabled(bool enabled) = 0;
    virtual bool Busy() = 0;
    virtual void Busy(bool busy) = 0;
    virtual void ListenOnly(bool on) = 0;
    virtual void RTSLine(bool on) = 0;
    virtual void DTRLine(bool on) = 0;
    virtual EchoLinkNode LocalNode() = 0;

    // The busy test every announcer applies first: Activity, ReceivingSignal, CarrierDetected,
    // read in that order; any true means busy.
    bool LinkBusy() { return Activity() || ReceivingSignal() || CarrierDetected(); }

    // Events, set by the owning window for those it handles.
    std::function<void()> Closing;
    std::function<void(const std::string& sDigits)> DTMFString;
    std::function<void(bool bCD)> CarrierDetect;
    std::function<void(bool bRX)> RX;
    std::function<void(const std::string& sCallConnected, const std::string& sName, const std::string& sAddr)>
        connected;
    std::function<void(const std::string& sCall)> Disconnected;
    std::function<void(const std::string& sText)> ChatTextReceived;
};
