#include "dtmfplayer/dtmf_player_window.h"

Form23::Form23(FormHost& host) : Form(host, "Form23") {}
