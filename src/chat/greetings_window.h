#pragma once
// Form10: connect greetings.
#include <string>

#include "core/form.h"

class Form10 : public Form {
public:
    explicit Form10(FormHost& host);

    OptionButton Option10{*this, "Option10", "greeting", "10"};
};
