// The floor of a frame: the library calls a frame must make (pointer off,
// clear, every image copy and text at its place, the maps directory pass,
// pointer on, present), recorded once as a plan and replayed with no game
// code in between. A frame can cost no less than its plan's replay.
#pragma once

#include "match/match.h"
#include "menu/menu.h"
#include "shell/alleg.h"

enum { OP_POINTER_OFF, OP_CLEAR, OP_BLIT, OP_MASKED_BLIT, OP_TEXT, OP_NUMBER, OP_DIR_PASS,
       OP_POINTER_ON, OP_PRESENT };

struct FLOOR_OP {
  int kind;           // OP_*
  BITMAP *image;      // copies: the source image
  int x, y;           // copies and texts: the corner on the back buffer
  const char *text;   // OP_TEXT
  int number;         // OP_NUMBER: the number printed; OP_DIR_PASS: readdir calls per pass
  int repeat;         // OP_DIR_PASS: passes over the directory
};

enum { FLOOR_PLAN_MAX = 3200 };

struct FLOOR_PLAN {
  FLOOR_OP ops[FLOOR_PLAN_MAX];
  int count;
};

// What the catalogue does with the maps directory in one menu frame.
struct DIR_WORK {
  int full_passes;  // passes that run past the end (one when stepping back)
  int full_reads;   // readdir calls of such a pass, the final null included
  int final_reads;  // readdir calls of the pass that finds the selected map
};

// The menu screen as menu_draw shows it for the menu's hover state, the
// player kinds and the map label; dir is null for the floor without the
// directory pass.
void plan_menu(FLOOR_PLAN *plan, const MENU *menu, const char *label, const DIR_WORK *dir);

// The board screen as match_draw shows it for the match.
void plan_board(FLOOR_PLAN *plan, const MATCH *match);

// The results screen as results_draw shows it for the match.
void plan_results(FLOOR_PLAN *plan, const MATCH *match);

// Makes the plan's library calls in order.
void floor_replay(const FLOOR_PLAN *plan);

// 1 when the two 16-bit bitmaps of equal size hold the same pixels.
int same_pixels(BITMAP *a, BITMAP *b);
