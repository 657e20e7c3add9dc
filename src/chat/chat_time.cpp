#include "chat/chat_time.h"

#include <cstdio>

#include "core/datetime.h"

std::string chatTime(LocalMs t) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", hourOf(t), minuteOf(t));
    return buf;
}
