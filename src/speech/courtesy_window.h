#pragma once
// Form22: courtesy tones and anti-kerchunker.
#include <string>

#include "core/form.h"

class Form22 : public Form {
public:
    explicit Form22(FormHost& host);
    static constexpr const char* kReceivingRF = "Receiving  RF";

    TextBox RFUser{*this, "RFUser", "RX  Standby"};     // "Receiving  RF" / "RX  Standby"
    TextBox PTT1{*this, "PTT1", "IP  TX  OFF"};        // "IP  TX  ON" while an Internet station talks
    Label HowManyConnected{*this, "HowManyConnected", "0"};
    Label PTT{*this, "PTT", "PTT OFF"};
    OptionButton Option3{*this, "Option3", "tail", "Delay 1"};
    OptionButton Option4{*this, "Option4", "tail", "Delay 2"};
    OptionButton Option5{*this, "Option5", "tail", "None", true};
    OptionButton Option6{*this, "Option6", "tail2"};
    OptionButton UseRTS{*this, "UseRTS", "line", "RTS"};
    OptionButton UseDTR{*this, "UseDTR", "line", "DTR", true};
};
