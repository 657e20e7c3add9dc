#include "beacons/beacon_set2_window.h"

Form110::Form110(FormHost& host) : Form(host, "Form110") {}

// Completed by the window's own subsystem.
void Form110::TestTTW() {}

// Completed by the window's own subsystem.
void Form110::RandomGreeting() {}
