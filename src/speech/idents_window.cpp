#include "speech/idents_window.h"

Form3::Form3(FormHost& host) : Form(host, "Form3") {}

// Completed by the window's own subsystem.
void Form3::SpeakTheText() {}

// Completed by the window's own subsystem.
void Form3::SleepTTS() {}

// Completed by the window's own subsystem.
void Form3::SaveToWav() {}

// Completed by the window's own subsystem.
void Form3::TestTTW() {}
