// The winner pictures, in the pixel style of the rest of the game: the
// player's hunter cheering on a sunny island beside an open chest of gold,
// painted at a third of the size with hard edges, dithered skies and dark
// outlines, then enlarged three times. A gold frame holds the scene and a
// ribbon of the player's colour carries the player's name.
#include "hunter.h"
#include "lettering.h"
#include "palette.h"
#include "pictures.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

enum {
  PIXEL = 3,               // screen pixels to a painted pixel
  W = 93, H = 106,         // painted size: 279 x 318 on screen, the room to the screen's corner
  FRAME_H = 90,            // the frame from the top to here, the ribbon below
  SS = 4,                  // samples per pixel and axis on the canvases
};

const RGB8 OUTLINE = {34, 22, 12};

// 2 x 2 ordered dither: 1 when the pixel takes the next colour at share t.
static int dither(int x, int y, double t)
{
  static const double order[2][2] = {{0.125, 0.625}, {0.875, 0.375}};
  return t > order[y & 1][x & 1];
}

// Horizontal bands from y0 to y1 through n colours, dithered where they meet.
static void banded(BITMAP *bmp, int x0, int y0, int x1, int y1, const RGB8 *colours, int n)
{
  for (int y = y0; y <= y1; y++) {
    double pos = (n - 1) * double(y - y0) / (y1 - y0 + 1);
    int band = static_cast<int>(pos);
    double t = (pos - band) * 2 - 1;  // only the lower half of a band dithers into the next
    for (int x = x0; x <= x1; x++) {
      int next = band + 1 < n && dither(x, y, t);
      putpixel(bmp, x, y, px(bmp, colours[band + next]));
    }
  }
}

// A canvas layer made crisp and outlined, copied onto the scene.
static void finish_layer(CANVAS *c, BITMAP *scene)
{
  BITMAP *layer = canvas_finish_crisp(c);
  outline_shape(layer, OUTLINE);
  overlay(scene, layer, 0, 0);
  destroy_bitmap(layer);
}

// Sky with a sun and clouds, then the sea with rows of foam.
static void draw_sky_and_sea(BITMAP *bmp)
{
  static const RGB8 sky[] = {{70, 140, 220}, {100, 170, 236}, {140, 200, 244}, {190, 226, 250}};
  static const RGB8 sea[] = {{52, 150, 190}, {34, 118, 166}, {24, 90, 136}, {16, 66, 104}};
  banded(bmp, 4, 4, W - 5, 47, sky, 4);
  banded(bmp, 4, 48, W - 5, FRAME_H - 5, sea, 4);
  hline(bmp, 4, 48, W - 5, px(bmp, {200, 236, 244}));
  for (int i = 0; i < 9; i++) {
    int y = 52 + (i * 7) % 26, x = 6 + (i * 23) % 76;
    hline(bmp, x, y, x + 3 + i % 3, px(bmp, SEA_FOAM));
  }
  CANVAS c = canvas_new(W, H, SS);
  cv_circle(&c, 74, 16, 7.5, {255, 214, 90});
  cv_circle(&c, 74, 16, 6, {255, 244, 170});
  cv_circle(&c, 72.5, 14.5, 2.5, WHITE);
  BITMAP *sun = canvas_finish_crisp(&c);
  overlay(bmp, sun, 0, 0);
  destroy_bitmap(sun);
  // two clouds: round puffs on a flat bottom
  static const double clouds[][2] = {{14, 14}, {46, 24}};
  for (const auto &cl : clouds) {
    CANVAS cc = canvas_new(W, H, SS);
    cv_circle(&cc, cl[0] + 4, cl[1], 3.5, WHITE);
    cv_circle(&cc, cl[0] + 9, cl[1] - 2, 4.5, WHITE);
    cv_circle(&cc, cl[0] + 14, cl[1], 3.5, WHITE);
    cv_rect(&cc, cl[0] + 1, cl[1], cl[0] + 18, cl[1] + 3.5, WHITE);
    cv_rect(&cc, cl[0] + 2, cl[1] + 2, cl[0] + 17, cl[1] + 3.5, {214, 232, 246});
    BITMAP *cloud = canvas_finish_crisp(&cc);
    outline_shape(cloud, {150, 190, 226});
    overlay(bmp, cloud, 0, 0);
    destroy_bitmap(cloud);
  }
}

