// The title over the menu: "Hledání pokladu" in gold on two lines, between
// an open treasure chest and a map with its cross.
#include "lettering.h"
#include "palette.h"
#include "pictures.h"
#include "menu/menu_layout.h"
#include "shell/frame.h"
#include "title_chest.h"

// The title fills its room: centred on the screen at the menu's title
// corner, down to the player slots.
enum { W = SCREEN_WIDTH - 2 * MENU_TITLE_X, H = MENU_SLOT_Y0 - MENU_TITLE_Y };

// An open chest heaped with gold, lid corner at (x, y), s times its plain
// size (56 x 42), with sparkles above.
void draw_chest(CANVAS *c, double x, double y, double s)
{
  auto X = [x, s](double v) { return x + v * s; };
  auto Y = [y, s](double v) { return y + v * s; };
  cv_round_rect(c, X(0), Y(0), X(56), Y(16), 6 * s, {120, 64, 24});
  cv_rect(c, X(3), Y(4), X(53), Y(16), {150, 86, 34});
  cv_ellipse(c, X(28), Y(18), 25 * s, 7 * s, GOLD_DARK);
  cv_ellipse(c, X(28), Y(16), 22 * s, 6 * s, GOLD);
  for (int i = 0; i < 4; i++)
    cv_circle(c, X(13 + 10 * i), Y(15 - (i % 2) * 2), 2.6 * s, GOLD_LIGHT);
  cv_rect(c, X(0), Y(18), X(56), Y(42), {146, 84, 34});
  cv_rect(c, X(0), Y(18), X(56), Y(22), {92, 48, 16});
  cv_rect(c, X(7), Y(18), X(11), Y(42), {92, 48, 16});
  cv_rect(c, X(45), Y(18), X(49), Y(42), {92, 48, 16});
  cv_rect(c, X(24), Y(25), X(32), Y(34), GOLD);
  cv_line(c, X(6), Y(-6), X(14), Y(-6), 1.3, WHITE);
  cv_line(c, X(10), Y(-10), X(10), Y(-2), 1.3, WHITE);
  cv_line(c, X(42), Y(-2), X(48), Y(-2), 1.2, WHITE);
  cv_line(c, X(45), Y(-5), X(45), Y(1), 1.2, WHITE);
}

// A treasure map sheet with a dotted path to a red cross, corner at (x, y),
// s times its plain size (54 x 44).
static void draw_map(CANVAS *c, double x, double y, double s)
{
  auto X = [x, s](double v) { return x + v * s; };
  auto Y = [y, s](double v) { return y + v * s; };
  const double sheet[] = {X(0), Y(4), X(50), Y(0), X(54), Y(40), X(4), Y(44)};
  cv_polygon(c, 4, sheet, PARCHMENT_DARK);
  const double face[] = {X(2), Y(6), X(48), Y(2.5), X(52), Y(38), X(6), Y(42)};
  cv_polygon(c, 4, face, PARCHMENT);
  // a dotted path to the cross
  for (int i = 0; i < 5; i++)
    cv_circle(c, X(10 + 6 * i), Y(34 - 4 * i - (i % 2) * 2), 1.2 * s, {150, 100, 50});
  cv_line(c, X(34), Y(10), X(44), Y(20), 2.6 * s, {200, 24, 20});
  cv_line(c, X(44), Y(10), X(34), Y(20), 2.6 * s, {200, 24, 20});
  cv_circle(c, X(12), Y(12), 4 * s, {90, 150, 200});
}

BITMAP *paint_title(void)
{
  CANVAS c = canvas_new(W, H, 4);
  draw_chest(&c, 1, 52, 1.1);
  draw_map(&c, 306, 50, 1.1);
  BITMAP *bmp = canvas_finish(&c);
  LETTERING style = {4, GOLD_LIGHT, GOLD_DARK, 1, {60, 30, 6}, 3, {8, 30, 44}};
  lettering_centred(bmp, W / 2, 4, "Hledání", &style);
  lettering_centred(bmp, W / 2, 50, "pokladu", &style);
  return bmp;
}
