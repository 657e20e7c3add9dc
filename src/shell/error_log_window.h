#pragma once
// Form120: the error log. Writers append a stamped line and bring the window up, so the operator
// sees a problem the moment it happens. The log lives in memory only.
#include "core/form.h"

class Form120 : public Form {
public:
    explicit Form120(FormHost& host);
    TextBox Text1{*this, "Text1"};
    CommandButton Command1{*this, "Command1", "Hide"};
    // Shows the window and appends "date time --> message" and a line break.
    void Append(const std::string& message);
private:
    void declareLayout();
};
