#pragma once
// Form123: profile and beacon-set scheduler.
#include "core/form.h"

class Form123 : public Form {
public:
    explicit Form123(FormHost& host);
};
