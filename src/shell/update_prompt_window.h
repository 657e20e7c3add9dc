#pragma once
// Form150: the update prompt.
#include "core/form.h"

class Form150 : public Form {
public:
    explicit Form150(FormHost& host);
};
