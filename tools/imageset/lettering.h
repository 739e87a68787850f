// Words on pictures, made from the library's 8 x 8 font and our own Czech
// accented letters (texts are UTF-8): crisp at its own size, or enlarged
// with smoothed diagonals and drawn with a gradient fill, an outline and a
// drop shadow. A text with an accented capital grows upwards by the accent's
// rows: its lettering box is taller, its plain text reaches 3 pixels above y.
#pragma once

#include "paint.h"

struct LETTERING {
  double scale;        // 1 = the font's own 8 x 8 cells
  RGB8 top, bottom;    // fill colour at the top and at the bottom of the letters
  int outline;         // outline width in pixels, 0 for none
  RGB8 outline_colour;
  int shadow;          // drop shadow offset right and down in pixels, 0 for none
  RGB8 shadow_colour;
};

// Width and height the lettering of text takes, outline and shadow included.
void lettering_size(const char *text, const LETTERING *style, int *w, int *h);

// Draws text with its box's top-left corner at (x, y).
void lettering_draw(BITMAP *dst, int x, int y, const char *text, const LETTERING *style);

// Draws text centred on the vertical line x = cx, box top at y.
void lettering_centred(BITMAP *dst, int cx, int y, const char *text, const LETTERING *style);

// The font at its own size in one colour, transparent background.
void text_plain(BITMAP *dst, int x, int y, const char *text, RGB8 colour);
// The same with a one pixel shadow below and to the right.
void text_shadowed(BITMAP *dst, int x, int y, const char *text, RGB8 colour, RGB8 shadow);
// Pixel width of text in the 8 x 8 font.
int text_width(const char *text);
