#pragma once
// The one record of which serial control lines this program has raised, and why. A line stays
// up while any reason holds it and drops when the last of its reasons ends, so a reason that
// moves to the other line (the operator switched the PTT line) never leaves the first one up.
#include <array>
#include <optional>

class EchoLinkApp;

enum class SerialLine { RTS, DTR };

enum class LineReason {
    DuplexKeying,     // the idents window's duplex repeater: PTT line up while local RF is received
    RepeaterKeying,   // the courtesy window's repeater mode: the same, its own reason
    ControlLine,      // fan run-on, alternate control, permanent-on
};

class RaisedLines {
public:
    // Raises `line` for `reason` (the write is repeated every time: the lines are re-asserted
    // on every tick). The reason's earlier line drops when nothing else holds it.
    void raise(EchoLinkApp& link, LineReason reason, SerialLine line);
    // The reason has ended: its line drops unless another reason holds it. A lowering that
    // fails stays on record and is tried again at the next call.
    void lower(EchoLinkApp& link, LineReason reason);
    // Whether the reason has ended but EchoLink did not take its line's lowering: the line may
    // still be up, and nothing holds it.
    bool loweringFailed(LineReason reason) const { return loweringFailed_[index(reason)]; }
    // Program end: both lines drop, whatever holds them (failures ignored).
    void lowerAll(EchoLinkApp& link);

    std::optional<SerialLine> lineOf(LineReason reason) const { return held_[index(reason)]; }
    bool isHeld(SerialLine line) const;

private:
    static constexpr std::size_t kReasons = 3;
    static std::size_t index(LineReason r) { return static_cast<std::size_t>(r); }
    static void write(EchoLinkApp& link, SerialLine line, bool on);
    bool heldByOther(SerialLine line, LineReason except) const;
    std::array<std::optional<SerialLine>, kReasons> held_{};
    std::array<bool, kReasons> loweringFailed_{};
};
