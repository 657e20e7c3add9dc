#include "weather/weather_window.h"

Form114::Form114(FormHost& host) : Form(host, "Form114") {}

// Completed by the window's own subsystem.
void Form114::TXWeather() {}
