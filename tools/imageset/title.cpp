// The title over the menu: "Hledani pokladu" in gold on two lines, between
// an open treasure chest and a map with its cross.
#include "lettering.h"
#include "palette.h"
#include "pictures.h"
#include "title_chest.h"

enum { W = 368, H = 96 };

// An open chest heaped with gold, lid corner at (x, y), with sparkles.
void draw_chest(CANVAS *c, double x, double y)
{
  cv_round_rect(c, x, y, x + 56, y + 16, 6, {120, 64, 24});
  cv_rect(c, x + 3, y + 4, x + 53, y + 16, {150, 86, 34});
  cv_ellipse(c, x + 28, y + 18, 25, 7, GOLD_DARK);
  cv_ellipse(c, x + 28, y + 16, 22, 6, GOLD);
  for (int i = 0; i < 4; i++)
    cv_circle(c, x + 13 + 10 * i, y + 15 - (i % 2) * 2, 2.6, GOLD_LIGHT);
  cv_rect(c, x, y + 18, x + 56, y + 42, {146, 84, 34});
  cv_rect(c, x, y + 18, x + 56, y + 22, {92, 48, 16});
  cv_rect(c, x + 7, y + 18, x + 11, y + 42, {92, 48, 16});
  cv_rect(c, x + 45, y + 18, x + 49, y + 42, {92, 48, 16});
  cv_rect(c, x + 24, y + 25, x + 32, y + 34, GOLD);
  cv_line(c, x + 6, y - 6, x + 14, y - 6, 1.3, WHITE);
  cv_line(c, x + 10, y - 10, x + 10, y - 2, 1.3, WHITE);
  cv_line(c, x + 42, y - 2, x + 48, y - 2, 1.2, WHITE);
  cv_line(c, x + 45, y - 5, x + 45, y + 1, 1.2, WHITE);
}

// A treasure map sheet with a dotted path to a red cross, corner at (x, y).
static void draw_map(CANVAS *c, double x, double y)
{
  const double sheet[] = {x, y + 4, x + 50, y, x + 54, y + 40, x + 4, y + 44};
  cv_polygon(c, 4, sheet, PARCHMENT_DARK);
  const double face[] = {x + 2, y + 6, x + 48, y + 2.5, x + 52, y + 38, x + 6, y + 42};
  cv_polygon(c, 4, face, PARCHMENT);
  // a dotted path to the cross
  for (int i = 0; i < 5; i++)
    cv_circle(c, x + 10 + 6 * i, y + 34 - 4 * i - (i % 2) * 2, 1.2, {150, 100, 50});
  cv_line(c, x + 34, y + 10, x + 44, y + 20, 2.6, {200, 24, 20});
  cv_line(c, x + 44, y + 10, x + 34, y + 20, 2.6, {200, 24, 20});
  cv_circle(c, x + 12, y + 12, 4, {90, 150, 200});
}

BITMAP *paint_title(void)
{
  CANVAS c = canvas_new(W, H, 4);
  draw_chest(&c, 4, 38);
  draw_map(&c, 308, 40);
  BITMAP *bmp = canvas_finish(&c);
  LETTERING style = {4, GOLD_LIGHT, GOLD_DARK, 1, {60, 30, 6}, 3, {8, 30, 44}};
  lettering_centred(bmp, W / 2, 4, "Hledani", &style);
  lettering_centred(bmp, W / 2, 50, "pokladu", &style);
  return bmp;
}
