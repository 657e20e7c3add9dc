#pragma once
// Form122: full-warning parser.
#include <string>

#include "core/form.h"

class Form122 : public Form {
public:
    explicit Form122(FormHost& host);

    void GetForcastFile();
    void SortForcast();
};
