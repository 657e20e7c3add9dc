#include "beacons/dtmf_before_after_window.h"

Form128::Form128(FormHost& host) : Form(host, "Form128") {}
