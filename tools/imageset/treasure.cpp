// What the digging turns up: coins worth 1 to 3 (copper, silver, gold),
// gems worth 4 to 6 (emerald, sapphire, diamond), each with its value
// written on it, and the trap, a skull on red.
#include "lettering.h"
#include "palette.h"
#include "match/board_layout.h"
#include "pictures.h"

enum { CELL = BOARD_CELL_SIZE, SS = 6 };

struct FIND_LOOK { RGB8 body, light, dark, digit, digit_shadow; };

// The colours of the find worth value.
static FIND_LOOK find_look(int value)
{
  switch (value) {
  case 1: return {{204, 112, 52}, {240, 170, 110}, {120, 56, 20}, {60, 24, 6}, {236, 160, 100}};
  case 2: return {{196, 202, 212}, {250, 252, 255}, {112, 118, 132}, {36, 40, 56}, {236, 240, 248}};
  case 3: return {{250, 204, 40}, {255, 246, 170}, {170, 118, 8}, {90, 52, 0}, {255, 236, 130}};
  case 4: return {{34, 170, 80}, {140, 240, 160}, {10, 90, 40}, {255, 255, 255}, {6, 60, 24}};
  case 5: return {{44, 104, 232}, {150, 190, 255}, {16, 40, 130}, {255, 255, 255}, {10, 24, 90}};
  default: return {{190, 240, 255}, {255, 255, 255}, {70, 150, 200}, {20, 60, 110}, {240, 255, 255}};
  }
}

// A coin filling the cell, rim darker than its face.
static void draw_coin(CANVAS *c, const FIND_LOOK *look)
{
  cv_circle(c, 7.5, 7.5, 6.6, look->dark);
  cv_circle(c, 7.3, 7.3, 5.9, look->body);
  cv_circle(c, 7.5, 7.5, 4.6, shade(look->body, -0.08));
  cv_circle(c, 7.3, 7.3, 4.2, look->body);
  cv_circle(c, 4.6, 4.4, 1.3, look->light);
}

// The cut gem of worth value (4..6) filling the cell.
static void draw_gem(CANVAS *c, int value, const FIND_LOOK *look)
{
  if (value == 4) {  // an emerald: a cut octagon
    const double outer[] = {4.5, 1, 10.5, 1, 14, 4.5, 14, 10.5, 10.5, 14, 4.5, 14, 1, 10.5, 1, 4.5};
    const double table[] = {5.5, 3, 9.5, 3, 12, 5.5, 12, 9.5, 9.5, 12, 5.5, 12, 3, 9.5, 3, 5.5};
    cv_polygon(c, 8, outer, look->dark);
    cv_polygon(c, 8, table, look->body);
    cv_circle(c, 5, 4.5, 1.1, look->light);
  } else if (value == 5) {  // a sapphire: a round brilliant
    cv_circle(c, 7.5, 7.5, 6.9, look->dark);
    const double facets[] = {7.5, 1.6, 12.6, 4.6, 12.6, 10.4, 7.5, 13.4, 2.4, 10.4, 2.4, 4.6};
    cv_polygon(c, 6, facets, look->body);
    cv_circle(c, 5, 4.6, 1.1, look->light);
  } else {  // a diamond: crown above, point below
    const double crown[] = {3.5, 1.5, 11.5, 1.5, 14.5, 5.5, 0.5, 5.5};
    const double pavilion[] = {0.5, 5.5, 14.5, 5.5, 7.5, 14.5};
    cv_polygon(c, 3, pavilion, look->dark);
    const double inner[] = {2.5, 6.5, 12.5, 6.5, 7.5, 12.5};
    cv_polygon(c, 3, inner, look->body);
    cv_polygon(c, 4, crown, look->body);
    const double shine[] = {4.2, 2.3, 7, 2.3, 5.8, 4.8, 2.6, 4.8};
    cv_polygon(c, 4, shine, look->light);
  }
}

BITMAP *paint_find(int value)
{
  BITMAP *bmp = paint_cell_empty();
  FIND_LOOK look = find_look(value);
  CANVAS c = canvas_new(CELL, CELL, SS);
  if (value <= 3)
    draw_coin(&c, &look);
  else
    draw_gem(&c, value, &look);
  canvas_finish_onto(&c, bmp, 0, 0);
  // The value in the middle, with a light edge so it reads on any body.
  char digit[2] = {static_cast<char>('0' + value), 0};
  int x = value == 6 ? 4 : 4, y = value == 6 ? 3 : 4;
  text_plain(bmp, x + 1, y + 1, digit, look.digit_shadow);
  text_plain(bmp, x, y, digit, look.digit);
  return bmp;
}

BITMAP *paint_trap(void)
{
  static const char *skull[] = {
    "..#######..",
    ".#########.",
    "###########",
    "##...#...##",
    "##...#...##",
    "#####.#####",
    ".####.####.",
    "..#######..",
    "..#.#.#.#..",
    "..#######..",
  };
  BITMAP *bmp = new_filled(CELL, CELL, {176, 20, 16});
  for (int y = 0; y < CELL; y++)
    for (int x = 0; x < CELL; x++) {
      double d = ((x - 7) * (x - 7) + (y - 7) * (y - 7)) / 98.0;
      putpixel(bmp, x, y, px(bmp, mix({236, 48, 24}, {110, 6, 6}, d)));
    }
  bevel(bmp, 0, 0, CELL - 1, CELL - 1, {255, 120, 90}, {70, 0, 0});
  for (int y = 0; y < 10; y++)
    for (int x = 0; x < 11; x++)
      if (skull[y][x] == '#') {
        putpixel(bmp, 2 + x + 1, 3 + y + 1, px(bmp, {40, 0, 0}));
      }
  for (int y = 0; y < 10; y++)
    for (int x = 0; x < 11; x++)
      if (skull[y][x] == '#')
        putpixel(bmp, 2 + x, 2 + y, px(bmp, {250, 246, 230}));
      else if (y >= 3 && y <= 5 && x >= 2 && x <= 8)
        putpixel(bmp, 2 + x, 2 + y, px(bmp, {20, 0, 0}));
  return bmp;
}
