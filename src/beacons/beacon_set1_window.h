#pragma once
// Form111: beacon set 1.
#include <string>

#include "core/form.h"

class Form111 : public Form {
public:
    explicit Form111(FormHost& host);

    std::string TempText;
    void TestTTW();
    void RandomGreeting();
};
