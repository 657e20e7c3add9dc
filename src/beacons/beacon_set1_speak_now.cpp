#include "beacons/beacon_set1_window.h"

// Speak-now: completed by the speech subsystem.
void Form111::TestTTW() {}
