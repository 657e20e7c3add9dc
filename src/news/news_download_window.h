#pragma once
// Form13: scheduled news downloads.
#include "core/form.h"

class Form13 : public Form {
public:
    explicit Form13(FormHost& host);
};
