#pragma once
// The program with its windows: the station on the real clock and the real services, drawn by Qt,
// with the simulator panel for the simulated node. Takes the same options as the console.
int runGuiMain(int argc, char** argv);
// True where windows can be shown: a display, or a Qt platform named in the environment.
bool guiDisplayAvailable();
