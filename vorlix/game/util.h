#pragma once
// The unit the engines share: trial stones, coordinate text, the random generator
// and the game file writers.

#include "vorlix/game/coords.h"
#include "vorlix/game/gamefile.h"
#include "vorlix/game/random.h"
#include "vorlix/game/trialstones.h"
