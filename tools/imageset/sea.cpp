// The background tile: the open sea seen from above, in a few dithered
// shades: deeper and shallower patches, wave crests of many lengths, glints
// of sun and a small shoal of fish. Every shape wraps round the tile's
// edges, so the tiles join without a seam.
#include "palette.h"
#include "pictures.h"
#include "shell/frame.h"

#include <cmath>
#include <initializer_list>

enum { TILE = TILE_SIZE };

// v wrapped into 0..TILE-1.
static int wrap(int v) { return ((v % TILE) + TILE) % TILE; }

// Smooth noise in [0, 1) that repeats every TILE pixels: values on a
// cells x cells lattice, blended with a smooth step between them.
static double tile_noise(double x, double y, int cells, int seed)
{
  double fx = x * cells / TILE, fy = y * cells / TILE;
  int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  double tx = fx - ix, ty = fy - iy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  auto at = [cells, seed](int i, int j) {
    return noise(((i % cells) + cells) % cells, ((j % cells) + cells) % cells, seed);
  };
  double top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
  double bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
  return top + (bottom - top) * ty;
}

// Puts colour c at (x, y) taken round the tile's edges.
static void put(BITMAP *bmp, int x, int y, RGB8 c)
{
  putpixel(bmp, wrap(x), wrap(y), px(bmp, c));
}

// A wave crest len pixels long from (x0, y0): a light arc with its darker
// trough below; long crests bend higher.
static void wave_crest(BITMAP *bmp, int x0, int y0, int len, RGB8 foam)
{
  double height = len > 9 ? 2.2 : len > 5 ? 1.2 : 0.6;
  for (int i = 0; i < len; i++) {
    double t = len > 1 ? double(i) / (len - 1) : 0.5;
    int y = y0 - static_cast<int>(std::lround(height * std::sin(3.14159 * t)));
    RGB8 c = (i == 0 || i == len - 1) ? mix(SEA_LIGHT, foam, 0.45) : foam;
    put(bmp, x0 + i, y, c);
    put(bmp, x0 + i, y + 1, mix(SEA_DEEP, BLACK, 0.15));
  }
}

// A fish seen from above, swimming right, nose at (x, y).
static void fish(BITMAP *bmp, int x, int y, RGB8 c)
{
  static const char *shape[] = {
    "#...###..",
    ".#######.",
    "##..####.",
    "#....##..",
  };
  for (int j = 0; j < 4; j++)
    for (int i = 0; i < 9; i++)
      if (shape[j][i] == '#')
        put(bmp, x - 8 + i, y - 1 + j, c);
}

// How far along the swell (x, y) lies, in rows: whole numbers fall on the
// crest lines. Four rows to a tile, each bending its own way.
static double swell(double x, double y)
{
  const double k = 2 * 3.14159265358979 / TILE;
  return 4 * y / TILE + 0.10 * std::sin(k * x + 0.6) + 0.06 * std::sin(2 * k * x + 2.1) +
         0.04 * std::sin(3 * k * x + 4.0 + 2 * k * y);
}

BITMAP *paint_background(void)
{
  // five shades from deep to shallow water, dithered where they meet
  static const RGB8 shades[] = {
    {10, 50, 74}, {14, 62, 88}, {20, 76, 102}, {27, 92, 118}, {36, 108, 132},
  };
  static const double order[4][4] = {
    {0.03, 0.53, 0.16, 0.66}, {0.78, 0.28, 0.91, 0.41}, {0.22, 0.72, 0.09, 0.59}, {0.97, 0.47, 0.84, 0.34},
  };
  BITMAP *bmp = new_filled(TILE, TILE, SEA_DEEP);
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      // the swell: light on the face before each crest, dark in the trough
      double phase = swell(x, y);
      phase -= std::floor(phase);
      double face = phase < 0.75 ? phase / 0.75 : (1 - phase) / 0.25;
      double v = 0.30 + 0.34 * face * face + 0.36 * (tile_noise(x, y, 4, 181) - 0.5) +
                 0.16 * (tile_noise(x, y, 10, 182) - 0.5);
      double level = v * 5.0;
      if (level < 0)
        level = 0;
      int band = static_cast<int>(level);
      if (band > 4)
        band = 4;
      int next = band < 4 && level - band > order[y & 3][x & 3];
      putpixel(bmp, x, y, px(bmp, shades[band + next]));
    }
  // crests of many lengths along the swell's crest lines
  static const int crests[][3] = {
    {4, 0, 12}, {30, 0, 5}, {62, 0, 9}, {14, 1, 6}, {44, 1, 14}, {80, 1, 7},
    {0, 2, 8}, {24, 2, 4}, {56, 2, 11}, {86, 2, 4}, {10, 3, 5}, {36, 3, 9}, {70, 3, 13},
  };
  for (const auto &w : crests) {
    int x = w[0], len = w[2];
    // the row's crest line at this x, where the light face ends: solve
    // swell(x, y) = row + 0.75 for y
    double row = w[1] + 0.75, y = 25.0 * row;
    for (int i = 0; i < 4; i++)
      y -= (swell(x + len / 2.0, y) - row) * 25.0;
    wave_crest(bmp, x, static_cast<int>(std::lround(y)) - 1, len,
               len > 9 ? mix(SEA_FOAM, WHITE, 0.25) : SEA_FOAM);
  }
  // glints of sun: a bright pixel between two fainter ones
  static const int glints[][2] = {{74, 10}, {20, 60}};
  for (const auto &g : glints) {
    put(bmp, g[0], g[1], {220, 244, 244});
    put(bmp, g[0] - 1, g[1], SEA_FOAM);
    put(bmp, g[0] + 1, g[1], SEA_FOAM);
  }
  // a small shoal, dark against the water
  const RGB8 shoal = {8, 40, 58};
  fish(bmp, 66, 51, shoal);
  fish(bmp, 75, 55, shoal);
  fish(bmp, 62, 58, shoal);
  return bmp;
}
