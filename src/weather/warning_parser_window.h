#pragma once
// Form121: warning parser.
#include <string>

#include "core/form.h"

class Form121 : public Form {
public:
    explicit Form121(FormHost& host);

    ListBox lstParse{*this, "lstParse"};
    void GetForcastFile();
    void SortForcast();
};
