#include "chat/preset_texts_window.h"

Form116::Form116(FormHost& host) : Form(host, "Form116") {}
