// The treasure hunter figure, built from a few shapes so it reads at a card's
// 40 pixels as well as at a winner picture's 170.
#include "hunter.h"
#include "palette.h"

void draw_hunter(CANVAS *c, double cx, double base, double u, RGB8 colour, int cheering)
{
  auto X = [&](double v) { return cx + v * u; };
  auto Y = [&](double v) { return base + v * u; };
  const RGB8 trousers = {112, 88, 56}, boots = {56, 32, 16}, helmet = {222, 204, 150};
  const RGB8 outline = {34, 22, 12};
  RGB8 shirt_dark = shade(colour, -0.35);

  // shovel behind the right hand: handle, grip and blade
  cv_line(c, X(5.0), Y(-13.6), X(5.0), Y(-2.6), 0.9 * u, WOOD_DARK);
  cv_line(c, X(5.0), Y(-13.6), X(5.0), Y(-2.6), 0.5 * u, WOOD_LIGHT);
  cv_line(c, X(4.0), Y(-14.0), X(6.0), Y(-14.0), 0.7 * u, WOOD_DARK);
  cv_round_rect(c, X(3.6), Y(-3.4), X(6.4), Y(0.2), 0.8 * u, {96, 100, 110});
  cv_round_rect(c, X(3.9), Y(-3.1), X(6.1), Y(-0.2), 0.6 * u, {176, 182, 192});

  // legs and boots
  cv_rect(c, X(-3.0), Y(-7.4), X(-0.3), Y(-1.2), trousers);
  cv_rect(c, X(0.3), Y(-7.4), X(3.0), Y(-1.2), trousers);
  cv_round_rect(c, X(-3.4), Y(-1.8), X(-0.2), Y(0), 0.5 * u, boots);
  cv_round_rect(c, X(0.2), Y(-1.8), X(3.4), Y(0), 0.5 * u, boots);

  // body: shirt with a darker side, belt with a gold buckle
  cv_round_rect(c, X(-4.0), Y(-13.4), X(4.0), Y(-6.6), 1.2 * u, shirt_dark);
  cv_round_rect(c, X(-3.6), Y(-13.2), X(3.2), Y(-7.0), 1.0 * u, colour);
  cv_rect(c, X(-4.0), Y(-7.6), X(4.0), Y(-6.6), WOOD_DARK);
  cv_rect(c, X(-0.6), Y(-7.7), X(0.6), Y(-6.5), GOLD);

  // arms: the right hand holds the shovel, the left hangs or waves
  cv_line(c, X(3.2), Y(-12.4), X(4.6), Y(-9.2), 1.7 * u, colour);
  cv_circle(c, X(5.0), Y(-8.8), 0.95 * u, SKIN);
  if (cheering) {
    cv_line(c, X(-3.2), Y(-12.4), X(-5.6), Y(-16.2), 1.7 * u, colour);
    cv_circle(c, X(-6.0), Y(-17.0), 0.95 * u, SKIN);
  } else {
    cv_line(c, X(-3.2), Y(-12.4), X(-4.6), Y(-8.8), 1.7 * u, colour);
    cv_circle(c, X(-4.8), Y(-8.2), 0.95 * u, SKIN);
  }

  // head with eyes and a smile under a pith helmet with a coloured band
  cv_rect(c, X(-0.8), Y(-14.4), X(0.8), Y(-13.0), SKIN);
  cv_circle(c, X(0), Y(-15.9), 2.7 * u, SKIN);
  cv_circle(c, X(-1.0), Y(-15.9), 0.42 * u, outline);
  cv_circle(c, X(1.0), Y(-15.9), 0.42 * u, outline);
  cv_line(c, X(-0.8), Y(-14.6), X(0.8), Y(-14.6), 0.3 * u, {150, 70, 50});
  cv_ellipse(c, X(0), Y(-17.6), 3.1 * u, 2.4 * u, helmet);
  cv_rect(c, X(-3.3), Y(-17.6), X(3.3), Y(-16.6), helmet);
  cv_rect(c, X(-3.1), Y(-18.2), X(3.1), Y(-17.2), colour);
  cv_ellipse(c, X(0), Y(-16.6), 4.4 * u, 0.75 * u, shade(helmet, -0.12));
  cv_circle(c, X(-1.2), Y(-19.2), 0.6 * u, shade(helmet, 0.35));
}
