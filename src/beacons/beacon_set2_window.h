#pragma once
// Form110: beacon set 2.
#include <string>

#include "core/form.h"

class Form110 : public Form {
public:
    explicit Form110(FormHost& host);

    std::string TempText;
    void TestTTW();
    void RandomGreeting();
};
