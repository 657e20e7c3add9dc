#include "weather/full_warning_window.h"

Form122::Form122(FormHost& host) : Form(host, "Form122") {}

// Completed by the window's own subsystem.
void Form122::GetForcastFile() {}

// Completed by the window's own subsystem.
void Form122::SortForcast() {}
