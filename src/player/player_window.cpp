#include "player/player_window.h"

Form1::Form1(FormHost& host) : Form(host, "Form1") {}

// Completed by the window's own subsystem.
void Form1::TXFile() {}

// Completed by the window's own subsystem.
void Form1::StopFile() {}

// Completed by the window's own subsystem.
void Form1::KillFile() {}
