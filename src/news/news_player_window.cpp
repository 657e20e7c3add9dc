#include "news/news_player_window.h"

Form24::Form24(FormHost& host) : Form(host, "Form24") {}

// Completed by the window's own subsystem.
void Form24::EndOfBulletin() {}
