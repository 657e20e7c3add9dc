#pragma once
// Form113: warning summary parser.
#include <string>

#include "core/form.h"

class Form113 : public Form {
public:
    explicit Form113(FormHost& host);

    void GetForcastFile();
    void SortForcast();
};
