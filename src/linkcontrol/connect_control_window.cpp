#include "linkcontrol/connect_control_window.h"

Form4::Form4(FormHost& host) : Form(host, "Form4") {}
