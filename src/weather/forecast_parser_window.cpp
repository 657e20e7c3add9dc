#include "weather/forecast_parser_window.h"

Form115::Form115(FormHost& host) : Form(host, "Form115") {}

// Completed by the window's own subsystem.
void Form115::GetForcastFile() {}

// Completed by the window's own subsystem.
void Form115::SortForcast() {}
