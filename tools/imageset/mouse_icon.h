// A small mouse seen from above with one button lit: the picture notes use
// to say which button does what.
#pragma once

#include "paint.h"

enum { MOUSE_ICON_W = 16, MOUSE_ICON_H = 24 };
enum { MOUSE_LEFT = 0, MOUSE_RIGHT = 1 };

// Draws the mouse with its corner at (x, y) and button (MOUSE_LEFT or
// MOUSE_RIGHT) lit red.
void draw_mouse_icon(BITMAP *bmp, int x, int y, int button);
