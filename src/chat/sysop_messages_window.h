#pragma once
// Form126: messages for another node's sysop.
#include <string>

#include "core/form.h"

class Form126 : public Form {
public:
    explicit Form126(FormHost& host);

    TextBox Text1{*this, "Text1"};
};
