#pragma once
// Form128: DTMF strings sent before and after transmissions.
#include "core/form.h"

class Form128 : public Form {
public:
    explicit Form128(FormHost& host);
};
