#pragma once
// The chat's time stamps: the time of day as "HH:MM" on the 24-hour clock.
#include <string>

#include "core/clock.h"

std::string chatTime(LocalMs t);
