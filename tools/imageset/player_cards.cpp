// The player slots: a dark wooden card per player with the name and the
// hunter in the player's colour, a black plate where the game prints the
// slot's label or score, and the gold ring that marks a slot.
#include "hunter.h"
#include "lettering.h"
#include "palette.h"
#include "pictures.h"

#include <cstdio>

enum { W = 120, H = 50, INSET = 3 };

BITMAP *paint_player_card(int player)
{
  RGB8 colour = player_colour(player);
  BITMAP *bmp = new_picture(W, H);
  int x0 = INSET, y0 = INSET, x1 = W - 1 - INSET, y1 = H - 1 - INSET + 1;
  rounded_rect(bmp, x0, y0, x1, y1, 3, WOOD_EDGE);
  rounded_rect(bmp, x0 + 1, y0 + 1, x1 - 1, y1 - 1, 2, WOOD_DARK);
  // wood grain: faint lines along the card
  for (int y = y0 + 2; y < y1 - 1; y++)
    for (int x = x0 + 2; x < x1 - 1; x++) {
      double n = noise(x / 9, y, 300 + player);
      RGB8 c = mix(shade(WOOD_DARK, 0.10), shade(WOOD_DARK, -0.12), double(y - y0) / (y1 - y0));
      if (n < 0.2)
        c = shade(c, -0.10);
      putpixel(bmp, x, y, px(bmp, c));
    }
  // a stripe of the player's colour along the top edge
  hline(bmp, x0 + 3, y0 + 1, x1 - 3, px(bmp, shade(colour, 0.2)));
  hline(bmp, x0 + 2, y0 + 2, x1 - 2, px(bmp, colour));

  char name[16];
  snprintf(name, sizeof name, "Hrac %d", player);
  LETTERING style = {1.5, shade(colour, 0.45), colour, 1, {20, 12, 4}, 0, BLACK};
  lettering_draw(bmp, 7, 10, name, &style);

  // the plate under the label: black like the text's own background
  rect(bmp, 5, 35, 67, 46, px(bmp, shade(WOOD_EDGE, -0.3)));
  rectfill(bmp, 6, 36, 66, 45, px(bmp, BLACK));
  hline(bmp, 5, 47, 67, px(bmp, shade(WOOD_DARK, 0.25)));

  CANVAS c = canvas_new(W, H, 4);
  draw_hunter(&c, 94, 46, 1.95, colour, 0);
  canvas_finish_onto(&c, bmp, 0, 0);
  return bmp;
}

BITMAP *paint_slot_highlight(void)
{
  BITMAP *bmp = new_picture(W, H);
  rounded_rect(bmp, 0, 0, W - 1, H - 1, 5, {255, 244, 170});
  rounded_rect(bmp, 1, 1, W - 2, H - 2, 4, GOLD);
  rounded_rect(bmp, 2, 2, W - 3, H - 3, 3, GOLD_DARK);
  rounded_rect(bmp, 3, 3, W - 4, H - 4, 2, MAGENTA);
  return bmp;
}
