#include "speech/courtesy_window.h"

Form22::Form22(FormHost& host) : Form(host, "Form22") {}
