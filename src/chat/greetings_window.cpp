#include "chat/greetings_window.h"

Form10::Form10(FormHost& host) : Form(host, "Form10") {}
