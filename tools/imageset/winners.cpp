// The winner pictures: the player's hunter cheering on a sunny island beside
// an open chest of gold, framed in gold, with the player's name on a ribbon.
#include "hunter.h"
#include "lettering.h"
#include "palette.h"
#include "pictures.h"

#include <cmath>
#include <cstdio>

enum { W = 240, H = 250, FRAME_H = 212, SS = 3 };

// Sky, sun, sea, the island and its palm inside the frame.
static void draw_scene(CANVAS *c)
{
  // sky, sea and sun
  for (int y = 6; y < 118; y += 2)
    cv_rect(c, 6, y, W - 6, y + 2, mix({96, 170, 236}, {200, 232, 250}, (y - 6) / 112.0));
  cv_circle(c, 190, 40, 18, {255, 236, 140});
  cv_circle(c, 190, 40, 14, {255, 250, 200});
  for (int y = 118; y < FRAME_H - 6; y += 2)
    cv_rect(c, 6, y, W - 6, y + 2, mix({40, 130, 180}, {20, 80, 120}, (y - 118) / 90.0));
  for (int i = 0; i < 6; i++)
    cv_line(c, 20 + 37 * i, 132 + 9 * (i % 2), 34 + 37 * i, 132 + 9 * (i % 2), 1.5, SEA_FOAM);
  // the island
  cv_ellipse(c, 120, FRAME_H - 4, 126, 44, SAND_DARK);
  cv_ellipse(c, 120, FRAME_H - 2, 122, 40, SAND);
  // a palm on the left: a leaning trunk, leaves that arch and droop
  const double trunk[] = {28, 200, 38, 200, 45, 112, 39, 110};
  cv_polygon(c, 4, trunk, {132, 92, 52});
  for (int i = 0; i < 8; i++)
    cv_line(c, 30 + i * 0.9, 196 - i * 11, 38 + i * 0.8, 196 - i * 11, 1.2, {104, 70, 36});
  static const double leaves[][2] = {{-1.0, 0.9}, {-0.6, 1.1}, {-0.15, 1.0}, {0.3, 1.0}, {0.75, 1.1}, {1.0, 0.8}};
  for (const auto &leaf : leaves) {
    double dx = leaf[0] * 38, lift = 16 * leaf[1];
    double px0 = 42, py0 = 110;
    for (int k = 1; k <= 8; k++) {
      double t = k / 8.0;
      double x = 42 + dx * t, y = 110 - lift * std::sin(3.14159 * t * 0.8) + 14 * t * t;
      cv_line(c, px0, py0, x, y, 6.5 * (1 - t) + 1.5, {36, 140, 58});
      px0 = x;
      py0 = y;
    }
  }
  cv_circle(c, 41, 110, 5, {110, 70, 30});
}

// An open chest full of gold standing on the line y, left edge at x.
static void draw_chest(CANVAS *c, double x, double y)
{
  // gold heaped in an open chest, sparkles above
  cv_round_rect(c, x, y - 40, x + 62, y - 22, 6, {120, 64, 24});
  cv_ellipse(c, x + 31, y - 24, 28, 12, GOLD_DARK);
  cv_ellipse(c, x + 31, y - 26, 25, 10, GOLD);
  for (int i = 0; i < 5; i++)
    cv_circle(c, x + 12 + 9 * i, y - 28 + (i % 2) * 3, 3.2, GOLD_LIGHT);
  cv_rect(c, x, y - 24, x + 62, y, {146, 84, 34});
  cv_rect(c, x, y - 24, x + 62, y - 20, {96, 52, 18});
  cv_rect(c, x + 8, y - 24, x + 13, y, {96, 52, 18});
  cv_rect(c, x + 49, y - 24, x + 54, y, {96, 52, 18});
  cv_rect(c, x + 27, y - 18, x + 35, y - 9, GOLD);
  for (int i = 0; i < 3; i++) {
    double sx = x + 10 + 22 * i, sy = y - 50 - 6 * (i % 2);
    cv_line(c, sx - 5, sy, sx + 5, sy, 1.4, WHITE);
    cv_line(c, sx, sy - 5, sx, sy + 5, 1.4, WHITE);
  }
}

BITMAP *paint_winner(int player)
{
  RGB8 colour = player_colour(player);
  CANVAS c = canvas_new(W, H, SS);
  cv_round_rect(&c, 0, 0, W, FRAME_H, 10, GOLD_DARK);
  cv_round_rect(&c, 2, 2, W - 2, FRAME_H - 2, 9, GOLD);
  cv_round_rect(&c, 5, 5, W - 5, FRAME_H - 5, 7, GOLD_DARK);
  // the scene stays inside the frame
  set_clip_rect(c.big, 7 * SS, 7 * SS, (W - 7) * SS - 1, (FRAME_H - 7) * SS - 1);
  draw_scene(&c);
  draw_chest(&c, 146, 196);
  draw_hunter(&c, 96, 196, 8.4, colour, 1);
  set_clip_rect(c.big, 0, 0, c.big->w - 1, c.big->h - 1);
  // the ribbon with the player's name
  const double left_tail[] = {4, 218, 34, 218, 34, 246, 4, 246, 14, 232};
  const double right_tail[] = {W - 4, 218, W - 34, 218, W - 34, 246, W - 4, 246, W - 14, 232};
  cv_polygon(&c, 5, left_tail, shade(colour, -0.45));
  cv_polygon(&c, 5, right_tail, shade(colour, -0.45));
  cv_rect(&c, 24, 212, W - 24, 242, shade(colour, -0.2));
  cv_rect(&c, 26, 214, W - 26, 240, colour);
  BITMAP *bmp = canvas_finish(&c);

  char name[16];
  snprintf(name, sizeof name, "Hrac %d", player);
  LETTERING style = {2, WHITE, shade(colour, 0.6), 2, {24, 16, 8}, 0, BLACK};
  lettering_centred(bmp, W / 2, 219, name, &style);
  return bmp;
}
