// Parchment sheets: a warm fill with faint stains, a ragged dark edge and
// rounded corners.
#include "parchment.h"
#include "palette.h"

BITMAP *new_parchment(int w, int h, int seed)
{
  BITMAP *bmp = new_picture(w, h);
  rounded_rect(bmp, 0, 0, w - 1, h - 1, 5, {120, 84, 40});
  rounded_rect(bmp, 1, 1, w - 2, h - 2, 4, PARCHMENT_DARK);
  for (int y = 3; y < h - 3; y++)
    for (int x = 3; x < w - 3; x++) {
      int edge = x < 6 || y < 6 || x >= w - 6 || y >= h - 6;
      double n = noise(x / 5, y / 5, seed) * 0.6 + noise(x, y, seed + 1) * 0.4;
      RGB8 c = mix(PARCHMENT, PARCHMENT_DARK, n * 0.45);
      if (edge && noise(x, y, seed + 2) < 0.5)
        c = mix(c, PARCHMENT_DARK, 0.6);
      putpixel(bmp, x, y, px(bmp, c));
    }
  return bmp;
}
