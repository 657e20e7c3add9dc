#pragma once
// Form23: DTMF file, text and web-page player.
#include <string>

#include "core/form.h"

class Form23 : public Form {
public:
    explicit Form23(FormHost& host);

    Label PTT{*this, "PTT", "PTT OFF"};
};
