#include "nets/net_set2_window.h"

Form117::Form117(FormHost& host) : Form(host, "Form117") {}
