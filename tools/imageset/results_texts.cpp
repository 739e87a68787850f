// The words of the results screen: the "Vítěz!" ribbon beside the winner,
// the "Nikdo nevyhrál" ribbon for a shared top score, and the scroll with
// the island's treasure that notes that the right mouse button goes back to
// the menu.
#include "lettering.h"
#include "mouse_icon.h"
#include "palette.h"
#include "parchment.h"
#include "match/results_layout.h"
#include "pictures.h"
#include "shell/frame.h"
#include "title_chest.h"

static const RGB8 RIBBON = {150, 28, 28};

// A ribbon w wide with swallow-tailed ends, its band from y0 to y1.
static void draw_ribbon(CANVAS *c, double w, double y0, double y1)
{
  double mid = (y0 + y1) / 2, tail = 30, drop = 8;
  const double left[] = {0, y0 + drop, tail + 8, y0 + drop, tail + 8, y1 + drop, 0, y1 + drop, 12, mid + drop};
  const double right[] = {w, y0 + drop, w - tail - 8, y0 + drop, w - tail - 8, y1 + drop, w, y1 + drop,
                          w - 12, mid + drop};
  cv_polygon(c, 5, left, shade(RIBBON, -0.4));
  cv_polygon(c, 5, right, shade(RIBBON, -0.4));
  cv_rect(c, tail, y0, w - tail, y1, GOLD_DARK);
  cv_rect(c, tail, y0 + 2, w - tail, y1 - 2, RIBBON);
  cv_rect(c, tail, y0 + 4, w - tail, y0 + 6, shade(RIBBON, 0.2));
}

// A line of small text centred on x = cx at y, on a flat dark band that
// keeps the sea's crests from running into the letters.
static void subtitle(BITMAP *bmp, int cx, int y, const char *text, RGB8 colour)
{
  int w = text_width(text);
  rounded_rect(bmp, cx - w / 2 - 8, y - 4, cx + w / 2 + 8, y + 11, 4, {10, 34, 50});
  text_shadowed(bmp, cx - w / 2, y, text, colour, {0, 0, 0});
}

BITMAP *paint_winner_caption(void)
{
  // as big as its room between the winner and the closing picture
  enum { W = RESULTS_WINNER_X - RESULTS_CAPTION_X, H = RESULTS_CLOSING_Y - RESULTS_CAPTION_Y };
  CANVAS c = canvas_new(W, H, 4);
  draw_ribbon(&c, W, 8, 64);
  BITMAP *bmp = canvas_finish(&c);
  LETTERING style = {5, GOLD_LIGHT, GOLD, 2, {70, 20, 0}, 2, {60, 8, 8}};
  lettering_centred(bmp, W / 2, 13, "Vítěz!", &style);
  subtitle(bmp, W / 2, 82, "Gratulujeme!", GOLD_LIGHT);
  return bmp;
}

BITMAP *paint_no_winner(void)
{
  // centred, as wide and as tall as it may be
  enum { W = SCREEN_WIDTH - 2 * RESULTS_NO_WINNER_X, H = RESULTS_CLOSING_Y - RESULTS_NO_WINNER_Y };
  CANVAS c = canvas_new(W, H, 4);
  draw_ribbon(&c, W, 12, 64);
  BITMAP *bmp = canvas_finish(&c);
  LETTERING style = {4, {236, 236, 240}, {170, 176, 190}, 2, {40, 10, 10}, 2, {60, 8, 8}};
  lettering_centred(bmp, W / 2, 20, "Nikdo nevyhrál", &style);
  subtitle(bmp, W / 2, 82, "Stejně nejvyšší skóre má víc hráčů.", PARCHMENT);
  return bmp;
}

// A rolled end of the scroll across the picture, from y to y + 9.
static void draw_roll(BITMAP *bmp, int w, int y)
{
  static const RGB8 bands[] = {{120, 84, 40}, {196, 168, 110}, {236, 220, 176}, {250, 240, 206},
                               {226, 206, 156}, {184, 152, 96}, {150, 112, 60}, {120, 84, 40}};
  for (int i = 0; i < 8; i++)
    hline(bmp, 3, y + i + 1, w - 4, px(bmp, bands[i]));
  hline(bmp, 4, y, w - 5, px(bmp, {90, 60, 26}));
  hline(bmp, 4, y + 9, w - 5, px(bmp, {90, 60, 26}));
  // the curled paper seen end-on at both sides
  for (int side = 0; side < 2; side++) {
    int cx = side ? w - 5 : 4;
    CANVAS c = canvas_new(10, 10, 4);
    cv_circle(&c, 5, 5, 4.8, {90, 60, 26});
    cv_circle(&c, 5, 5, 3.8, {226, 206, 156});
    cv_circle(&c, 5.4, 5.4, 2.2, {120, 84, 40});
    cv_circle(&c, 5.6, 5.6, 1.1, {226, 206, 156});
    canvas_finish_onto(&c, bmp, cx - 5, y);
  }
}

// The six finds side by side, each in a thin frame, centred on x = cx.
static void find_row(BITMAP *bmp, int cx, int y)
{
  int x = cx - (6 * 17 - 2) / 2;
  for (int value = 1; value <= 6; value++, x += 17) {
    BITMAP *find = paint_find(value);
    rect(bmp, x - 1, y - 1, x + find->w, y + find->h, px(bmp, {58, 38, 20}));
    blit(find, bmp, 0, 0, x, y, find->w, find->h);
    destroy_bitmap(find);
  }
}

BITMAP *paint_results_closing(void)
{
  // A hanging scroll, not a plank: it is a note to read, there is nothing
  // on it to click. It fills the room below the outcome: the treasure of
  // the island and the finds it held above, the way back to the menu below.
  enum { W = 2 * (SCREEN_WIDTH / 2 - RESULTS_CLOSING_X), H = 200 };
  BITMAP *bmp = new_picture(W, H);
  BITMAP *sheet = new_parchment(W - 16, H - 10, 2);
  overlay(bmp, sheet, 8, 5);
  destroy_bitmap(sheet);
  draw_roll(bmp, W, 0);
  draw_roll(bmp, W, H - 10);
  CANVAS c = canvas_new(W, H, 4);
  draw_chest(&c, W / 2 - 1.2 * 28, 30, 1.2);
  canvas_finish_onto(&c, bmp, 0, 0);
  find_row(bmp, W / 2, 90);
  hline(bmp, 20, 114, W - 21, px(bmp, PARCHMENT_DARK));
  draw_mouse_icon(bmp, 22, 128, MOUSE_RIGHT);
  text_plain(bmp, 48, 124, "Zpět do menu:", {150, 30, 10});
  text_plain(bmp, 48, 138, "stiskni pravé", INK);
  text_plain(bmp, 48, 150, "tlačítko myši.", INK);
  hline(bmp, 20, 164, W - 21, px(bmp, PARCHMENT_DARK));
  const char *thanks = "Díky za hru!";
  text_shadowed(bmp, (W - text_width(thanks)) / 2, 173, thanks, {150, 30, 10}, PARCHMENT_DARK);
  return bmp;
}
