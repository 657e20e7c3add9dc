#pragma once
// Form1: the player and transmit engine.
#include <string>

#include "core/form.h"

class Form1 : public Form {
public:
    explicit Form1(FormHost& host);

    // The transmit request other windows fill in before TXFile.
    TextBox txtFile{*this, "txtFile"};
    TextBox TempVolSet{*this, "TempVolSet", "0"};
    TextBox VolSet{*this, "VolSet", "0"};
    Slider V1{*this, "V1", -3000, 0, 0};
    Label Label1{*this, "Label1", "0"};   // seconds left; not "0" means on air
    Label Label2{*this, "Label2", "0"};
    Label Label3{*this, "Label3", "0"};
    Label PTT{*this, "PTT", "PTT OFF"};
    Label PTT2{*this, "PTT2", "STOP"};
    CheckBox Check2{*this, "Check2", "DTMF to be TXed"};
    int ferrin = 0;                        // one tail delay requested
    void TXFile();
    void StopFile();
    void KillFile();
};
