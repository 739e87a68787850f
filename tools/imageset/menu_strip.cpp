// The strip along the bottom of the menu: a dark plank with a one-line
// reminder of how the menu works (player 1 always plays: its card does not
// change).
#include "lettering.h"
#include "palette.h"
#include "menu/menu_layout.h"
#include "pictures.h"
#include "shell/frame.h"

BITMAP *paint_menu_strip(void)
{
  // from the strip's corner across the screen and down to its bottom edge
  enum { W = SCREEN_WIDTH - MENU_STRIP_X, H = SCREEN_HEIGHT - MENU_STRIP_Y };
  BITMAP *bmp = new_picture(W, H);
  for (int y = 1; y < H; y++) {
    RGB8 row = mix(WOOD, WOOD_DARK, double(y) / (H - 1));
    for (int x = 0; x < W; x++)
      putpixel(bmp, x, y, px(bmp, noise(x / 11, y, 0) < 0.2 ? shade(row, -0.08) : row));
  }
  hline(bmp, 0, 0, W - 1, px(bmp, WOOD_EDGE));
  hline(bmp, 0, 1, W - 1, px(bmp, GOLD_DARK));
  const char *hint = "Hráč 1 hraje vždy.   Klikni na další hráče: Hráč / Počítač / Vypnuto   -   šipkami vyber mapu";
  text_shadowed(bmp, (W - text_width(hint)) / 2, 10, hint, PARCHMENT, WOOD_EDGE);
  return bmp;
}
