#include "chat/sysop_messages_window.h"

Form126::Form126(FormHost& host) : Form(host, "Form126") {}
