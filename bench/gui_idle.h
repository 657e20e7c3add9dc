#pragma once
// Processor use and wake-ups of the real windowed program while it idles with windows shown.

// Runs the GUI program on the offscreen platform from first-start settings, shows the launcher
// and three tool windows through its own operator steps, and prints what it costs over `seconds`.
void benchGuiIdle(double seconds);
