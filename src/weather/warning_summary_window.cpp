#include "weather/warning_summary_window.h"

Form113::Form113(FormHost& host) : Form(host, "Form113") {}

// Completed by the window's own subsystem.
void Form113::GetForcastFile() {}

// Completed by the window's own subsystem.
void Form113::SortForcast() {}
