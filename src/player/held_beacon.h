#pragma once
// The hold every scheduled beacon goes through (both beacon sets' timed and information beacons,
// the weather beacons): the player alone says whether the station's own transmission is still
// on the air and whether a stop was asked for, so every hold asks the same question.
#include "core/held_turn.h"

class Form;

// True when the beacon's turn goes out now. `asker` reads the station-talking flags on its own
// EchoLink object; a flag that cannot be read counts as a station talking (the turn is lost).
bool takeBeaconTurn(HeldTurn& turn, bool due, Form& asker);
