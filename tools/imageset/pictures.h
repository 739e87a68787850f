// The painters: each returns a new picture for one image index or one family
// of images. Transparent parts are pure magenta.
#pragma once

#include "paint.h"

// --- the board (cells.cpp, treasure.cpp)
BITMAP *paint_cell_covered(void);
BITMAP *paint_cell_empty(void);
BITMAP *paint_cell_frame(void);
BITMAP *paint_cell_hover(void);
BITMAP *paint_find(int value);    // value 1..6
BITMAP *paint_trap(void);

// --- people (player_cards.cpp, winners.cpp, hunter.cpp)
BITMAP *paint_player_card(int player);    // player 1..8
BITMAP *paint_slot_highlight(void);
BITMAP *paint_winner(int player);

// --- controls (buttons.cpp, menu_controls.cpp)
// A wooden plank of w x h with caption centred on it; lit gold when hovered.
BITMAP *paint_plank(int w, int h, const char *caption, double scale, int lit);
BITMAP *paint_help_button(int hovered);
BITMAP *paint_end_button(int hovered);
BITMAP *paint_start(int hovered);
BITMAP *paint_quit(int hovered);
BITMAP *paint_arrow(int next, int hovered);
BITMAP *paint_map_field(void);

// --- screens (sea.cpp, title.cpp, menu_strip.cpp, help_overlay.cpp, results_texts.cpp)
BITMAP *paint_background(void);
BITMAP *paint_title(void);
BITMAP *paint_menu_strip(void);
BITMAP *paint_help_overlay(void);
BITMAP *paint_results_closing(void);
BITMAP *paint_no_winner(void);
BITMAP *paint_winner_caption(void);

// The picture for image index, one of 0..47.
BITMAP *paint_image(int index);
