#pragma once
// Form4: DTMF / connect control, hosts net set 1.
#include <string>

#include "core/form.h"

class Form4 : public Form {
public:
    explicit Form4(FormHost& host);

    std::string ListBusy = "0";            // "1" while this window listed the node busy
    std::string Auto1, Auto2;
};
