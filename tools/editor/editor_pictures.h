// The editor's own pictures, painted by the game's painters at start-up.
#pragma once

#include "editor_ui.h"
#include "shell/alleg.h"

enum { SHEET_PALETTE, SHEET_FAIRNESS, SHEET_DIALOG, SHEET_LIST, SHEET_RANDOM, SHEET_COUNT };

// The plank painted for a control's place and caption, null if none was.
BITMAP *plank_picture(const CONTROL_PLACE &place, int lit);
// A parchment sheet of the given kind.
BITMAP *sheet_picture(int sheet);
