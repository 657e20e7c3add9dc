#pragma once
// Form114: weather reports.
#include <string>

#include "core/form.h"

class Form114 : public Form {
public:
    explicit Form114(FormHost& host);

    TextBox Text1{*this, "Text1"};
    TextBox Text3{*this, "Text3"};
    TextBox Text5{*this, "Text5"};
    TextBox Text6{*this, "Text6"};
    void TXWeather();
};
