#pragma once
// The headless console: runs the whole suite without windows, reads simulator commands on
// standard input and prints the on-air transcript on standard output.
int runConsoleMain(int argc, char** argv);
