#pragma once
// Form115: forecast parser.
#include <string>

#include "core/form.h"

class Form115 : public Form {
public:
    explicit Form115(FormHost& host);

    void GetForcastFile();
    void SortForcast();
};
