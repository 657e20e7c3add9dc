#pragma once
// Form24: news and weather player.
#include <string>

#include "core/form.h"

class Form24 : public Form {
public:
    explicit Form24(FormHost& host);

    int ferrin = 0;                        // one-shot: the courtesy window ignores one RX event
    int ferrin2 = 3;
    int Play2ndFile = 0;
    int EndText = 0;
    CheckBox Check1{*this, "Check1"};
    CheckBox Play2nd{*this, "Play2nd"};
    CheckBox DisconnectAll{*this, "DisconnectAll", "Disconnect All Before Playing File"};
    Label PTT{*this, "PTT", "PTT OFF"};
    Label Label2{*this, "Label2", "00:00:00"};
    Label Label3{*this, "Label3", "00:00:00"};
    Label Label4{*this, "Label4", "00:00:00"};
    // The end-of-bulletin chain, run from the player's progress timer.
    void EndOfBulletin();
};
