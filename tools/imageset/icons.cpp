// Paints the game's icon, the open treasure chest of the title, at the sizes
// of the desktop's icon theme and writes them as PNG files with an alpha
// channel: OUTPUT_DIR/16.png, 32.png, ... 256.png.
#include "paint.h"
#include "png_write.h"
#include "title_chest.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

enum { UNITS = 128, SCALE = 24 };  // drawing room in picture pixels, samples per pixel

static const int ICON_SIZES[] = {16, 32, 48, 64, 128, 256};

struct BOX { int x0, y0, x1, y1; };  // x1, y1 exclusive

// The smallest rectangle holding every drawn (not transparent) sample.
static BOX drawn_box(BITMAP *big)
{
  BOX box = {big->w, big->h, 0, 0};
  for (int y = 0; y < big->h; y++)
    for (int x = 0; x < big->w; x++)
      if (!is_magenta(big, getpixel(big, x, y))) {
        box.x0 = x < box.x0 ? x : box.x0;
        box.y0 = y < box.y0 ? y : box.y0;
        box.x1 = x + 1 > box.x1 ? x + 1 : box.x1;
        box.y1 = y + 1 > box.y1 ? y + 1 : box.y1;
      }
  return box;
}

// Averages the square of side samples at (left, top) of big down to a
// size x size RGBA picture: a pixel's alpha is its share of drawn samples,
// its colour their mean. Samples outside big count as transparent.
static std::vector<unsigned char> shrink(BITMAP *big, int left, int top, int side, int size)
{
  std::vector<unsigned char> rgba(4 * size * size, 0);
  for (int oy = 0; oy < size; oy++)
    for (int ox = 0; ox < size; ox++) {
      int sx0 = left + ox * side / size, sx1 = left + (ox + 1) * side / size;
      int sy0 = top + oy * side / size, sy1 = top + (oy + 1) * side / size;
      long r = 0, g = 0, b = 0, solid = 0, all = 0;
      for (int y = sy0; y < sy1; y++)
        for (int x = sx0; x < sx1; x++) {
          all++;
          if (x < 0 || y < 0 || x >= big->w || y >= big->h)
            continue;
          int p = getpixel(big, x, y);
          if (is_magenta(big, p))
            continue;
          RGB8 c = rgb_of(big, p);
          r += c.r;
          g += c.g;
          b += c.b;
          solid++;
        }
      unsigned char *out = &rgba[4 * (oy * size + ox)];
      if (solid) {
        out[0] = static_cast<unsigned char>(r / solid);
        out[1] = static_cast<unsigned char>(g / solid);
        out[2] = static_cast<unsigned char>(b / solid);
        out[3] = static_cast<unsigned char>((255 * solid + all / 2) / all);
      }
    }
  return rgba;
}

int main(int argc, char **argv)
{
  if (argc != 2) {
    fprintf(stderr, "usage: paint_icons OUTPUT_DIR\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    fprintf(stderr, "paint_icons: the graphics library did not start\n");
    return 1;
  }
  set_color_depth(24);
  // The chest drawn large in the middle of a roomy canvas, then framed by
  // what was drawn, so the icon follows the chest whatever its shape.
  CANVAS c = canvas_new(UNITS, UNITS, SCALE);
  draw_chest(&c, UNITS / 2 - 28, UNITS / 2 - 16, 1.0);
  BOX box = drawn_box(c.big);
  if (box.x1 <= box.x0) {
    fprintf(stderr, "paint_icons: the chest drew nothing\n");
    return 1;
  }
  int w = box.x1 - box.x0, h = box.y1 - box.y0;
  int side = (w > h ? w : h) * 17 / 16;  // a thin margin all round
  int left = box.x0 - (side - w) / 2, top = box.y0 - (side - h) / 2;
  for (int size : ICON_SIZES) {
    std::vector<unsigned char> rgba = shrink(c.big, left, top, side, size);
    char path[4096];
    snprintf(path, sizeof path, "%s/%d.png", argv[1], size);
    if (write_png_rgba(path, size, size, rgba.data()) != 0) {
      fprintf(stderr, "paint_icons: cannot write %s\n", path);
      return 1;
    }
  }
  destroy_bitmap(c.big);
  return 0;
}
