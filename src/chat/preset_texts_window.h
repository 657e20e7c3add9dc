#pragma once
// Form116: preset chat texts.
#include "core/form.h"

class Form116 : public Form {
public:
    explicit Form116(FormHost& host);
};
