#include "beacons/beacon_set1_window.h"

Form111::Form111(FormHost& host) : Form(host, "Form111") {}

// Completed by the window's own subsystem.
void Form111::RandomGreeting() {}
