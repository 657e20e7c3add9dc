#include "beacons/profile_window.h"

Form123::Form123(FormHost& host) : Form(host, "Form123") {}
