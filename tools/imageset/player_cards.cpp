// The player slots: a dark wooden card per player with the player's number
// on a plate of the player's colour and the hunter in that colour, a black
// plate where the game prints the slot's label or score, and the bright
// frame with a pointer that marks the current (or hovered) slot.
#include "hunter.h"
#include "lettering.h"
#include "palette.h"
#include "pictures.h"
#include "shell/images.h"

#include <cstdio>
#include <initializer_list>

enum {
  W = PLAYER_CARD_W, H = PLAYER_CARD_H,
  LABEL_CHARS = 7,  // "Pocitac" and "Vypnuto", as the game prints them; a score has at most 4 digits
  // the card's own edges inside the slot; the frame shows around them
  CARD_X0 = 5, CARD_Y0 = 4, CARD_X1 = 101, CARD_Y1 = 46,
};

// The plate of the player's colour with the player's number on it.
static void draw_number_plate(BITMAP *bmp, int player)
{
  RGB8 colour = player_colour(player);
  int x0 = 8, y0 = 6, x1 = 66, y1 = 33;
  rounded_rect(bmp, x0, y0, x1, y1, 3, WOOD_EDGE);
  rounded_rect(bmp, x0 + 1, y0 + 1, x1 - 1, y1 - 1, 2, shade(colour, -0.35));
  gradient_rect(bmp, x0 + 2, y0 + 2, x1 - 2, y1 - 3, shade(colour, 0.22), colour);
  hline(bmp, x0 + 3, y0 + 2, x1 - 3, px(bmp, shade(colour, 0.5)));
  // a rivet at each end holds the plate to the card
  for (int x : {x0 + 5, x1 - 5}) {
    putpixel(bmp, x, (y0 + y1) / 2, px(bmp, shade(colour, -0.55)));
    putpixel(bmp, x - 1, (y0 + y1) / 2 - 1, px(bmp, shade(colour, 0.6)));
  }
  char digit[4];
  snprintf(digit, sizeof digit, "%d", player);
  LETTERING style = {3, WHITE, shade(colour, 0.75), 1, {20, 12, 4}, 1, shade(colour, -0.6)};
  int tw, th;
  lettering_size(digit, &style, &tw, &th);
  lettering_draw(bmp, (x0 + x1 + 1 - tw) / 2 + 1, y0 + 2, digit, &style);
}

BITMAP *paint_player_card(int player)
{
  RGB8 colour = player_colour(player);
  BITMAP *bmp = new_picture(W, H);
  rounded_rect(bmp, CARD_X0, CARD_Y0, CARD_X1, CARD_Y1, 3, WOOD_EDGE);
  rounded_rect(bmp, CARD_X0 + 1, CARD_Y0 + 1, CARD_X1 - 1, CARD_Y1 - 1, 2, WOOD_DARK);
  // wood grain: faint lines along the card
  for (int y = CARD_Y0 + 2; y < CARD_Y1 - 1; y++)
    for (int x = CARD_X0 + 2; x < CARD_X1 - 1; x++) {
      double n = noise(x / 9, y, 300 + player);
      double t = double(y - CARD_Y0) / (CARD_Y1 - CARD_Y0);
      RGB8 c = mix(shade(WOOD_DARK, 0.10), shade(WOOD_DARK, -0.12), t);
      if (n < 0.2)
        c = shade(c, -0.10);
      putpixel(bmp, x, y, px(bmp, c));
    }
  hline(bmp, CARD_X0 + 3, CARD_Y0 + 1, CARD_X1 - 3, px(bmp, shade(WOOD_DARK, 0.3)));
  draw_number_plate(bmp, player);

  // the plate under the label, black like the text's own background: from
  // a pixel left of the text and two above it, over the font's 8 rows and
  // the longest label, with a dark edge above and a light one at the right
  int x0 = PLAYER_CARD_TEXT_X - 1, y0 = PLAYER_CARD_TEXT_Y - 2;
  int x1 = PLAYER_CARD_TEXT_X + 8 * LABEL_CHARS + 3, y1 = PLAYER_CARD_TEXT_Y + 7;
  rectfill(bmp, x0, y0, x1, y1, px(bmp, BLACK));
  hline(bmp, x0, y0 - 1, x1, px(bmp, shade(WOOD_EDGE, -0.3)));
  vline(bmp, x1 + 1, y0 - 1, y1, px(bmp, shade(WOOD_DARK, 0.25)));

  CANVAS c = canvas_new(W, H, 4);
  draw_hunter(&c, 84, 45, 1.95, colour, 0);
  canvas_finish_onto(&c, bmp, 0, 0);
  return bmp;
}

BITMAP *paint_slot_highlight(void)
{
  // A thick bright frame around the card and a pointer on its right that
  // points at it. The card is drawn over the frame's middle.
  const RGB8 dark = {70, 30, 0}, bright = {255, 214, 40}, light = {255, 250, 190};
  BITMAP *bmp = new_picture(W, H);
  int frame_x1 = CARD_X1 + 5;
  rounded_rect(bmp, 0, 0, frame_x1, H - 1, 6, dark);
  const int tip = frame_x1 - 4, mid = H / 2;
  int arrow[] = {W - 1, 2, W - 1, H - 3, tip, mid};
  polygon(bmp, 3, arrow, px(bmp, dark));
  rounded_rect(bmp, 1, 1, frame_x1 - 1, H - 2, 5, bright);
  int inner_arrow[] = {W - 2, 5, W - 2, H - 6, tip + 2, mid};
  polygon(bmp, 3, inner_arrow, px(bmp, bright));
  // light edges towards the card, so the frame seems to glow
  rounded_rect(bmp, 2, 2, frame_x1 - 2, H - 3, 4, light);
  rounded_rect(bmp, 3, 3, frame_x1 - 3, H - 4, 3, bright);
  rounded_rect(bmp, CARD_X0 - 1, CARD_Y0 - 1, CARD_X1 + 1, CARD_Y1 + 1, 3, light);
  rounded_rect(bmp, CARD_X0, CARD_Y0, CARD_X1, CARD_Y1, 3, MAGENTA);
  // a light line along the pointer's top edge
  for (int x = tip + 3; x < W - 2; x++) {
    int y = mid - (mid - 5) * (x - tip - 2) / (W - 2 - tip - 2);
    putpixel(bmp, x, y + 1, px(bmp, light));
  }
  return bmp;
}
