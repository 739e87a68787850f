// The board's own pictures: covered sand, a dug-out empty hole, the grid
// frame behind every cell and the pointer highlight.
#include "palette.h"
#include "match/board_layout.h"
#include "pictures.h"

enum { CELL = BOARD_CELL_SIZE };

BITMAP *paint_cell_covered(void)
{
  BITMAP *bmp = new_filled(CELL, CELL, SAND);
  // A low mound: lighter towards the top left, grains of darker sand.
  for (int y = 0; y < CELL; y++)
    for (int x = 0; x < CELL; x++) {
      double t = (x + y) / double(2 * (CELL - 1));
      RGB8 c = mix(shade(SAND, 0.18), shade(SAND, -0.10), t);
      double n = noise(x, y, 16);
      if (n < 0.10)
        c = shade(c, -0.16);
      else if (n > 0.93)
        c = shade(c, 0.22);
      putpixel(bmp, x, y, px(bmp, c));
    }
  bevel(bmp, 0, 0, CELL - 1, CELL - 1, SAND_LIGHT, SAND_DARK);
  return bmp;
}

BITMAP *paint_cell_empty(void)
{
  BITMAP *bmp = new_filled(CELL, CELL, EARTH);
  // A hole: its walls shade the top and left, damp earth at the bottom.
  for (int y = 0; y < CELL; y++)
    for (int x = 0; x < CELL; x++) {
      double t = (x + y) / double(2 * (CELL - 1));
      RGB8 c = mix(shade(EARTH, -0.18), shade(EARTH, 0.06), t);
      if (noise(x, y, 17) < 0.08)
        c = shade(c, -0.15);
      putpixel(bmp, x, y, px(bmp, c));
    }
  hline(bmp, 0, 0, CELL - 1, px(bmp, EARTH_DARK));
  vline(bmp, 0, 0, CELL - 1, px(bmp, EARTH_DARK));
  hline(bmp, 1, 1, CELL - 1, px(bmp, shade(EARTH_DARK, 0.15)));
  vline(bmp, 1, 1, CELL - 1, px(bmp, shade(EARTH_DARK, 0.15)));
  hline(bmp, 1, CELL - 1, CELL - 1, px(bmp, EARTH_LIGHT));
  vline(bmp, CELL - 1, 1, CELL - 1, px(bmp, EARTH_LIGHT));
  return bmp;
}

BITMAP *paint_cell_frame(void)
{
  // Only its top row and left column show between the cells: the grid.
  return new_filled(BOARD_PITCH, BOARD_PITCH, GRID);
}

BITMAP *paint_cell_hover(void)
{
  BITMAP *bmp = new_picture(CELL, CELL);
  // A white ring with a dark one inside reads on sand and on dark earth.
  rect(bmp, 0, 0, CELL - 1, CELL - 1, px(bmp, {255, 252, 220}));
  rect(bmp, 1, 1, CELL - 2, CELL - 2, px(bmp, {255, 220, 60}));
  rect(bmp, 2, 2, CELL - 3, CELL - 3, px(bmp, {60, 30, 8}));
  return bmp;
}
