#include "shell/update_prompt_window.h"

Form150::Form150(FormHost& host) : Form(host, "Form150") {}
