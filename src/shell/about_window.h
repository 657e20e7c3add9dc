#pragma once
// Form14: About and the update check.
#include "core/form.h"

class Form14 : public Form {
public:
    explicit Form14(FormHost& host);
};
