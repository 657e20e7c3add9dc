#include "shell/about_window.h"

Form14::Form14(FormHost& host) : Form(host, "Form14") {}
