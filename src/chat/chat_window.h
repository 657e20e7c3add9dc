#pragma once
// Messages: text chat.
#include <string>

#include "core/form.h"

class Messages : public Form {
public:
    explicit Messages(FormHost& host);

    TextBox TextTX{*this, "TextTX"};
    void TXText();
};
