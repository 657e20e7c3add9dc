#pragma once
// Form150: the update prompt the start-up check brings up when the server has another version.
#include "core/form.h"

class Form150 : public Form {
public:
    explicit Form150(FormHost& host);

    Label Label1{*this, "Label1", "MVSmall"};
    Label Label2{*this, "Label2", "New Update Available"};
    CommandButton Command1{*this, "Command1", "Update Now Please"};
    CommandButton Command2{*this, "Command2", "No Thanks"};
    Label Label3{*this, "Label3"};   // why an update could not start
private:
    void declareLayout();
};
