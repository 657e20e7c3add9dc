#include "weather/warning_parser_window.h"

Form121::Form121(FormHost& host) : Form(host, "Form121") {}

// Completed by the window's own subsystem.
void Form121::GetForcastFile() {}

// Completed by the window's own subsystem.
void Form121::SortForcast() {}
