// What the digging turns up: coins worth 1 to 3 (copper, silver, gold),
// gems worth 4 to 6 (emerald, sapphire, diamond), each with its value
// written on it, and the trap, a skull on red. Each find has a colour and a
// lightness of its own, so the six tell apart at board size also for players
// who confuse red and green: a light orange copper, a mid grey silver, a
// deep blue-green emerald and a diamond that glows blue-white.
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
  case 1: return {{228, 134, 48}, {252, 192, 118}, {146, 70, 18}, {60, 24, 6}, {248, 178, 104}};
  case 2: return {{178, 184, 196}, {244, 246, 251}, {96, 102, 116}, {28, 32, 46}, {226, 230, 240}};
  case 3: return {{250, 204, 40}, {255, 246, 170}, {170, 118, 8}, {90, 52, 0}, {255, 236, 130}};
  case 4: return {{0, 92, 80}, {70, 184, 164}, {0, 46, 44}, {140, 232, 212}, {0, 28, 26}};
  case 5: return {{44, 104, 232}, {150, 190, 255}, {16, 40, 130}, {255, 255, 255}, {10, 24, 90}};
  default: return {{216, 238, 255}, {255, 255, 255}, {120, 178, 240}, {20, 56, 130}, {255, 255, 255}};
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
  } else {  // a diamond: a wide crown above, the point below, white fire
    const double crown[] = {3, 0.6, 12, 0.6, 14.8, 5, 0.2, 5};
    const double pavilion[] = {0.2, 5, 14.8, 5, 7.5, 14.8};
    cv_polygon(c, 3, pavilion, look->dark);
    const double inner[] = {1.8, 5.6, 13.2, 5.6, 7.5, 13.2};
    cv_polygon(c, 3, inner, look->body);
    cv_polygon(c, 4, crown, look->dark);
    const double table[] = {3.6, 1.4, 11.4, 1.4, 13.6, 4.6, 1.4, 4.6};
    cv_polygon(c, 4, table, look->body);
    const double shine[] = {4.2, 1.8, 6.8, 1.8, 5.6, 4.2, 2.8, 4.2};
    cv_polygon(c, 4, shine, look->light);
  }
}

// The white glow a diamond throws on the earth round it.
static void draw_glow(BITMAP *bmp)
{
  for (int y = 0; y < CELL; y++)
    for (int x = 0; x < CELL; x++) {
      double d = ((x - 7) * (x - 7) + (y - 6) * (y - 6)) / 120.0;
      if (d < 1)
        putpixel(bmp, x, y, px(bmp, mix(rgb_of(bmp, getpixel(bmp, x, y)), {190, 222, 255}, 0.9 * (1 - d * d))));
    }
}

BITMAP *paint_find(int value)
{
  BITMAP *bmp = paint_cell_empty();
  FIND_LOOK look = find_look(value);
  if (value == 6)
    draw_glow(bmp);
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
