#include "news/news_download_window.h"

Form13::Form13(FormHost& host) : Form(host, "Form13") {}
