// The background tile: dark sea with wave crests. Every shape is periodic
// in 100 pixels, so the tiles join without a seam.
#include "palette.h"
#include "pictures.h"

#include <cmath>

enum { TILE = 100 };

// A foam arc len pixels long from (x0, y0), with a shadow below it.
static void wave_crest(BITMAP *bmp, int x0, int y0, int len)
{
  // a short arc, wrapped around the tile's edges
  for (int i = 0; i < len; i++) {
    double t = double(i) / (len - 1);
    int y = y0 - static_cast<int>(std::lround(2.2 * std::sin(3.14159 * t)));
    int x = ((x0 + i) % TILE + TILE) % TILE;
    int yy = (y % TILE + TILE) % TILE;
    RGB8 c = (i == 0 || i == len - 1) ? mix(SEA_LIGHT, SEA_FOAM, 0.4) : SEA_FOAM;
    putpixel(bmp, x, yy, px(bmp, c));
    putpixel(bmp, x, (yy + 1) % TILE, px(bmp, mix(SEA_LIGHT, SEA_DEEP, 0.3)));
  }
}

BITMAP *paint_background(void)
{
  BITMAP *bmp = new_filled(TILE, TILE, SEA_DEEP);
  const double k = 2 * 3.14159265358979 / TILE;
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      double v = 0.5 + 0.22 * std::sin(k * (x + 2 * y)) + 0.18 * std::sin(k * (3 * x - y) + 1.3) +
                 0.10 * std::sin(k * (2 * x + 5 * y) + 0.4);
      putpixel(bmp, x, y, px(bmp, mix(SEA_DEEP, SEA_LIGHT, 0.15 + v * 0.55)));
    }
  static const int crests[][3] = {
    {8, 14, 11}, {58, 26, 9}, {30, 52, 12}, {82, 70, 10}, {4, 86, 8}, {46, 94, 10}, {70, 42, 7},
  };
  for (const auto &w : crests)
    wave_crest(bmp, w[0], w[1], w[2]);
  return bmp;
}