// The island's sand, a leaning palm on the left.
static void draw_island(BITMAP *bmp)
{
  CANVAS c = canvas_new(W, H, SS);
  cv_ellipse(&c, 48.5, 90, 48, 16, SAND_DARK);
  cv_ellipse(&c, 48.5, 91, 46, 14, SAND);
  cv_ellipse(&c, 42, 90, 31, 9, SAND_LIGHT);
  cv_ellipse(&c, 48.5, 95, 42, 8, SAND);
  finish_layer(&c, bmp);

  CANVAS p = canvas_new(W, H, SS);
  for (int i = 0; i < 9; i++) {
    double t = i / 8.0;
    double x = 13 + 7 * t * t, y = 80 - 44 * t;
    cv_circle(&p, x, y, 2.2 - 0.5 * t, i % 2 ? RGB8{150, 104, 58} : RGB8{118, 80, 42});
  }
  static const double leaves[][2] = {{-1.0, 0.9}, {-0.55, 1.2}, {0.0, 1.1}, {0.55, 1.2}, {1.0, 0.9}};
  for (const auto &leaf : leaves) {
    double px0 = 20, py0 = 36;
    for (int k = 1; k <= 6; k++) {
      double t = k / 6.0;
      double x = 20 + leaf[0] * 15 * t, y = 36 - 6 * leaf[1] * std::sin(3.14159 * t * 0.8) + 7 * t * t;
      cv_line(&p, px0, py0, x, y, 3.2 * (1 - t) + 1.2, {46, 156, 64});
      px0 = x;
      py0 = y;
    }
  }
  cv_circle(&p, 19, 37, 1.8, {120, 74, 30});
  cv_circle(&p, 21.5, 38, 1.6, {100, 60, 24});
  finish_layer(&p, bmp);
}

// An open chest heaped with gold, standing on the line y, left edge at x.
static void draw_chest(BITMAP *bmp, double x, double y)
{
  CANVAS c = canvas_new(W, H, SS);
  cv_rect(&c, x, y - 15, x + 22, y - 8, {120, 64, 24});
  cv_rect(&c, x + 1, y - 14, x + 21, y - 9, {92, 48, 16});
  cv_ellipse(&c, x + 11, y - 8, 10, 4, GOLD_DARK);
  cv_ellipse(&c, x + 11, y - 9, 9, 3.2, GOLD);
  cv_rect(&c, x, y - 8, x + 22, y, {146, 84, 34});
  cv_rect(&c, x, y - 8, x + 22, y - 6.5, {96, 52, 18});
  cv_rect(&c, x + 3, y - 8, x + 5, y, {96, 52, 18});
  cv_rect(&c, x + 17, y - 8, x + 19, y, {96, 52, 18});
  cv_rect(&c, x + 9.5, y - 6, x + 12.5, y - 2.5, GOLD);
  finish_layer(&c, bmp);
  // loose coins and the shine on the heap, drawn pixel by pixel
  const int X = static_cast<int>(x), Y = static_cast<int>(y);
  static const int coins[][2] = {{5, -10}, {9, -11}, {13, -10}, {16, -11}};
  for (const auto &k : coins)
    putpixel(bmp, X + k[0], Y + k[1], px(bmp, GOLD_LIGHT));
  static const int sparks[][2] = {{3, -19}, {12, -22}, {20, -18}};
  for (const auto &s : sparks) {
    putpixel(bmp, X + s[0], Y + s[1], px(bmp, WHITE));
    for (int d : {-1, 1}) {
      putpixel(bmp, X + s[0] + d, Y + s[1], px(bmp, GOLD_LIGHT));
      putpixel(bmp, X + s[0], Y + s[1] + d, px(bmp, GOLD_LIGHT));
    }
  }
  static const int heap[][2] = {{6, 1}, {11, 2}, {16, 1}};
  for (const auto &k : heap)
    putpixel(bmp, X + k[0], Y - 9 - k[1] + 1, px(bmp, GOLD_LIGHT));
}

