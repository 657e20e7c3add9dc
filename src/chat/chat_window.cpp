#include "chat/chat_window.h"

Messages::Messages(FormHost& host) : Form(host, "Messages") {}

// Completed by the window's own subsystem.
void Messages::TXText() {}
