// The board screen's two buttons, "Nápověda" and "Konec hry": wooden planks
// with carved captions; under the pointer the plank lights up gold.
#include "lettering.h"
#include "palette.h"
#include "match/board_layout.h"
#include "pictures.h"

enum { W = BOARD_BUTTON_W, H = BOARD_BUTTON_H };

BITMAP *paint_plank(int w, int h, const char *caption, double scale, int lit)
{
  BITMAP *bmp = new_picture(w, h);
  RGB8 top = lit ? shade(WOOD_LIGHT, 0.15) : WOOD_LIGHT, bottom = lit ? WOOD : WOOD_DARK;
  rounded_rect(bmp, 0, 0, w - 1, h - 1, 3, lit ? GOLD : WOOD_EDGE);
  for (int y = 1; y < h - 1; y++) {
    RGB8 row = mix(top, bottom, double(y) / (h - 1));
    for (int x = 1; x < w - 1; x++) {
      RGB8 c = noise(x / 7, y, 42) < 0.25 ? shade(row, -0.07) : row;
      int edge = (y == 1 || y == h - 2) ? (x >= 3 && x <= w - 4) : 1;
      if (edge)
        putpixel(bmp, x, y, px(bmp, c));
    }
  }
  hline(bmp, 3, 1, w - 4, px(bmp, lit ? GOLD_LIGHT : shade(WOOD_LIGHT, 0.25)));
  if (lit)
    rounded_rect(bmp, 1, 1, w - 2, 1, 0, GOLD_LIGHT);
  LETTERING style = {scale, lit ? GOLD_LIGHT : PARCHMENT, lit ? GOLD : PARCHMENT_DARK, 1,
                     lit ? RGB8{90, 40, 0} : WOOD_EDGE, 0, BLACK};
  int tw, th;
  lettering_size(caption, &style, &tw, &th);
  lettering_draw(bmp, (w - tw) / 2, (h - th) / 2, caption, &style);
  return bmp;
}

BITMAP *paint_help_button(int hovered)
{
  return paint_plank(W, H, "Nápověda", 1.5, hovered);
}

BITMAP *paint_end_button(int hovered)
{
  return paint_plank(W, H, "Konec hry", 1.5, hovered);
}
