// The words of the results screen: the "Vítěz!" ribbon beside the winner,
// the "Nikdo nevyhrál" ribbon for a shared top score, and the scroll that
// notes that the right mouse button goes back to the menu.
#include "lettering.h"
#include "mouse_icon.h"
#include "palette.h"
#include "parchment.h"
#include "match/results_layout.h"
#include "pictures.h"
#include "shell/frame.h"

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
  enum { W = 296, H = 94 };
  CANVAS c = canvas_new(W, H, 4);
  draw_ribbon(&c, W, 6, 62);
  BITMAP *bmp = canvas_finish(&c);
  LETTERING style = {5, GOLD_LIGHT, GOLD, 2, {70, 20, 0}, 2, {60, 8, 8}};
  lettering_centred(bmp, W / 2, 11, "Vítěz!", &style);
  subtitle(bmp, W / 2, 78, "Gratulujeme!", GOLD_LIGHT);
  return bmp;
}

BITMAP *paint_no_winner(void)
{
  enum { W = SCREEN_WIDTH - 2 * RESULTS_NO_WINNER_X, H = 94 };  // centred, as wide as it may be
  CANVAS c = canvas_new(W, H, 4);
  draw_ribbon(&c, W, 10, 62);
  BITMAP *bmp = canvas_finish(&c);
  LETTERING style = {4, {236, 236, 240}, {170, 176, 190}, 2, {40, 10, 10}, 2, {60, 8, 8}};
  lettering_centred(bmp, W / 2, 18, "Nikdo nevyhrál", &style);
  subtitle(bmp, W / 2, 78, "Stejně nejvyšší skóre má víc hráčů.", PARCHMENT);
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

BITMAP *paint_results_closing(void)
{
  // A hanging scroll, not a plank: it is a note to read, there is nothing
  // on it to click.
  enum { W = 188, H = 86 };
  BITMAP *bmp = new_picture(W, H);
  BITMAP *sheet = new_parchment(W - 16, H - 10, 2);
  overlay(bmp, sheet, 8, 5);
  destroy_bitmap(sheet);
  draw_roll(bmp, W, 0);
  draw_roll(bmp, W, H - 10);
  draw_mouse_icon(bmp, 20, 29, MOUSE_RIGHT);
  text_plain(bmp, 46, 26, "Zpět do menu:", {150, 30, 10});
  text_plain(bmp, 46, 40, "stiskni pravé", INK);
  text_plain(bmp, 46, 52, "tlačítko myši.", INK);
  return bmp;
}