// Eyes and a smile under the helmet's brim of the hunter standing at
// (cx, base), u pixels to a unit: at this size the shapes alone lose them.
static void draw_face(BITMAP *bmp, double cx, double base, double u)
{
  int x = static_cast<int>(std::lround(cx)), eyes = static_cast<int>(std::lround(base - 15.3 * u));
  int mouth = static_cast<int>(std::lround(base - 13.9 * u));
  for (int dx = -3; dx <= 3; dx++)
    for (int y = eyes; y <= mouth; y++)
      putpixel(bmp, x + dx, y, px(bmp, SKIN));
  for (int dx : {-2, 2}) {
    putpixel(bmp, x + dx, eyes, px(bmp, OUTLINE));
    putpixel(bmp, x + dx, eyes + 1, px(bmp, OUTLINE));
  }
  const RGB8 lips = {170, 70, 50};
  hline(bmp, x - 1, mouth, x + 1, px(bmp, lips));
  putpixel(bmp, x - 2, mouth - 1, px(bmp, lips));
  putpixel(bmp, x + 2, mouth - 1, px(bmp, lips));
  putpixel(bmp, x - 3, eyes + 2, px(bmp, {236, 150, 130}));
  putpixel(bmp, x + 3, eyes + 2, px(bmp, {236, 150, 130}));
}

// The gold frame round the scene, with a dark edge outside.
static void draw_frame(BITMAP *bmp)
{
  rounded_rect(bmp, 0, 0, W - 1, FRAME_H - 1, 3, OUTLINE);
  rounded_rect(bmp, 1, 1, W - 2, FRAME_H - 2, 2, GOLD);
  hline(bmp, 3, 1, W - 4, px(bmp, GOLD_LIGHT));
  vline(bmp, 1, 3, FRAME_H - 4, px(bmp, GOLD_LIGHT));
  rect(bmp, 3, 3, W - 4, FRAME_H - 4, px(bmp, GOLD_DARK));
  for (int x : {2, W - 3})
    for (int y : {2, FRAME_H - 3})
      putpixel(bmp, x, y, px(bmp, WHITE));
}

// The ribbon under the frame with the player's name.
static void draw_ribbon(BITMAP *bmp, int player)
{
  RGB8 colour = player_colour(player);
  const int y0 = FRAME_H - 3, y1 = H - 4;
  CANVAS c = canvas_new(W, H, SS);
  const double left[] = {0, y0 + 4.0, 14, y0 + 4.0, 14, y1 + 3.0, 0, y1 + 3.0, 5, (y0 + y1) / 2 + 3.5};
  const double right[] = {W, y0 + 4.0, W - 14, y0 + 4.0, W - 14, y1 + 3.0, W, y1 + 3.0, W - 5,
                          (y0 + y1) / 2 + 3.5};
  cv_polygon(&c, 5, left, shade(colour, -0.45));
  cv_polygon(&c, 5, right, shade(colour, -0.45));
  cv_rect(&c, 9, y0, W - 9, y1 + 1, colour);
  BITMAP *ribbon = canvas_finish_crisp(&c);
  outline_shape(ribbon, OUTLINE);
  hline(ribbon, 10, y0, W - 11, px(ribbon, shade(colour, 0.35)));
  hline(ribbon, 10, y1, W - 11, px(ribbon, shade(colour, -0.3)));
  overlay(bmp, ribbon, 0, 0);
  destroy_bitmap(ribbon);

  char name[16];
  snprintf(name, sizeof name, "Hráč %d", player);
  int x = (W - text_width(name)) / 2, y = (y0 + y1) / 2 - 3;
  // white letters with a dark outline read on every player's colour
  for (int dy = -1; dy <= 1; dy++)
    for (int dx = -1; dx <= 1; dx++)
      text_plain(bmp, x + dx, y + dy, name, OUTLINE);
  text_plain(bmp, x, y, name, WHITE);
}

BITMAP *paint_winner(int player)
{
  // the scene is painted whole, then only its part inside the frame is kept
  BITMAP *scene = new_picture(W, H);
  draw_sky_and_sea(scene);
  draw_island(scene);
  draw_chest(scene, 62, 81);
  CANVAS c = canvas_new(W, H, SS);
  draw_hunter(&c, 42, 82, 2.9, player_colour(player), 1);
  finish_layer(&c, scene);
  draw_face(scene, 42, 82, 2.9);
  BITMAP *small = new_picture(W, H);
  draw_frame(small);
  blit(scene, small, 4, 4, 4, 4, W - 8, FRAME_H - 8);
  destroy_bitmap(scene);
  draw_ribbon(small, player);
  BITMAP *bmp = enlarged(small, PIXEL);
  destroy_bitmap(small);
  return bmp;
}
