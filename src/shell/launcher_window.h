#pragma once
// Form5: the launcher: start-up, buttons, tray, Save / Exit.
#include "core/form.h"

class Form5 : public Form {
public:
    explicit Form5(FormHost& host);
};
