#include "shell/launcher_window.h"

Form5::Form5(FormHost& host) : Form(host, "Form5") {}
