// The weekly nets of set 1 start from the window's one-second clock; their start comes with the
// net schedulers.
#include "linkcontrol/connect_control_window.h"

void Form4::startDueNets() {}
