// A sheet of parchment with a darker, slightly ragged edge: the ground of
// every note the game shows (help, results hint).
#pragma once

#include "paint.h"

// A new w x h picture holding the sheet; the corners are transparent.
BITMAP *new_parchment(int w, int h, int seed);
