#pragma once
// Form117: net scheduler set 2.
#include "core/form.h"

class Form117 : public Form {
public:
    explicit Form117(FormHost& host);
};
